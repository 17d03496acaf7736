#!/usr/bin/env bash
# A private PulseAudio daemon with two null sinks (keytide_null, the default,
# and keytide_null2), so that Wine's sound drivers find an output device and
# programs see an audio mixer (mixerGetNumDevs >= 1) on a machine without
# sound hardware. Nothing is played or heard.
#
# usage: scripts/pulse-null.sh start DIR   starts the daemon with its runtime
#                                          files in DIR (made if missing) and
#                                          prints the value for PULSE_SERVER
#                                          ("unix:DIR/native"); exit code 0
#                                          only once the daemon answers.
#        scripts/pulse-null.sh stop DIR    stops the daemon started in DIR
#                                          (by its pid file) and waits for it.
#        scripts/pulse-null.sh pause DIR   stops the daemon with SIGSTOP: it
#                                          still takes connections but never
#                                          answers; then makes DIR/pulse/paused.
#        scripts/pulse-null.sh resume DIR  lets it go on; removes that file.
#        scripts/pulse-null.sh default DIR SINK   makes SINK the default sink,
#                                          then writes its name to
#                                          DIR/pulse/default-sink.
# The daemon runs as the calling user (root included, without --system) and
# never exits on idle; only "stop" ends it.
set -u

command_name=${1:-}
dir=${2:-}
if [[ -z "$command_name" || -z "$dir" ]]; then
  echo "usage: $0 start|stop|pause|resume DIR, $0 default DIR SINK" >&2
  exit 2
fi

pid_file="$dir/pulse/pid"

case "$command_name" in
start)
  command -v pulseaudio >/dev/null || { echo "pulse-null: pulseaudio is not installed" >&2; exit 2; }
  mkdir -p "$dir" && chmod 700 "$dir" || exit 2
  dir="$(cd "$dir" && pwd)"
  socket="$dir/native"
  # HOME and XDG_RUNTIME_DIR keep the daemon's cookie, pid file and state out
  # of the user's own; anonymous access makes the cookie unnecessary.
  HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/.config" \
    pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 --use-pid-file=yes \
      -n --log-target="file:$dir/pulse.log" --log-level=info --log-time=yes \
      -L "module-null-sink sink_name=keytide_null" -L "module-null-sink sink_name=keytide_null2" \
      -L "module-native-protocol-unix auth-anonymous=1 socket=$socket" </dev/null >/dev/null 2>&1
  for _ in $(seq 50); do
    # pactl (pulseaudio-utils) confirms that it answers; without it the socket must do.
    if [[ -S "$socket" ]] && { ! command -v pactl >/dev/null || PULSE_SERVER="unix:$socket" pactl info >/dev/null 2>&1; }; then
      echo "unix:$socket"
      exit 0
    fi
    sleep 0.1
  done
  echo "pulse-null: the daemon did not come up (see $dir/pulse.log)" >&2
  exit 1
  ;;
stop)
  [[ -f "$pid_file" ]] || exit 0
  pid="$(cat "$pid_file")"
  [[ -n "$pid" ]] && kill -CONT "$pid" 2>/dev/null  # a stopped daemon would not hear the end
  if [[ -n "$pid" ]] && kill "$pid" 2>/dev/null; then
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -f "$pid_file" "$dir/pulse/paused"
  ;;
pause)
  kill -STOP "$(cat "$pid_file")" && touch "$dir/pulse/paused"
  ;;
resume)
  kill -CONT "$(cat "$pid_file")" && rm -f "$dir/pulse/paused"
  ;;
default)
  sink=${3:-}
  PULSE_SERVER="unix:$dir/native" pactl set-default-sink "$sink" && printf '%s' "$sink" >"$dir/pulse/default-sink"
  ;;
*)
  echo "usage: $0 start|stop|pause|resume DIR, $0 default DIR SINK" >&2
  exit 2
  ;;
esac
