#!/usr/bin/env bash
# Pictures of the program's faces for the README (make screenshots). Runs the
# face.* programs of the end-to-end driver (tests/e2e/driver/FaceShots.cpp):
# the real keytide.exe under Wine on a private 1024x768 Xvfb, each face
# brought up as a user would and saved around it; then makes PNGs of them.
# Builds nothing; build the Windows tier first (make mingw).
#
# usage: scripts/screenshots.sh [--build DIR] [--out DIR] [face ...]
#   --build DIR  keytide.exe and ktdriver.exe (default build/mingw)
#   --out DIR    where the PNGs go (default docs)
#   face         osd (osd-label.png, volume-bar.png), tray_menu, editor,
#                settings, about, welcome; all when none is named
# Environment: KEYTIDE_WINEPREFIX as in scripts/wine-env.sh.
# Exit code 0 only when every face asked for was saved.
set -u

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build/mingw"
out="$repo/docs"
faces=()
while (( $# )); do
  case $1 in
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) faces+=("$1"); shift ;;
  esac
done
(( ${#faces[@]} )) || faces=(osd tray_menu editor settings about welcome)
[[ "$build" = /* ]] || build="$repo/$build"
mkdir -p "$out" && out="$(cd "$out" && pwd)" || exit 2

for exe in keytide.exe ktdriver.exe marker.exe; do
  [[ -f "$build/$exe" ]] || { echo "screenshots: $build/$exe is missing; build it first (make mingw)" >&2; exit 2; }
done
for tool in wine winepath Xvfb convert; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is not installed (scripts/setup.sh test)" >&2; exit 2; }
done

# The pictures show the screen size the README promises.
export KEYTIDE_XVFB_SCREEN=1024x768x24
# shellcheck source=wine-env.sh
. "$repo/scripts/wine-env.sh"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/keytide-shots.XXXXXX")"
mkdir -p "$scratch/shots" "$scratch/work"
trap 'keytide_wine_session_end; rm -rf "$scratch"' EXIT
keytide_wine_session_begin || { echo "screenshots: could not set up Wine and Xvfb" >&2; exit 2; }
trap 'keytide_wine_session_end; rm -rf "$scratch"' EXIT

win() { keytide_winepath_w "$1"; }
filters=()
for face in "${faces[@]}"; do filters+=("face.$face"); done
# Through a file: the session's servers, started by the first Wine program,
# would hold a pipe open.
(
  cd "$build" || exit 2
  [[ -n "$KEYTIDE_WINE_LOCK_FD" ]] && exec {KEYTIDE_WINE_LOCK_FD}>&-
  exec timeout -k 10 600 wine ./ktdriver.exe --exe "$(win "$build/keytide.exe")" --marker "$(win "$build/marker.exe")" \
    --work "$(win "$scratch/work")" --data "$(win "$repo/tests/e2e/data")" --shots "$(win "$scratch/shots")" \
    "${filters[@]}" >"$scratch/driver.log" 2>&1
)
rc=$?
tr -d '\r' <"$scratch/driver.log" | grep -av '^ALSA lib' | sed 's/^/screenshots: /'
keytide_wine_session_end

saved=0
for bmp in "$scratch"/shots/*.bmp; do
  [[ -f "$bmp" ]] || continue
  name="$(basename "$bmp" .bmp)"
  # No time stamps in the file: the same look gives the same bytes.
  if convert "$bmp" -strip -define png:exclude-chunks=date,time "$out/$name.png"; then
    echo "screenshots: $out/$name.png ($(identify -format '%wx%h' "$out/$name.png"))"
    saved=$((saved + 1))
  else
    rc=1
  fi
done
(( saved )) || { echo "screenshots: no picture was saved" >&2; (( rc )) || rc=1; }
exit "$rc"
