#!/usr/bin/env bash
# Starts keytide.exe: natively on Windows (MSYS2), under Wine elsewhere. It
# needs a display; on a machine without one it says how to get a virtual one.
# Says in one line where the program runs from and how to end it, and keeps
# Wine's own chatter (prefix set-up, a missing sound card) off the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/mingw/keytide.exe
[ -f "$exe" ] || exe=build/msys2/keytide.exe
stop_hint='it lives in the tray: end it with the tray menu'"'"'s "Exit"'

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    echo "Keytide runs from $(cd "$(dirname "$exe")" && pwd) (ktd.ini beside it); $stop_hint."
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

first_run=""
[ -f "$WINEPREFIX/system.reg" ] || first_run=" (the first start sets up Wine: give it a minute)"
echo "Keytide runs from $home_dir (ktd.ini beside it)$first_run; $stop_hint."

# Made here rather than by the program's start, whose set-up messages would
# land on the terminal.
if [ -n "$first_run" ]; then
  wineboot -i >/dev/null 2>&1 || true
fi

# Without a sound card Wine's sound drivers fill the terminal with ALSA's
# complaints at every start; Wine's "no sound" setting stops them (the volume
# keys then do nothing). A machine with a sound server or an ALSA card keeps
# Wine's own choice.
has_sound() {
  [ -n "${PULSE_SERVER:-}" ] && return 0
  [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ] && return 0
  [ -r /proc/asound/cards ] && ! grep -q 'no soundcards' /proc/asound/cards
}
drivers_key='HKCU\Software\Wine\Drivers'
muted=$(awk '/^\[/ { in_drivers = ($1 == "[Software\\\\Wine\\\\Drivers]") }
              in_drivers && /^"Audio"=""/ { found = 1 } END { print found + 0 }' "$WINEPREFIX/user.reg" 2>/dev/null || echo 0)
if ! has_sound && [ "$muted" = 0 ]; then
  wine reg add "$drivers_key" /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1 || true
elif has_sound && [ "$muted" = 1 ]; then
  wine reg delete "$drivers_key" /v Audio /f >/dev/null 2>&1 || true
fi

exec wine "$home_dir/keytide.exe"
