#!/usr/bin/env bash
# The release as a user gets it. Packs dist/keytide-<version>-win64.zip
# from the Windows build (as make dist does) and checks:
#   1. the zip holds keytide.exe, Help/topics.htm, README.txt and LICENSE.txt,
#      the text files with Windows line ends;
#   2. keytide.exe is a stripped 64-bit program that imports only DLLs every
#      Windows 10/11 has (its import table, read with MinGW's objdump);
#   3. unpacked into a folder with blanks in its path under the Wine prefix,
#      it starts as a double click starts it, makes its ktd.ini there, carries
#      the project's version and shows the label of a pressed key (the
#      release.* programs of the end-to-end driver);
#   4. the screenshot script still takes a face (the OSD label).
#
# usage: scripts/release-check.sh [build-dir]   (the driver's; default build/mingw)
# Environment: KEYTIDE_KEEP_SCRATCH=1 keeps the unpacked folder and the picture.
# Exit code 0 only when every check passed.
set -u

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build/mingw}"
[[ "$build" = /* ]] || build="$repo/$build"
cd "$repo" || exit 2
failed=()
say() { echo "release-check: $*"; }
fail() { say "FAIL $*"; failed+=("$1"); }

# DLLs of Windows itself, in every Windows 10 and 11; compared without case.
allowed_dlls='^(kernel32|user32|gdi32|shell32|advapi32|comdlg32|comctl32|ole32|oleaut32|winmm|shlwapi|version'
allowed_dlls+='|uxtheme|dwmapi|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\.dll$'

# The zip from the build the end-to-end tests ran (make dist packs the same).
cmake --build "$build" -j "${JOBS:-2}" --target keytide_zip >/dev/null || {
  say "FAIL make dist"
  exit 1
}
version="$(sed -n 's/^#define KEYTIDE_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/KeytideVersion.h")"
zip="dist/keytide-$version-win64.zip"
[[ -n "$version" && -f "$zip" ]] || { say "FAIL no zip named after the version ($zip)"; exit 1; }
say "$zip: $(stat -c %s "$zip") bytes"

# 1. What the zip holds.
listed="$(unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort | tr '\n' ' ')"
[[ "$listed" == "Help/topics.htm LICENSE.txt README.txt keytide.exe " ]] || fail "contents: $listed"
unzip -tq "$zip" >/dev/null || fail "the zip does not test sound"

# 2. to 4. in the Wine prefix.
# shellcheck source=wine-env.sh
. scripts/wine-env.sh
keytide_wine_prefix_ensure || { say "FAIL no Wine prefix"; exit 1; }
place="$WINEPREFIX/drive_c/Keytide release check"
folder="$place/Keytide $version"
faces="$(mktemp -d "${TMPDIR:-/tmp}/keytide-release.XXXXXX")"
cleanup() {
  if [[ "${KEYTIDE_KEEP_SCRATCH:-0}" == 1 ]]; then
    say "kept $folder and $faces"
  else
    rm -rf "$place" "$faces"
  fi
}
trap cleanup EXIT
rm -rf "$place"
mkdir -p "$folder" && unzip -q "$zip" -d "$folder" || { say "FAIL could not unpack into $folder"; exit 1; }

for text in README.txt LICENSE.txt; do
  if grep -qv $'\r$' "$folder/$text"; then fail "$text has lines without a carriage return"; fi
done
grep -q "^KEYTIDE $version " "$folder/README.txt" || fail "README.txt does not name version $version"
grep -q '^Copyright (c) 2026 The Keytide developers' "$folder/LICENSE.txt" || fail "LICENSE.txt has no copyright line"

exe="$folder/keytide.exe"
objdump=$(command -v x86_64-w64-mingw32-objdump || echo objdump)
headers="$("$objdump" -p "$exe" 2>&1)"
grep -q 'file format pei-x86-64' <<<"$headers" || fail "keytide.exe is not a 64-bit Windows program"
mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
say "keytide.exe ($(stat -c %s "$exe") bytes) imports: ${dlls[*]}"
(( ${#dlls[@]} )) || fail "no import table read"
for dll in "${dlls[@]}"; do
  grep -qiE "$allowed_dlls" <<<"$dll" || fail "keytide.exe imports $dll, which Windows does not bring"
done
if "$objdump" -h "$exe" | grep -q '\.debug'; then fail "keytide.exe carries debug sections"; fi
"$objdump" -t "$exe" | grep -q '^no symbols' || fail "keytide.exe carries a symbol table"

KEYTIDE_E2E_JOBS=1 KEYTIDE_E2E_EXE="$exe" scripts/e2e.sh "$build" release. || fail "the unpacked program (end-to-end release.*)"

# The screenshot script on one face, so that it cannot rot unseen.
if scripts/screenshots.sh --build "$build" --out "$faces" osd >/dev/null; then
  picture="$faces/osd-label.png"
  size="$(identify -format '%w %h' "$picture" 2>/dev/null)"
  read -r width height <<<"$size"
  # The label's lime on the screen around it.
  lime="$(convert "$picture" -fill black +opaque '#00FF00' -format '%[fx:mean.g>0]' info: 2>/dev/null)"
  if [[ -z "$size" || $width -lt 20 || $width -ge 1024 || $height -lt 20 || $height -ge 768 || "$lime" != 1 ]]; then
    fail "the screenshot of the OSD label is not the label (${size:-no picture}, lime: ${lime:-?})"
  else
    say "screenshot of the OSD label: $width x $height"
  fi
else
  fail "scripts/screenshots.sh osd"
fi

if (( ${#failed[@]} )); then
  say "${#failed[@]} check(s) failed"
  exit 1
fi
say "all checks passed"
