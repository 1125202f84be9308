#!/usr/bin/env bash
# Drives the real program inside an X server of its own (run under xserver.sh by realrun_test):
#   realrun.sh PROGRAM DATA_FOLDER SHOTS_FOLDER SCENARIO [ARCHIVE]
# Scenarios:
#   first   - a first start: screenshot of the help opened by the set-up guidance, Ctrl+S, then
#             File > Exit answered Yes
#   alerts  - screenshot of the main window, Ctrl+S, File > Exit answered Yes
#   locked  - a second copy on the same folder reports the lock and ends; then the first exits
#   import  - File > Import of ARCHIVE, the message answered; the program ends and starts again
#             on the same folder with the same arguments; that copy saves (Ctrl+S) into the
#             folder and exits
# Every wait is bounded; a failed step exits non-zero with a message.
set -u
program=$1 data=$2 shots=$3 scenario=$4 archive=${5:-}
unset QT_QPA_PLATFORM

fail() { echo "realrun: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

# The id of the first visible window whose title matches, waiting up to 10 s.
window() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for the process to end; gives its exit code.
ended() {
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
    sleep 0.1
  done
  return 124
}

shoot() { sleep 0.5; import -window root "$shots/$1.png" || fail "no screenshot $1"; }

keys() { # keys WINDOW KEY...: focus the window, then type
  local id=$1; shift
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  sleep 0.2
  xdotool key --delay 100 "$@"
}

# Waits up to 10 s for a process that is not this script's child to end.
gone() {
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

exit_by_menu() {
  keys "$main" alt+f
  sleep 0.3
  xdotool key x
  confirm=$(window '^Confirm$') || fail "no exit question"
  keys "$confirm" Return
  ended "$pid"
  code=$?
  [ "$code" -eq 0 ] || fail "the program ended with $code"
}

"$program" --data-dir "$data" --no-splash-wait &
pid=$!
main=$(window '^Duebell v1\.01$') || fail "no main window"

case "$scenario" in
  first)
    window '^Duebell Help$' >/dev/null || fail "the set-up guidance opened no help"
    shoot help_viewer_first_start
    keys "$main" ctrl+s
    sleep 0.5
    exit_by_menu
    ;;
  alerts)
    shoot main_window_with_alerts_xvfb
    keys "$main" ctrl+s
    sleep 0.5
    exit_by_menu
    ;;
  locked)
    "$program" --data-dir "$data" --no-splash-wait &
    second=$!
    error=$(window '^Error$') || fail "the second copy said nothing"
    shoot second_copy_refused
    keys "$error" Return
    ended "$second"
    code=$?
    [ "$code" -eq 1 ] || fail "the second copy ended with $code"
    exit_by_menu
    ;;
  import)
    keys "$main" alt+f
    sleep 0.3
    xdotool key i
    chooser=$(window '^Open$') || fail "no file chooser"
    sleep 0.5
    xdotool type --delay 20 "$archive"
    shoot import_chooser
    xdotool key Return
    message=$(window '^Information$') || fail "no message after the import"
    shoot import_message
    keys "$message" Return
    ended "$pid"
    code=$?
    [ "$code" -eq 0 ] || fail "the importing copy ended with $code"
    main=$(window '^Duebell v1\.01$') || fail "the program did not start again"
    pid=$(xdotool getwindowpid "$main") || fail "no process for the restarted window"
    arguments=$(tr '\0' ' ' < "/proc/$pid/cmdline")
    case "$arguments" in
      *"--data-dir $data --no-splash-wait"*) ;;
      *) fail "restarted with other arguments: $arguments" ;;
    esac
    shoot restarted_after_import
    before=$(stat -c %i "$data/MV_DATA.XML")
    keys "$main" ctrl+s
    for _ in $(seq 1 100); do
      [ "$(stat -c %i "$data/MV_DATA.XML")" != "$before" ] && break
      sleep 0.1
    done
    [ "$(stat -c %i "$data/MV_DATA.XML")" != "$before" ] ||
      fail "the restarted copy did not save into the same folder"
    keys "$main" alt+f
    sleep 0.3
    xdotool key x
    confirm=$(window '^Confirm$') || fail "no exit question"
    keys "$confirm" Return
    gone "$pid" || fail "the restarted copy did not end"
    ;;
  *) fail "unknown scenario $scenario" ;;
esac
