#!/usr/bin/env bash
# Starts keytide.exe: natively on Windows (MSYS2), under Wine elsewhere. It
# needs a display; on a machine without one it says how to get a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/mingw/keytide.exe
[ -f "$exe" ] || exe=build/msys2/keytide.exe

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    exec "$exe"
    ;;
esac

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'TXT'
keytide: no X display (DISPLAY is not set), so Wine cannot show the program.
  On a desktop, run this from a terminal inside the X session.
  On a headless machine, give it a virtual display, for example:
      xvfb-run -a -s "-screen 0 1024x768x24" make run
  or start one yourself:  Xvfb :5 -screen 0 1024x768x24 &  DISPLAY=:5 make run
TXT
  exit 2
fi

# The program's own prefix, kept between runs.
export WINEPREFIX=${KEYTIDE_WINEPREFIX:-$HOME/.local/share/keytide/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$(dirname "$WINEPREFIX")"
# ktd.ini lives beside the executable: run a copy from a folder of its own so
# that the build directory is not where the settings end up.
home_dir=${KEYTIDE_HOME:-$HOME/.local/share/keytide/program}
mkdir -p "$home_dir"
cp -f "$exe" "$home_dir/keytide.exe"
# The help page goes along, into Help beside the program, where its "Help" menu items look.
if [ -d "$(dirname "$exe")/Help" ]; then
  cp -rf "$(dirname "$exe")/Help" "$home_dir/"
fi
echo "Starting Keytide from $home_dir (ktd.ini is kept there). It runs hidden; close it with Ctrl+C."
exec wine "$home_dir/keytide.exe"
