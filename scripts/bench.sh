#!/usr/bin/env bash
# The on-screen display's benchmark under Wine (make bench). Builds nothing;
# build the Windows tier first.
#   1. On a 3840x2160 screen: TextToRgn("Ply/Paus", size "Large") against the
#      per-pixel method, side by side, with both times, their ratio and the
#      proof that both give the same region; GDI objects over 1000 builds.
#   2. On a 1920x1080 screen: keytide.exe with size "Large"; key press
#      (SendInput) to OSD text window visible over 50 presses of alternating
#      keys; GDI and USER objects of keytide.exe over 1000 presses.
#   3. keytide.exe with the built-in ktd.ini: Scroll Lock press to the file
#      saved, over 40 presses (each one switches the program off or on and
#      saves the key sections).
# Each part runs on its own private Xvfb of that size.
#
# usage: scripts/bench.sh [build-dir]     (default build/mingw)
# Environment: KEYTIDE_BENCH_PRESSES (50), KEYTIDE_BENCH_LEAK_PRESSES (1000),
#   KEYTIDE_BENCH_SAVES (40), KEYTIDE_BENCH_PARTS ("region keys save"),
#   KEYTIDE_WINEPREFIX as in scripts/wine-env.sh.
# Exit code: 0 when every target was met, 1 when one was missed, 2 when a part
# could not run.
set -u

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/mingw}"
[[ "$build" = /* ]] || build="$repo/$build"
for exe in keytide.exe osdbench.exe savebench.exe; do
  if [[ ! -f "$build/$exe" ]]; then
    echo "bench: $build/$exe is missing; build the Windows tier first" >&2
    exit 2
  fi
done

# shellcheck source=wine-env.sh
. "$repo/scripts/wine-env.sh"

# Runs one part in a subshell with its own Wine session on a screen of the
# given size; the session ends with the subshell.
run_part() {
  local screen=$1
  shift
  (
    export KEYTIDE_XVFB_SCREEN="$screen"
    keytide_wine_session_begin || { echo "bench: could not set up Wine and Xvfb" >&2; exit 2; }
    cd "$build" || exit 2
    "$@"
  )
}

region_part() {
  timeout -k 10 600 wine ./osdbench.exe region "Ply/Paus" 2 2>&1 | tr -d '\r' | grep -av '^ALSA lib'
  return "${PIPESTATUS[0]}"
}

keys_part() {
  local scratch exe work rc
  scratch="$(mktemp -d "${TMPDIR:-/tmp}/keytide-bench.XXXXXX")"
  exe="$(keytide_winepath_w "$build/keytide.exe")"
  work="$(keytide_winepath_w "$scratch")\\run"
  timeout -k 10 900 wine ./osdbench.exe keys "$exe" "$work" "${KEYTIDE_BENCH_PRESSES:-50}" \
    "${KEYTIDE_BENCH_LEAK_PRESSES:-1000}" 2>&1 | tr -d '\r' | grep -av '^ALSA lib'
  rc=${PIPESTATUS[0]}
  rm -rf "$scratch"
  return "$rc"
}

save_part() {
  local scratch exe work rc
  scratch="$(mktemp -d "${TMPDIR:-/tmp}/keytide-bench.XXXXXX")"
  exe="$(keytide_winepath_w "$build/keytide.exe")"
  work="$(keytide_winepath_w "$scratch")\\run"
  timeout -k 10 600 wine ./savebench.exe "$exe" "$work" "${KEYTIDE_BENCH_SAVES:-40}" 2>&1 | tr -d '\r' | grep -av '^ALSA lib'
  rc=${PIPESTATUS[0]}
  rm -rf "$scratch"
  return "$rc"
}

# KEYTIDE_BENCH_PARTS chooses parts by name (default: all three).
parts=" ${KEYTIDE_BENCH_PARTS:-region keys save} "
region_rc=0 keys_rc=0 save_rc=0
if [[ "$parts" == *" region "* ]]; then
  echo "=== TextToRgn on 3840x2160"
  run_part 3840x2160x24 region_part
  region_rc=$?
  echo
fi
if [[ "$parts" == *" keys "* ]]; then
  echo "=== key presses on 1920x1080"
  run_part 1920x1080x24 keys_part
  keys_rc=$?
  echo
fi
if [[ "$parts" == *" save "* ]]; then
  echo "=== one save of the key sections (Scroll Lock press to ktd.ini written)"
  echo "before, 77 separate writes each replacing the file (3 runs under load 5-6 on 2 cores):"
  echo "  median 270.28, 124.99, 471.29 ms (min 107.87, 99.18, 163.15 ms) over 40 presses each"
  run_part 1024x768x24 save_part
  save_rc=$?
  echo
fi

rc=0
for part_rc in "$region_rc" "$keys_rc" "$save_rc"; do
  if (( part_rc > rc )); then rc=$part_rc; fi
done
case $rc in
  0) echo "bench: every target met" ;;
  1) echo "bench: a target was MISSED" ;;
  *) echo "bench: a part could not run (exit codes $region_rc, $keys_rc, $save_rc)" ;;
esac
exit "$rc"
