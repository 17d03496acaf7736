#!/usr/bin/env bash
# End-to-end tests: runs the real keytide.exe under Wine on a private Xvfb
# display, driven by ktdriver.exe. Builds nothing; build first, e.g.
#   cmake -S . -B build/e2e-mingw -G Ninja --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
#   cmake --build build/e2e-mingw -j2
#
# usage: scripts/e2e.sh [build-dir] [test-name-filter ...]
#   build-dir defaults to build/e2e-mingw; a filter is a substring of test
#   names (ktdriver --list shows them).
# Environment: KEYTIDE_E2E_EXE runs another keytide.exe than the build
#   directory's (the release check's unpacked one);
#   KEYTIDE_KEEP_SCRATCH=1 keeps the scratch folders;
#   KEYTIDE_E2E_TIMEOUT (seconds, default 900) bounds the whole driver run;
#   KEYTIDE_E2E_WAIT_MS overrides the driver's per-wait time-out;
#   KEYTIDE_WINEPREFIX as in scripts/wine-env.sh.
# Exit code: the driver's (0 only when every test passed).
set -u

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/e2e-mingw}"
shift || true
[[ "$build" = /* ]] || build="$repo/$build"

missing=0
for exe in keytide.exe ktdriver.exe marker.exe; do
  if [[ ! -f "$build/$exe" ]]; then
    echo "e2e: $build/$exe is missing; build it first (cmake --build $build -j2)" >&2
    missing=1
  fi
done
(( missing )) && exit 2

for tool in wine wineserver winepath Xvfb flock timeout; do
  if ! command -v "$tool" >/dev/null; then
    echo "e2e: $tool is not installed (Debian packages: wine, wine64, xvfb, util-linux, coreutils)" >&2
    missing=1
  fi
done
(( missing )) && exit 2

# shellcheck source=wine-env.sh
. "$repo/scripts/wine-env.sh"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/keytide-e2e.XXXXXX")"
log="$scratch/driver.log"
work="$scratch/work"
mkdir -p "$work"

cleanup() {
  keytide_wine_session_end
  if [[ "${KEYTIDE_KEEP_SCRATCH:-0}" == 1 ]]; then
    echo "e2e: scratch folders kept in $scratch" >&2
  else
    rm -rf "$scratch"
  fi
}

keytide_wine_session_begin || { echo "e2e: could not set up Wine and Xvfb" >&2; cleanup; exit 2; }
trap cleanup EXIT

win() {
  local p
  p="$(keytide_winepath_w "$1")"
  [[ -n "$p" ]] || { echo "e2e: winepath failed for $1" >&2; exit 2; }
  printf '%s' "$p"
}

args=(--exe "$(win "${KEYTIDE_E2E_EXE:-$build/keytide.exe}")" --marker "$(win "$build/marker.exe")"
      --work "$(win "$work")" --data "$(win "$repo/tests/e2e/data")")
[[ -n "${KEYTIDE_E2E_WAIT_MS:-}" ]] && args+=(--timeout-ms "$KEYTIDE_E2E_WAIT_MS")

started=$SECONDS
# The driver's lines appear as they come; its log keeps them for the summary.
(
  cd "$build" || exit 2
  [[ -n "$KEYTIDE_WINE_LOCK_FD" ]] && exec {KEYTIDE_WINE_LOCK_FD}>&-
  exec timeout -k 10 "${KEYTIDE_E2E_TIMEOUT:-900}" wine ./ktdriver.exe "${args[@]}" "$@"
) 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}

keytide_wine_session_end
summary="$(grep -a '^e2e: [0-9]* passed, [0-9]* failed' "$log" | tail -n 1 | tr -d '\r')"
if (( rc == 124 || rc == 137 )); then
  echo "e2e: the driver did not finish within ${KEYTIDE_E2E_TIMEOUT:-900} s" >&2
  (( rc == 0 )) || rc=1
fi
echo "e2e: driver exit code $rc after $((SECONDS - started)) s"
if [[ -n "$summary" ]]; then
  echo "$summary"
else
  echo "e2e: the driver ended without a summary line" >&2
  (( rc != 0 )) || rc=1
fi
exit "$rc"
