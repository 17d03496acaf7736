# shellcheck shell=bash
# Shared Wine environment for running the Windows programs of this project.
# Source it (". scripts/wine-env.sh"); it only defines variables and functions.
#
# Exported on sourcing:
#   WINEPREFIX        $KEYTIDE_WINEPREFIX, else <repo>/build/wineprefix
#   WINEDEBUG         -all (Wine's own diagnostics off)
#   WINEDLLOVERRIDES  mscoree,mshtml= (never ask for Mono or Gecko)
#   WINEARCH          win64
#
# Functions:
#   keytide_wine_session_begin   the usual entry point: takes the prefix lock
#                                (one Wine user of the prefix at a time, since
#                                every program in a prefix shares one
#                                wineserver, desktop, hot keys and windows),
#                                starts a private Xvfb, makes sure the prefix
#                                exists, and installs an EXIT trap that calls
#                                keytide_wine_session_end.
#   keytide_wine_session_end     stops the wineserver of the prefix (waits for
#                                it to go), stops the private Xvfb, releases
#                                the lock. Safe to call more than once.
#   keytide_wine_prefix_ensure   makes the prefix when it is missing or was
#                                made by another Wine version (a stamp file
#                                tells): a copy of the machine's template
#                                prefix, which wineboot makes once per machine
#                                and Wine version (the one-time set-up, about a
#                                minute), so that a new clone or a second
#                                session gets its prefix in seconds.
#   keytide_xvfb_start           starts Xvfb on a free display number
#                                (1024x768x24) and exports DISPLAY.
#   keytide_xvfb_stop            stops it again.
#   keytide_winepath_w PATH      prints the Windows form of a Unix path.
#
# Tunables: KEYTIDE_WINEPREFIX, KEYTIDE_WINE_TEMPLATE (the template prefix,
# default ~/.cache/keytide/wineprefix-template), KEYTIDE_WINE_LOCK_TIMEOUT
# (seconds to wait for another user of the prefix, default 1800),
# KEYTIDE_XVFB_SCREEN (default 1024x768x24).

