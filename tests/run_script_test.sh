#!/usr/bin/env bash
# Runs one korva-batch scenario and compares its output with NAME.expected.
# Lines "# flags: ..." give the command-line flags, "# exit: N" the expected status.
set -u
batch=$1
script=$2
expected=${script%.korva}.expected
flags=$(sed -n 's/^# flags: //p' "$script" | head -1)
want_status=$(sed -n 's/^# exit: //p' "$script" | head -1)
want_status=${want_status:-0}
# Settings of its own: nothing the user has set reaches the run.
XDG_CONFIG_HOME=$(mktemp -d) || exit 1
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
cd "$(dirname "$script")" || exit 1
# shellcheck disable=SC2086
actual=$("$batch" $flags "$script" 2>/dev/null)
status=$?
if [ "$status" != "$want_status" ]; then
  echo "exit status $status, expected $want_status"
  echo "$actual"
  exit 1
fi
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  exit 1
fi
