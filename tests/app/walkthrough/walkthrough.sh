#!/usr/bin/env bash
# A lender's first two days with Duebell, on the real program inside an X server of its own
# (run under xserver.sh by walkthrough_test, which then checks the files and PDFs left behind):
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
# step exits non-zero saying which. Nothing depends on the interface font: what is clicked is
# found where it is drawn, fields and questions are reached by the keyboard, and a step counts
# as done only once its window has closed or a field reads back what was typed.
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
# Reads the focused field back through the clipboard and fails unless it holds that text.
holds() {
  local said
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  said=$(xclip -selection clipboard -o 2>/dev/null)
  [ "$said" = "$1" ] || fail "the field holds \"$said\", not \"$1\""
}
# Answers the next Yes/No group in the tab order: Space chooses the "Yes" the focus lands on,
# the right arrow then moves to "No" and chooses it.
answer() {
  keys Tab space
  [ "$1" = No ] && keys Right
}
# Saves the focused dialog, whose title that is, and waits until it has closed.
save() {
  keys alt+s
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "\"$1\" stayed open on Save"
}

# The main window's menu: menu ALT_LETTER LETTER... (with the main window focused first).
menu() {
  focus '^Duebell v1\.01$'
  keys "alt+$1"
  shift
  for letter in "$@"; do keys "$letter"; done
  sleep 0.4
}
# The main window's tabs as drawn, whatever their captions' widths: the pane under them is the
# first dark line down the window's right edge, and just above it each tab's edge is a dark
# pixel. Sets pane (its top) and edges (each edge's x), both on the screen.
see_tabs() {
  local main X Y WIDTH HEIGHT SCREEN x gray previous=255
  main=$(window '^Duebell v1\.01$') || fail "no main window"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  pane=$(import -window root -crop "1x$HEIGHT+$((X + WIDTH - 10))+$Y" +repage \
         -colorspace gray -depth 8 gray:- | od -An -v -tu1 -w1 |
         awk '$1 < 200 { print NR - 1; exit }')
  [ -n "$pane" ] || fail "no tabs seen in the main window"
  pane=$((Y + pane))
  edges=()
  x=$X
  while read -r gray; do
    [ "$gray" -lt 200 ] && [ "$previous" -ge 200 ] && edges+=("$x")
    previous=$gray x=$((x + 1))
  done < <(import -window root -crop "${WIDTH}x1+$X+$((pane - 2))" +repage \
           -colorspace gray -depth 8 gray:- | od -An -v -tu1 -w1)
  [ ${#edges[@]} -eq 7 ] || fail "${#edges[@]} tab edges seen, not 7"
}
# Clicks a tab of the main window, by its place among the tabs.
tab() {
  local index
  case "$1" in
    transactions) index=0 ;;
    clients) index=2 ;;
    properties) index=3 ;;
    loans) index=4 ;;
    duebells) index=5 ;;
  esac
  focus '^Duebell v1\.01$'
  see_tabs
  xdotool mousemove $(((edges[index] + edges[index + 1]) / 2)) $((pane - 6)) click 1
  sleep 0.3
}

# The help the set-up guidance opened: shot, then put out of the way.
help_opened() {
  local help
  help=$(window '^Duebell Help$') || fail "$1: the set-up guidance opened no help"
  shoot "$1"
  xdotool windowunmap "$help"
}

# Focuses the loan transactions' loan list: Tab until it shows as focused (its text drawn as
# selected, blue, in the filter row under the tabs).
loan_list() {
  local main X Y WIDTH HEIGHT SCREEN blue
  see_tabs
  main=$(window '^Duebell v1\.01$') || fail "no main window"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  for _ in $(seq 1 10); do
    blue=$(import -window root -crop "400x52+$X+$((pane + 8))" +repage png:- |
           convert png:- -fx '(b>0.6 && r<0.4 && g<0.7) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
    [ "${blue:-0}" -gt 200 ] && return 0
    keys Tab
  done
  fail "the loan list never took the focus"
}
# Whether the "Duebells" caption is drawn red: counts red pixels over that tab.
duebells_red() {
  local red
  see_tabs
  red=$(import -window root -crop "$((edges[6] - edges[5]))x18+${edges[5]}+$((pane - 20))" +repage png:- |
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
holds "07 3123 4567"
shoot user_details
save '^User Details Configuration$'

menu c n
focus '^Notice Period Configuration$'
fields 14 30 60 14
shoot notice_periods
save '^Notice Period Configuration$'

menu c f a
focus '^Arrears Administration Fee Configuration$'
keys alt+a
focus '^Add/Edit Arrears Administration Fee$'
fields 02032026 55
shoot arrears_fee
save '^Add/Edit Arrears Administration Fee$'
focus '^Arrears Administration Fee Configuration$'
save '^Arrears Administration Fee Configuration$'

menu c p r
focus '^Recurring Public Holiday Configuration$'
keys alt+a
focus '^Add/Edit Recurring Public Holiday$'
fields Dec 25 "Christmas Day"
shoot recurring_holiday
save '^Add/Edit Recurring Public Holiday$'
focus '^Recurring Public Holiday Configuration$'
save '^Recurring Public Holiday Configuration$'

tab clients
keys alt+a
focus '^Add/Edit Client$'
fields "" Nguyen Anh "" "" 12 "Main St" Hilltop QLD 4000
holds 4000
shoot client
save '^Add/Edit Client$'

tab properties
keys alt+a
focus '^Add/Edit Property$'
fields "" 7 "Hill Rd" Hilltop QLD 4000
shoot property
save '^Add/Edit Property$'

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
holds 123456
keys Tab         # the payment calculator
answer No        # Add Installment Fee
answer Yes       # Print Drawdown Report
answer No        # Print Initial Bookkeeping Report
shoot loan
save '^Add/Edit Loan$'
# The draw-down notice opens with the new loan chosen.
focus '^Notice of Draw Down$'
shoot drawdown_notice
keys alt+p
print_to "$work/drawdown.pdf"
focus '^Notice of Draw Down$'
keys alt+c

tab transactions
loan_list
keys Down        # its first loan
keys alt+a
focus '^Add/Edit Loan Transaction$'
fields "" 1000 02032026
shoot short_payment
save '^Add/Edit Loan Transaction$'
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
