#!/usr/bin/env bash
# scripts/run in a copy of the tree whose dependency install, cmake and program are stand-ins:
# the program is started with the data folder ~/Duebell, made on the first run, unless
# --data-dir or DUEBELL_DATA_DIR names another.
#   runscript_test.sh SOURCE_DIR
set -u
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/scripts" "$work/tree/build/app" "$work/bin" "$work/home"
cp "$source_dir/scripts/run" "$work/tree/scripts/run"
printf '#!/bin/sh\n' >"$work/tree/scripts/install-deps"
printf '#!/bin/sh\n' >"$work/bin/cmake"
printf '#!/bin/sh\necho "folder=${DUEBELL_DATA_DIR:-} args=$*"\n' >"$work/tree/build/app/duebell"
chmod +x "$work/bin/cmake" "$work/tree/build/app/duebell"

failed=0
expect() { # expect WHAT ACTUAL EXPECTED
  [ "$2" = "$3" ] || { echo "$1: got '$2', expected '$3'"; failed=1; }
}
run() { env -u DUEBELL_DATA_DIR HOME="$work/home" PATH="$work/bin:$PATH" "$@"; }

expect "no folder named" "$(run bash "$work/tree/scripts/run" --no-splash-wait)" \
  "folder=$work/home/Duebell args=--no-splash-wait"
[ -d "$work/home/Duebell" ] || { echo "~/Duebell was not made"; failed=1; }
expect "--data-dir" "$(run bash "$work/tree/scripts/run" --data-dir /elsewhere)" \
  "folder= args=--data-dir /elsewhere"
expect "--data-dir=" "$(run bash "$work/tree/scripts/run" --data-dir=/elsewhere)" \
  "folder= args=--data-dir=/elsewhere"
expect "DUEBELL_DATA_DIR" "$(run DUEBELL_DATA_DIR=/there bash "$work/tree/scripts/run")" \
  "folder=/there args="

exit "$failed"
