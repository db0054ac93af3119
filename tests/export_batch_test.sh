#!/usr/bin/env bash
# korva-batch --export: formats by extension, options, exit statuses, and no
# file left behind by a failed export.
set -u
batch=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings of its own: nothing the user has set reaches the runs.
export XDG_CONFIG_HOME=$work/config
cd "$work" || exit 1
printf 'KORVA,x\r\n255,96,60,0,0,480,5,1000,0,0,3,\r\n16711680,105,30,1,0,300,10,500,0,0,\r\n' > design.txt
printf 'KORVA,x\r\n0,96,60,0,0,480,0,1000,0,0,\r\n' > undrawable.txt
fail=0
expect() {  # status, description, command...
  local want=$1 what=$2
  shift 2
  "$@" > out.log 2>&1
  local got=$?
  if [ "$got" != "$want" ]; then
    echo "FAIL: $what: exit $got, expected $want"
    cat out.log
    fail=1
  fi
}
expect 0 "svg" "$batch" --export design.txt a.svg --size 150 --simplify 0.05 --single-layer
expect 0 "pdf" "$batch" --export design.txt a.pdf --no-canvas
expect 0 "png" "$batch" --export design.txt a.png --size 700
grep -q 'width="150mm" height="150mm" viewBox="0 0 150 150"' a.svg || { echo "FAIL: svg size"; fail=1; }
grep -q 'id="pattern-2"' a.svg || { echo "FAIL: svg patterns"; fail=1; }
[ "$(head -c 4 a.pdf)" = "%PDF" ] || { echo "FAIL: pdf header"; fail=1; }
[ "$(head -c 4 a.png | tail -c 3)" = "PNG" ] || { echo "FAIL: png header"; fail=1; }
expect 1 "a refused design" "$batch" --export undrawable.txt b.svg
grep -q "cannot be drawn" out.log || { echo "FAIL: the refusal is not shown"; fail=1; }
expect 1 "a missing file" "$batch" --export missing.txt b.svg
expect 1 "a missing folder" "$batch" --export design.txt nowhere/b.svg
expect 1 "a size out of range" "$batch" --export design.txt b.png --size 20000
expect 2 "an unknown format" "$batch" --export design.txt b.gif
expect 2 "a bad number" "$batch" --export design.txt b.svg --size big
# Strict options: a usage error that names the option.
usage() {  # option named, description, export arguments...
  local option=$1 what=$2
  shift 2
  expect 2 "$what" "$batch" --export design.txt "$@"
  grep -q -- "$option" out.log || { echo "FAIL: $what: $option is not named"; cat out.log; fail=1; }
}
usage --size "a PNG size with a fraction" b.png --size 1.5
usage --size "a PNG size in hexadecimal" b.png --size 0x10
usage --size "a PNG size with an exponent" b.png --size 1e3
usage --size "an SVG size in hexadecimal" b.svg --size 0x10
usage --size "a PDF size that is no number" b.pdf --size inf
usage --size "a size with no value" b.svg --size
usage --simplify "simplifying a PNG" b.png --simplify 0.1
usage --simplify "a tolerance in hexadecimal" b.svg --simplify 0x1
usage --single-layer "one layer of a PNG" b.png --single-layer
usage --single-layer "one layer of a PDF" b.pdf --single-layer
usage --bogus "an unknown option" b.svg --bogus
expect 0 "a decimal size" "$batch" --export design.txt c.pdf --size 100.25 --simplify .5
expect 0 "no canvas for a PNG" "$batch" --export design.txt c.png --size 64 --no-canvas
grep -q '/MediaBox \[0 0 284.1732 284.1732 \]' c.pdf || { echo "FAIL: pdf size 100.25 mm"; fail=1; }
if ls b.* nowhere 2>/dev/null | grep -q .; then
  echo "FAIL: a failed export left a file"
  fail=1
fi
ls -A | grep -q '^\.' && { echo "FAIL: a temporary file was left"; ls -A; fail=1; }
[ $fail = 0 ] && echo "export batch tests passed"
exit $fail