KEYTIDE_REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${KEYTIDE_WINEPREFIX:-$KEYTIDE_REPO_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
KEYTIDE_PREFIX_STAMP="$WINEPREFIX/.keytide-prefix-ready"
KEYTIDE_WINE_TEMPLATE="${KEYTIDE_WINE_TEMPLATE:-${XDG_CACHE_HOME:-$HOME/.cache}/keytide/wineprefix-template}"
KEYTIDE_WINE_LOCK_FILE="$WINEPREFIX.lock"
KEYTIDE_WINE_LOCK_FD=""
KEYTIDE_XVFB_PID=""
KEYTIDE_XVFB_SCREEN="${KEYTIDE_XVFB_SCREEN:-1024x768x24}"

keytide_log() { printf 'wine-env: %s\n' "$*" >&2; }

# Runs a command with the lock descriptor closed, so that long-lived children
# (Xvfb, wineserver) never keep the lock after the session has ended.
keytide_without_lock() {
  if [[ -n "$KEYTIDE_WINE_LOCK_FD" ]]; then
    ( exec {KEYTIDE_WINE_LOCK_FD}>&-; exec "$@" )
  else
    "$@"
  fi
}

keytide_wine_lock() {
  [[ -n "$KEYTIDE_WINE_LOCK_FD" ]] && return 0
  mkdir -p "$(dirname "$KEYTIDE_WINE_LOCK_FILE")" || return 1
  exec {KEYTIDE_WINE_LOCK_FD}>>"$KEYTIDE_WINE_LOCK_FILE" || return 1
  if ! flock -n "$KEYTIDE_WINE_LOCK_FD"; then
    keytide_log "prefix $WINEPREFIX is in use by another run; waiting"
    if ! flock -w "${KEYTIDE_WINE_LOCK_TIMEOUT:-1800}" "$KEYTIDE_WINE_LOCK_FD"; then
      keytide_log "gave up waiting for $KEYTIDE_WINE_LOCK_FILE"
      exec {KEYTIDE_WINE_LOCK_FD}>&-
      KEYTIDE_WINE_LOCK_FD=""
      return 1
    fi
  fi
}

keytide_wine_unlock() {
  [[ -z "$KEYTIDE_WINE_LOCK_FD" ]] && return 0
  flock -u "$KEYTIDE_WINE_LOCK_FD" 2>/dev/null
  exec {KEYTIDE_WINE_LOCK_FD}>&-
  KEYTIDE_WINE_LOCK_FD=""
}

# Ends every Wine process of the prefix and waits until its wineserver is gone.
keytide_wineserver_stop() {
  command -v wineserver >/dev/null || return 0
  wineserver -k >/dev/null 2>&1
  if ! timeout 30 wineserver -w >/dev/null 2>&1; then
    keytide_log "wineserver did not stop within 30 s"
    return 1
  fi
}

# The machine's template prefix, made by wineboot when missing or made by
# another Wine version, with the Arial replacement of the test prefixes.
# Under its own lock: two clones may ask at the same time.
keytide_wine_template_ensure() (
  local version=$1 lock
  # The servers started here must not keep the caller's prefix lock.
  [[ -n "$KEYTIDE_WINE_LOCK_FD" ]] && exec {KEYTIDE_WINE_LOCK_FD}>&-
  export WINEPREFIX="$KEYTIDE_WINE_TEMPLATE"
  mkdir -p "$(dirname "$WINEPREFIX")" || exit 1
  exec {lock}>>"$WINEPREFIX.lock" || exit 1
  flock -w "${KEYTIDE_WINE_LOCK_TIMEOUT:-1800}" "$lock" || exit 1
  [[ "$(cat "$WINEPREFIX/.keytide-prefix-ready" 2>/dev/null)" == "$version" ]] && exit 0
  keytide_log "creating the template Wine prefix $WINEPREFIX ($version); this happens once per machine"
  keytide_wineserver_stop
  rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX" || exit 1
  # The registry reaches its files when the wineserver ends.
  if ( exec {lock}>&-; wineboot -i >/dev/null 2>&1 ) && keytide_wineserver_stop &&
      [[ -f "$WINEPREFIX/system.reg" ]]; then
    ( exec {lock}>&-; wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
        /d 'Liberation Sans' /f >/dev/null 2>&1 )
    keytide_wineserver_stop
    printf '%s' "$version" >"$WINEPREFIX/.keytide-prefix-ready"
  else
    keytide_log "wineboot -i failed for $WINEPREFIX"
    exit 1
  fi
)

keytide_wine_prefix_ensure() {
  local had_lock=1
  if [[ -z "$KEYTIDE_WINE_LOCK_FD" ]]; then
    had_lock=0
    keytide_wine_lock || return 1
  fi
  local version rc=0
  version="$(wine --version 2>/dev/null)"
  if [[ ! -f "$KEYTIDE_PREFIX_STAMP" || "$(cat "$KEYTIDE_PREFIX_STAMP")" != "$version" ]]; then
    keytide_wineserver_stop
    if keytide_wine_template_ensure "$version" &&
        rm -rf "$WINEPREFIX" && mkdir -p "$(dirname "$WINEPREFIX")" &&
        cp -a "$KEYTIDE_WINE_TEMPLATE" "$WINEPREFIX"; then
      keytide_log "made Wine prefix $WINEPREFIX from the template"
    else
      keytide_log "could not make Wine prefix $WINEPREFIX"
      rc=1
    fi
  fi
  (( had_lock )) || keytide_wine_unlock
  return $rc
}

keytide_xvfb_start() {
  [[ -n "$KEYTIDE_XVFB_PID" ]] && return 0
  local fifo display
  fifo="$(mktemp -u "${TMPDIR:-/tmp}/keytide-xvfb.XXXXXX")"
  mkfifo "$fifo" || return 1
  # -displayfd lets the server pick a free display number and report it once
  # it accepts connections; no polling, no races with other displays.
  # The subshell execs Xvfb, so $! is the server itself.
  (
    [[ -n "$KEYTIDE_WINE_LOCK_FD" ]] && exec {KEYTIDE_WINE_LOCK_FD}>&-
    exec Xvfb -displayfd 3 -screen 0 "$KEYTIDE_XVFB_SCREEN" -nolisten tcp 3>"$fifo" >/dev/null 2>&1
  ) &
  KEYTIDE_XVFB_PID=$!
  if ! read -r -t 30 display <"$fifo" || [[ -z "$display" ]]; then
    rm -f "$fifo"
    keytide_log "Xvfb did not start"
    keytide_xvfb_stop
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$display"
}

keytide_xvfb_stop() {
  [[ -z "$KEYTIDE_XVFB_PID" ]] && return 0
  kill "$KEYTIDE_XVFB_PID" 2>/dev/null
  wait "$KEYTIDE_XVFB_PID" 2>/dev/null
  KEYTIDE_XVFB_PID=""
}

keytide_winepath_w() {
  keytide_without_lock winepath -w "$1" 2>/dev/null
}

# --- test prefix like a Windows machine, and a sound device (settings and master-volume tests)
# The prefix lists no font named "Arial", which every Windows machine has and
# the program's default settings name: Wine's font replacement makes "Arial"
# list and draw as Liberation Sans (Debian's fonts-liberation). Added once per
# prefix; the check reads the saved registry file, so it costs no Wine start.
keytide_wine_prefix_fonts() {
  grep -q '^"Arial"="Liberation Sans"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  keytide_without_lock wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
    /d 'Liberation Sans' /f >/dev/null 2>&1 || keytide_log "could not add the Arial font replacement"
}

# A private PulseAudio daemon with a null sink for the session (scripts/pulse-null.sh),
# so that Wine finds an output device and programs see an audio mixer. Exports
# PULSE_SERVER; without pulseaudio the session goes on without a mixer.
KEYTIDE_PULSE_DIR=""
keytide_pulse_start() {
  [[ -n "$KEYTIDE_PULSE_DIR" ]] && return 0
  KEYTIDE_PULSE_DIR="$(mktemp -d "${TMPDIR:-/tmp}/keytide-pulse.XXXXXX")" || return 1
  local server
  if server="$(keytide_without_lock "$KEYTIDE_REPO_ROOT/scripts/pulse-null.sh" start "$KEYTIDE_PULSE_DIR")"; then
    export PULSE_SERVER="$server"
  else
    keytide_log "no PulseAudio null sink: programs will see no audio mixer"
  fi
}
keytide_pulse_stop() {
  [[ -z "$KEYTIDE_PULSE_DIR" ]] && return 0
  "$KEYTIDE_REPO_ROOT/scripts/pulse-null.sh" stop "$KEYTIDE_PULSE_DIR"
  rm -rf "$KEYTIDE_PULSE_DIR"
  KEYTIDE_PULSE_DIR=""
  unset PULSE_SERVER
}
# --- end of test prefix and sound device

KEYTIDE_SESSION_OPEN=0

keytide_wine_session_end() {
  (( KEYTIDE_SESSION_OPEN )) || return 0
  KEYTIDE_SESSION_OPEN=0
  keytide_wineserver_stop
  keytide_pulse_stop  # test prefix and sound device
  keytide_xvfb_stop
  keytide_wine_unlock
}

keytide_wine_session_begin() {
  keytide_wine_lock || return 1
  KEYTIDE_SESSION_OPEN=1
  trap 'keytide_wine_session_end' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # A wineserver left over from an earlier, interrupted run would still talk
  # to that run's (gone) display: stop it before starting ours.
  keytide_wineserver_stop
  keytide_xvfb_start || return 1
  keytide_pulse_start  # test prefix and sound device
  keytide_wine_prefix_ensure || return 1
  keytide_wine_prefix_fonts  # test prefix and sound device
}
