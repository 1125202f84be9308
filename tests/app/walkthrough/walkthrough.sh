#!/usr/bin/env bash
# A lender's first two days with Duebell, on the real program inside an X server of its own
# (run under xvfb-run by walkthrough_test, which then checks the files and PDFs left behind):
#   walkthrough.sh PROGRAM WORK_FOLDER SHOTS_FOLDER
# Day one (DUEBELL_TODAY=2026-03-02), on the empty folder WORK/book: the set-up help opens;
# the user details, notice periods, an arrears administration fee of $55.00 and a recurring
# holiday are entered; a client, a property and a loan drawn down on 2 February (its draw-down
# notice printed to WORK/drawdown.pdf); a short payment of $1,000.00 today; Ctrl+S, Exit.
# Day two (2026-03-03): the start-up refresh turns "Duebells" red; the default notice is
# printed to WORK/default.pdf, charging the fee; the book is exported to WORK/book.mvd; Exit
# answers Yes to saving. Then WORK/copy, empty, imports the archive; the program starts
# itself again there and shows the same loan; Exit.
# Each step leaves a screenshot in SHOTS (walk_NN_step.png). Every wait is bounded; a failed
# step exits non-zero saying which.
set -u
program=$1 work=$2 shots=$3
unset QT_QPA_PLATFORM
book=$work/book copy=$work/copy
mkdir -p "$book" "$copy" "$shots"
step=0

fail() {
  echo "walkthrough: $*" >&2
  import -window root "$shots/walk_failed.png" 2>/dev/null
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}

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

# Waits up to 10 s for a process to end (a child: gives its exit code).
ended() {
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; return $?; }
    sleep 0.1
  done
  return 124
}

shoot() { # shoot NAME: the whole screen, numbered in order
  step=$((step + 1))
  sleep 0.4
  import -window root "$shots/$(printf 'walk_%02d_%s' "$step" "$1").png" || fail "no screenshot $1"
}

# Focuses the window with that title (waiting for it) and remembers it as $win.
focus() {
  win=$(window "$1") || fail "no window \"$1\""
  xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
  sleep 0.2
}

keys() { xdotool key --delay 60 "$@"; sleep 0.2; }
text() { xdotool type --delay 12 "$1"; }
# Fields in tab order: each argument is typed into the next field ("" leaves one as it is).
fields() {
  local first=1
  for value in "$@"; do
    [ $first -eq 1 ] || xdotool key Tab
    first=0
    [ -n "$value" ] && text "$value"
  done
  sleep 0.2
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }

# The main window's menu: menu ALT_LETTER LETTER... (with the main window focused first).
menu() {
  focus '^Duebell v1\.01$'
  keys "alt+$1"
  shift
  for letter in "$@"; do keys "$letter"; done
  sleep 0.4
}
# Tabs of the main window, by the position of their captions in it.
tab() {
  focus '^Duebell v1\.01$'
  case "$1" in
    transactions) click 66 78 ;;
    clients) click 312 78 ;;
    properties) click 387 78 ;;
    loans) click 459 78 ;;
    duebells) click 527 78 ;;
  esac
}

# The help the set-up guidance opened: shot, then put out of the way.
help_opened() {
  local help
  help=$(window '^Duebell Help$') || fail "$1: the set-up guidance opened no help"
  shoot "$1"
  xdotool windowunmap "$help"
}

