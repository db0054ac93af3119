#!/usr/bin/env bash
# korva and korva-batch on the command line: a usage error names the argument
# at fault and exits 2; a normal run writes nothing to standard error, even
# without XDG_RUNTIME_DIR.
#   command_line_test.sh KORVA KORVA_BATCH SCRIPTS_DIR
set -u
korva=$1
batch=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0

usage_error() {  # the argument to be named, command...
  local arg=$1
  shift
  "$@" > out.txt 2> err.txt
  local status=$?
  if [ $status != 2 ]; then
    echo "FAIL: $*: exit $status, expected 2"
    fail=1
  fi
  if ! grep -qF -- "'$arg'" err.txt; then
    echo "FAIL: $*: the error does not name '$arg':"
    cat err.txt
    fail=1
  fi
  if [ -s out.txt ]; then
    echo "FAIL: $*: a usage error wrote to standard output"
    fail=1
  fi
}

usage_error --bogus "$korva" --bogus
usage_error -x "$korva" design.txt -x
usage_error second.txt "$korva" first.txt second.txt
usage_error --bogus "$batch" --bogus
usage_error --bogus "$batch" --panel --bogus script.korva
usage_error second.korva "$batch" first.korva second.korva
usage_error --bogus "$batch" --export design.txt out.svg --size 100 --bogus
usage_error --size "$batch" --export design.txt out.svg --size
usage_error --screenshot "$batch" script.korva --screenshot

quiet() {  # what, command... : exit 0 and nothing on standard error
  local what=$1
  shift
  env -u XDG_RUNTIME_DIR "$@" > out.txt 2> err.txt
  local status=$?
  if [ $status != 0 ] || [ -s err.txt ]; then
    echo "FAIL: $what: exit $status, standard error:"
    cat err.txt
    fail=1
  fi
}

quiet "a script" "$batch" --panel "$data/startup_panel.korva"
quiet "a render" "$batch" --render "$data/spiral.txt" spiral.bmp
quiet "an export" "$batch" --export "$data/spiral.txt" spiral.svg --size 100
quiet "korva --version" "$korva" --version

# The window runs until it is closed: it is given a few seconds, and must
# still be running and have said nothing. Off-screen, with settings kept here.
env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen HOME="$work" XDG_CONFIG_HOME="$work/config" \
  timeout 3 "$korva" "$data/spiral.txt" > out.txt 2> err.txt
status=$?
if [ $status != 124 ] || [ -s err.txt ]; then
  echo "FAIL: korva with a design: exit $status (124: still running), standard error:"
  cat err.txt
  fail=1
fi

[ $fail = 0 ] && echo "command-line tests passed"
exit $fail
