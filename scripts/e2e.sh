#!/usr/bin/env bash
# End-to-end tests: runs the real keytide.exe under Wine on private Xvfb
# displays, driven by ktdriver.exe. Builds nothing; build first (make mingw).
#
# usage: scripts/e2e.sh [build-dir] [test-name-filter ...]
#   build-dir defaults to build/mingw; a filter is a substring of test names
#   (grep E2E_TEST tests/e2e/driver shows them).
# The tests run in KEYTIDE_E2E_JOBS sessions side by side (default 3), each
# with its own display, Wine prefix, sound server and scratch folder; the
# drivers share one list and each takes the next test nobody has taken yet.
# Environment: KEYTIDE_E2E_JOBS (sessions; 1 runs everything in one);
#   KEYTIDE_E2E_EXE runs another keytide.exe than the build directory's (the
#   release check's unpacked one);
#   KEYTIDE_KEEP_SCRATCH=1 keeps the scratch folders and the logs;
#   KEYTIDE_E2E_TIMEOUT (seconds, default 900) bounds each driver's run;
#   KEYTIDE_E2E_WAIT_MS overrides the driver's per-wait time-out;
#   KEYTIDE_WINEPREFIX as in scripts/wine-env.sh (the first session's prefix;
#   the others use <prefix>-2, <prefix>-3, ...).
# Logs: when a test fails, build-dir/e2e-logs/<time>/session-N/ keeps the
#   driver's output, Wine's output (the program, explorer.exe and the rest of
#   the session), the sound server's log and a process list taken at each
#   failure.
# Exit code 0 only when every test passed.
set -u

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/mingw}"
shift || true
[[ "$build" = /* ]] || build="$repo/$build"

missing=0
for exe in keytide.exe ktdriver.exe marker.exe; do
  if [[ ! -f "$build/$exe" ]]; then
    echo "e2e: $build/$exe is missing; build it first (make mingw)" >&2
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

jobs="${KEYTIDE_E2E_JOBS:-3}"
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "e2e: KEYTIDE_E2E_JOBS must be a positive number" >&2; exit 2; }
first_prefix="${KEYTIDE_WINEPREFIX:-$repo/build/wineprefix}"
prefix_of() { if (( $1 == 1 )); then echo "$first_prefix"; else echo "$first_prefix-$1"; fi; }

scratch="$(mktemp -d "${TMPDIR:-/tmp}/keytide-e2e.XXXXXX")"
logs="$build/e2e-logs/$(date +%Y%m%d-%H%M%S)-$$"
mkdir -p "$scratch/claims" "$logs"

cleanup() {
  if [[ "${KEYTIDE_KEEP_SCRATCH:-0}" == 1 ]]; then
    echo "e2e: scratch folders kept in $scratch, logs in $logs" >&2
  else
    rm -rf "$scratch"
  fi
}
trap cleanup EXIT

# One session: its own display, prefix, sound server and scratch folder; a
# driver that takes tests from the shared list until none is left.
run_session() (
  local n=$1
  shift
  export KEYTIDE_WINEPREFIX
  KEYTIDE_WINEPREFIX="$(prefix_of "$n")"
  # shellcheck source=wine-env.sh
  . "$repo/scripts/wine-env.sh"
  local log="$logs/session-$n"
  mkdir -p "$log" "$scratch/work-$n"
  keytide_wine_session_begin || { echo "e2e: session $n could not set up Wine and Xvfb" >&2; exit 2; }
  win() { keytide_winepath_w "$1"; }
  local args=(--exe "$(win "${KEYTIDE_E2E_EXE:-$build/keytide.exe}")" --marker "$(win "$build/marker.exe")"
              --work "$(win "$scratch/work-$n")" --data "$(win "$repo/tests/e2e/data")"
              --claims "$(win "$scratch/claims")")
  [[ -n "${KEYTIDE_E2E_WAIT_MS:-}" ]] && args+=(--timeout-ms "$KEYTIDE_E2E_WAIT_MS")
  # Wine reports its own errors (not its fixme notes) into wine.log; the
  # session's servers and explorer.exe, started by the driver, write there too.
  (
    cd "$build" || exit 2
    [[ -n "$KEYTIDE_WINE_LOCK_FD" ]] && exec {KEYTIDE_WINE_LOCK_FD}>&-
    export WINEDEBUG=err+all,fixme-all
    exec timeout -k 10 "${KEYTIDE_E2E_TIMEOUT:-900}" wine ./ktdriver.exe "${args[@]}" "$@" \
      >"$log/driver.log" 2>"$log/wine.log"
  ) &
  local driver=$!
  # The driver's lines as they come, and a process list at each failure.
  tail -n +1 -s 0.2 --pid="$driver" -f "$log/driver.log" 2>/dev/null | while IFS= read -r line; do
    line=${line%$'\r'}
    [[ "$line" == e2e:* ]] || printf '%s\n' "$line"
    if [[ "$line" == FAIL* ]]; then
      { echo "=== $(date +%T) $line"; ps -eo pid,ppid,stat,etime,time,rss,args --sort=pid; } >>"$log/processes.log"
    fi
  done
  wait "$driver"
  local rc=$?
  (( rc == 124 || rc == 137 )) && echo "e2e: session $n: the driver did not finish within ${KEYTIDE_E2E_TIMEOUT:-900} s" >&2
  [[ -n "${KEYTIDE_PULSE_DIR:-}" && -f "$KEYTIDE_PULSE_DIR/pulse.log" ]] && cp "$KEYTIDE_PULSE_DIR/pulse.log" "$log/"
  keytide_wine_session_end
  exit "$rc"
)

started=$SECONDS
pids=()
for (( n = 1; n <= jobs; n++ )); do
  run_session "$n" "$@" &
  pids+=($!)
done
rc=0
for pid in "${pids[@]}"; do
  wait "$pid" || rc=1
done

passed=0
failed=0
for summary in "$logs"/session-*/driver.log; do
  line="$(grep -a '^e2e: [0-9]* passed, [0-9]* failed' "$summary" | tail -n 1 | tr -d '\r')"
  if [[ -z "$line" ]]; then
    echo "e2e: a driver ended without a summary line ($summary)" >&2
    rc=1
    continue
  fi
  read -r _ p _ f _ <<<"$line"
  passed=$((passed + p))
  failed=$((failed + f))
done
(( failed == 0 )) || rc=1
if (( passed + failed == 0 )); then
  echo "e2e: no test matches the filter" >&2
  rc=2
fi
echo "e2e: $jobs session(s), $((SECONDS - started)) s"
if (( rc != 0 )); then
  # The failed tests' scratch folders (their files, pictures and the stacks
  # of every program at the failure) go with the logs.
  for (( n = 1; n <= jobs; n++ )); do
    grep -a '^FAIL' "$logs/session-$n/driver.log" | sed 's/^FAIL \([^ :]*\).*/\1/' | while read -r name; do
      folder="$scratch/work-$n/$(printf '%s' "$name" | tr -c 'A-Za-z0-9.\n-' '_')"
      [[ -d "$folder" ]] && cp -r "$folder" "$logs/session-$n/"
    done
  done
  grep -ah '^FAIL' "$logs"/session-*/driver.log | tr -d '\r' | sed 's/^/e2e: /'
  echo "e2e: logs kept in $logs"
elif [[ "${KEYTIDE_KEEP_SCRATCH:-0}" != 1 ]]; then
  rm -rf "$logs"
  rmdir "$build/e2e-logs" 2>/dev/null
fi
echo "e2e: $passed passed, $failed failed"
exit "$rc"