# Whether the "Duebells" caption is drawn red: counts red pixels over the tab's caption.
duebells_red() {
  local main x y red
  main=$(window '^Duebell v1\.01$') || return 1
  eval "$(xdotool getwindowgeometry --shell "$main")"
  x=$((X + 500)) y=$((Y + 70))
  red=$(import -window root -crop "60x16+$x+$y" +repage png:- |
        convert png:- -fx '(r>0.6 && g<0.35 && b<0.35) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
  [ "${red:-0}" -gt 10 ]
}

# Chooses a PDF file in the print dialog.
print_dialog_to() {
  focus '^Print$'
  keys alt+f
  keys ctrl+a
  text "$1"
  shoot "print_dialog_$(basename "$1" .pdf)"
  keys Return
}

wait_for_pdf() {
  for _ in $(seq 1 50); do [ -s "$1" ] && break; sleep 0.1; done
  [ -s "$1" ] || fail "no PDF $1"
}

# Prints the focused report dialog's document to a PDF file through the print dialog.
print_to() {
  print_dialog_to "$1"
  wait_for_pdf "$1"
}

exit_program() { # exit_program ANSWER_TO_SAVING (empty: no question expected)
  menu f x
  focus '^Confirm$'
  keys Return
  if [ -n "$1" ]; then
    focus '^Confirm$'
    shoot exit_save_question
    keys "$1"
  fi
}

start() { # start DAY FOLDER
  DUEBELL_TODAY=$1 "$program" --data-dir "$2" --no-splash-wait &
  pid=$!
  window '^Duebell v1\.01$' >/dev/null || fail "no main window on $1"
}

# ---- Day one -------------------------------------------------------------------------------
start 2026-03-02 "$book"
help_opened first_start_help

menu c u
focus '^User Details Configuration$'
fields "Hilltop Homes" "Jo Lender" "" "1 Main St" "Hilltop" "QLD" "4000" "07 3123 4567"
shoot user_details
keys alt+s

menu c n
focus '^Notice Period Configuration$'
fields 14 30 60 14
shoot notice_periods
keys alt+s

menu c f a
focus '^Arrears Administration Fee Configuration$'
keys alt+a
focus '^Add/Edit Arrears Administration Fee$'
fields 02032026 55
shoot arrears_fee
keys alt+s
focus '^Arrears Administration Fee Configuration$'
keys alt+s

menu c p r
focus '^Recurring Public Holiday Configuration$'
keys alt+a
focus '^Add/Edit Recurring Public Holiday$'
fields Dec 25 "Christmas Day"
shoot recurring_holiday
keys alt+s
focus '^Recurring Public Holiday Configuration$'
keys alt+s

tab clients
keys alt+a
focus '^Add/Edit Client$'
fields "" Nguyen Anh "" "" 12 "Main St" Hilltop QLD 4000
shoot client
keys alt+s

tab properties
keys alt+a
focus '^Add/Edit Property$'
fields "" 7 "Hill Rd" Hilltop QLD 4000
shoot property
keys alt+s

tab loans
keys alt+a
focus '^Add/Edit Loan$'
keys Tab Down Tab Down Tab   # the first property, the first client
text 300000; keys Tab; text 30000
keys Tab ctrl+a; text 25      # a spin box keeps its text: replaced whole
keys Tab; text Monthly; keys Tab; text Half; keys Tab; text 7
keys Tab Tab; text 02022026   # a whole date leaves the cursor on its year
keys Tab Tab
fields Westpac Hilltop 032000 123456
click 79 425   # Add Installment Fee: No
click 257 425  # Print Drawdown Report: Yes
click 536 425  # Print Initial Bookkeeping Report: No
shoot loan
keys alt+s
# The draw-down notice opens with the new loan chosen.
focus '^Notice of Draw Down$'
shoot drawdown_notice
keys alt+p
print_to "$work/drawdown.pdf"
focus '^Notice of Draw Down$'
keys alt+c

tab transactions
click 85 131   # the loan list drops down; Return takes its first loan
keys Return
keys alt+a
focus '^Add/Edit Loan Transaction$'
fields "" 1000 02032026
shoot short_payment
keys alt+s
tab transactions
shoot day_one_done
duebells_red && fail "Duebells red on day one already"
focus '^Duebell v1\.01$'
keys ctrl+s
exit_program ""
ended "$pid" || fail "day one did not end"

# ---- Day two -------------------------------------------------------------------------------
start 2026-03-03 "$book"
help_opened day_two_help
tab duebells
shoot duebells_red
duebells_red || fail "Duebells is not red on day two"

menu p n d
focus '^Notice of Default$'
keys Down
shoot default_notice
keys alt+p
print_dialog_to "$work/default.pdf"
focus '^Confirm$'   # the arrears administration fee, asked once the printer is chosen: Yes
keys Return
wait_for_pdf "$work/default.pdf"
focus '^Notice of Default$'
keys alt+c

menu f e
focus '^Save As$'
text "$work/book.mvd"
shoot export
keys Return
for _ in $(seq 1 50); do [ -s "$work/book.mvd" ] && break; sleep 0.1; done
[ -s "$work/book.mvd" ] || fail "no export"
exit_program Return
ended "$pid" || fail "day two did not end"

# ---- The copy ------------------------------------------------------------------------------
start 2026-03-03 "$copy"
help_opened copy_first_start
menu f i
focus '^Open$'
text "$work/book.mvd"
shoot import
keys Return
focus '^Information$'
shoot imported
keys Return
ended "$pid" || fail "the importing copy did not end"
main=$(window '^Duebell v1\.01$') || fail "the program did not start again after the import"
pid=$(xdotool getwindowpid "$main") || fail "no process for the restarted program"
help_opened restarted_help
tab loans
shoot copy_loans
tab duebells
shoot copy_duebells
duebells_red || fail "Duebells is not red in the imported copy"
exit_program ""
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the imported copy did not end"
exit 0
