#!/usr/bin/env bash
# Differential test of the INI engine against the system's profile functions:
# runs the Windows build's ini_diff.exe (make mingw builds it) under Wine, in
# the prefix the end-to-end tests use (made once per machine).
#   usage: scripts/ini-diff.sh [build-dir]     (default build/mingw)
#   KEYTIDE_WINEPREFIX as in scripts/wine-env.sh.
# Exit code 0 only when every comparison passed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

build=${1:-build/mingw}
if [[ ! -f "$build/ini_diff.exe" ]]; then
  echo "ini-diff: $build/ini_diff.exe is missing; build it first (make mingw)" >&2
  exit 2
fi
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh  # its helpers expect no "set -e"

cleanup() {
  keytide_wineserver_stop || true
  keytide_wine_unlock
}
trap cleanup EXIT

keytide_wine_lock || exit 1
keytide_wine_prefix_ensure || exit 1
# A console program: no display needed.
(cd "$build" && keytide_without_lock wine ini_diff.exe)
