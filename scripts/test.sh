#!/usr/bin/env bash
# Every test tier, in order: native unit tests, the same under ASan/UBSan, the
# Windows build, the INI differential test and a short fuzz run under
# sanitizers, the end-to-end tests of keytide.exe under Wine, and the release
# zip as a user unpacks and starts it (with one face of the screenshot script).
# Each tier's time is printed at the end.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
failed=()
times=()
started=$SECONDS

step() {
  local name=$1 began=$SECONDS
  shift
  echo "=== $name"
  if ! "$@"; then
    failed+=("$name")
    echo "=== $name: FAILED"
  fi
  times+=("$(printf '%5d s  %s' $((SECONDS - began)) "$name")")
}

build_preset() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

step "native build" build_preset native
step "unit tests" ctest --preset native -j "$jobs"
step "sanitizer build" build_preset asan
step "unit tests under ASan/UBSan" ctest --preset asan -j "$jobs"
step "windows build" build_preset mingw
step "INI differential test under Wine" scripts/ini-diff.sh build/mingw
step "INI fuzzing" scripts/fuzz.sh "${KEYTIDE_FUZZ_SECONDS:-15}"
step "end-to-end tests under Wine" scripts/e2e.sh build/mingw
step "release zip" scripts/release-check.sh build/mingw

echo
printf '%s\n' "${times[@]}"
printf '%5d s  all tiers\n' $((SECONDS - started))
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED tiers: ${failed[*]}"
  exit 1
fi
echo "All test tiers passed."
