#!/usr/bin/env bash
# Differential test of the INI engine against the system's profile functions:
# builds tests/ini_diff/ini_diff.cpp with MinGW-w64 and runs it under Wine.
#   KEYTIDE_WINEPREFIX          Wine prefix to use (taken under its lock, as
#                               the other Wine runs do); default: a new
#                               temporary prefix, removed afterwards.
#   KEYTIDE_INI_DIFF_BUILD_DIR  where ini_diff.exe goes (default build/ini-diff).
# Exit code 0 only when every comparison passed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

build=${KEYTIDE_INI_DIFF_BUILD_DIR:-build/ini-diff}
mkdir -p "$build" || exit 1
compiler=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++)
"$compiler" -std=c++20 -O2 -static -Wall -Wextra -Werror -Wshadow -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
  -Isrc -Itests tests/ini_diff/ini_diff.cpp src/settings/ini/IniText.cpp src/settings/ini/IniDocument.cpp \
  src/settings/ini/TextEncoding.cpp src/platform/win32/Win32CodePage.cpp src/platform/win32/WideText.cpp \
  -o "$build/ini_diff.exe" || exit 1

temp_prefix=""
if [[ -z "${KEYTIDE_WINEPREFIX:-}" ]]; then
  temp_prefix="$(mktemp -d "${TMPDIR:-/tmp}/keytide-ini-diff.XXXXXX")"
  export KEYTIDE_WINEPREFIX="$temp_prefix/prefix"
fi
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh  # its helpers expect no "set -e"

cleanup() {
  keytide_wineserver_stop || true
  keytide_wine_unlock
  if [[ -n "$temp_prefix" ]]; then rm -rf "$temp_prefix"; fi
}
trap cleanup EXIT

keytide_wine_lock || exit 1
keytide_wine_prefix_ensure || exit 1
# A console program: no display needed.
(cd "$build" && wine ini_diff.exe)
