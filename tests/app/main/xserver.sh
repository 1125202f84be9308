#!/usr/bin/env bash
# Runs a command inside an X server of its own (1280x900, 24 bits) and gives its exit code:
#   xserver.sh COMMAND [ARGUMENTS...]
# Xvfb picks a free display number itself (-displayfd), taking the display's lock file
# atomically, so tests starting at the same moment never race for one; -noreset keeps it
# accepting while a program restarts (a server with no client left would otherwise reset and
# refuse the new one). The command starts only once the server answers; the server ends with
# this script.
set -u
dir=$(mktemp -d) || exit 1
server="" child=""
cleanup() {
  for p in $child $server; do
    kill "$p" 2>/dev/null
    wait "$p" 2>/dev/null
  done
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
server=$!

# The server writes its display number once it accepts connections.
number=""
for _ in $(seq 1 300); do
  number=$(head -n 1 "$dir/display" 2>/dev/null)
  [ -n "$number" ] && grep -q $'\n' "$dir/display" && break
  number=""
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
[ -n "$number" ] || { echo "xserver: no X server started" >&2; cat "$dir/log" >&2; exit 1; }
export DISPLAY=":$number"
unset XAUTHORITY

answered=0
for _ in $(seq 1 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && { answered=1; break; }
  sleep 0.1
done
[ $answered -eq 1 ] || { echo "xserver: $DISPLAY does not answer" >&2; cat "$dir/log" >&2; exit 1; }

"$@" &
child=$!
wait "$child"
status=$?
child=""
exit $status
