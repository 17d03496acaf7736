#!/usr/bin/env bash
# The on-screen display's benchmark under Wine (make bench). Builds nothing;
# build the Windows tier first.
#   1. On a 3840x2160 screen: TextToRgn("Ply/Paus", size "Large") against the
#      per-pixel method, side by side, with both times, their ratio and the
#      proof that both give the same region; GDI objects over 1000 builds.
#   2. On a 1920x1080 screen: keytide.exe with size "Large"; key press
#      (SendInput) to OSD text window visible over 50 presses of alternating
#      keys; GDI and USER objects of keytide.exe over 1000 presses.
#   3. keytide.exe idle in the tray with the built-in ktd.ini (welcome screen
#      off): its CPU time over 60 s with the animation off and on, read from
#      the kernel's account of the Wine process (Wine's GetProcessTimes does not
#      report another process's time), and its GDI and USER objects before and
#      after 10 minutes of animation.
# Each part runs on its own private Xvfb of that size.
#
# usage: scripts/bench.sh [build-dir]     (default build/mingw)
# Environment: KEYTIDE_BENCH_PRESSES (50), KEYTIDE_BENCH_LEAK_PRESSES (1000),
#   KEYTIDE_BENCH_IDLE_SECONDS (60), KEYTIDE_BENCH_ANIMATION_MINUTES (10),
#   KEYTIDE_BENCH_PARTS ("region keys tray"), KEYTIDE_WINEPREFIX as in
#   scripts/wine-env.sh.
# Exit code: 0 when every target was met, 1 when one was missed, 2 when a part
# could not run.
set -u

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/mingw}"
[[ "$build" = /* ]] || build="$repo/$build"
for exe in keytide.exe osdbench.exe traybench.exe; do
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

# Nanoseconds that a Linux process (all its threads) has run on a CPU.
cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d", ns}'
}

# One target line, as the Windows benchmarks print them; the part's result.
tray_target() {
  printf 'target %-58s %s\n' "$1" "$([[ $2 == 1 ]] && echo met || echo MISSED)"
  [[ $2 == 1 ]] || tray_missed=1
}

tray_part() {
  local scratch seconds minutes animate work pid before after percent objects gdi0 user0 gdi1 user1 rc=0
  tray_missed=0
  scratch="$(mktemp -d "${TMPDIR:-/tmp}/keytide-bench.XXXXXX")"
  seconds=${KEYTIDE_BENCH_IDLE_SECONDS:-60}
  minutes=${KEYTIDE_BENCH_ANIMATION_MINUTES:-10}
  for animate in 0 1; do
    work="$scratch/animation$animate"
    mkdir -p "$work"
    cp "$build/keytide.exe" "$work/"
    sed -e 's/^WelcomeScreen=1/WelcomeScreen=0/' -e "s/^AnimateSysTray=1/AnimateSysTray=$animate/" \
      "$repo/tests/e2e/data/default-ktd.ini" >"$work/ktd.ini"
    # The subshell becomes wine and then keytide.exe itself: $! is its process.
    ( cd "$work" && exec wine ./keytide.exe ) >/dev/null 2>&1 &
    pid=$!
    if [[ "$(timeout 60 wine ./traybench.exe ready 2>&1 | tr -d '\r')" != *ready* ]]; then
      echo "keytide.exe did not come up in the tray"
      rc=2
      kill "$pid" 2>/dev/null
      break
    fi
    sleep 5  # the start-up's last steps and the first paint are over
    before=$(cpu_ns "$pid")
    sleep "$seconds"
    after=$(cpu_ns "$pid")
    percent=$(awk -v ns=$((after - before)) -v s="$seconds" 'BEGIN {printf "%.3f", ns / (s * 1e9) * 100}')
    echo "animation $([[ $animate == 1 ]] && echo on || echo off): keytide.exe used $(((after - before) / 1000)) us of CPU in $seconds s: $percent % of a core"
    if [[ $animate == 0 ]]; then
      tray_target "idle CPU with the animation off <= 0.05 % of a core" \
        "$(awk -v p="$percent" 'BEGIN {print (p <= 0.05) ? 1 : 0}')"
    else
      tray_target "idle CPU with the animation on <= 0.5 % of a core" \
        "$(awk -v p="$percent" 'BEGIN {print (p <= 0.5) ? 1 : 0}')"
      objects=$(wine ./traybench.exe objects 2>&1 | tr -d '\r' | grep -av '^ALSA lib')
      gdi0=$(awk '/^gdi /{print $2}' <<<"$objects")
      user0=$(awk '/^user /{print $2}' <<<"$objects")
      sleep $((minutes * 60))
      objects=$(wine ./traybench.exe objects 2>&1 | tr -d '\r' | grep -av '^ALSA lib')
      gdi1=$(awk '/^gdi /{print $2}' <<<"$objects")
      user1=$(awk '/^user /{print $2}' <<<"$objects")
      echo "over $minutes minutes of animation: GDI objects $gdi0 before, $gdi1 after; USER objects $user0 before, $user1 after"
      grep -a '^counted as' <<<"$objects"
      tray_target "no GDI object leaked over the animation" "$([[ -n $gdi0 && $gdi0 == "$gdi1" ]] && echo 1 || echo 0)"
      tray_target "no USER object leaked over the animation" "$([[ -n $user0 && $user0 == "$user1" ]] && echo 1 || echo 0)"
    fi
    wine ./traybench.exe close 2>&1 | tr -d '\r' | grep -av '^ALSA lib'
    wait "$pid"
  done
  rm -rf "$scratch"
  (( rc != 0 )) && return "$rc"
  return "$tray_missed"
}

# KEYTIDE_BENCH_PARTS chooses parts by name (default: all of them).
parts=" ${KEYTIDE_BENCH_PARTS:-region keys tray} "
region_rc=0 keys_rc=0 tray_rc=0
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
if [[ "$parts" == *" tray "* ]]; then
  echo "=== idle in the tray, animation off and on"
  run_part 1024x768x24 tray_part
  tray_rc=$?
  echo
fi

rc=0
for part_rc in "$region_rc" "$keys_rc" "$tray_rc"; do
  if (( part_rc > rc )); then rc=$part_rc; fi
done
case $rc in
  0) echo "bench: every target met" ;;
  1) echo "bench: a target was MISSED" ;;
  *) echo "bench: a part could not run (exit codes $region_rc, $keys_rc, $tray_rc)" ;;
esac
exit "$rc"
