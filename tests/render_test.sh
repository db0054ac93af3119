#!/usr/bin/env bash
# korva-batch --render: a design becomes a 640 x 640, 24-bit bitmap; a file
# that is not a design fails with the window's message and status 1.
set -u
batch=$1
data=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Settings of its own: nothing the user has set reaches the runs.
export XDG_CONFIG_HOME=$out/config
fail() { echo "FAIL: $*"; exit 1; }

"$batch" --render "$data/spiral.txt" "$out/spiral.bmp" 2>"$out/log" || fail "render exited $?: $(cat "$out/log")"
size=$(stat -c %s "$out/spiral.bmp")
[ "$size" = 1228854 ] || fail "bitmap is $size bytes, expected 54 + 640 * 640 * 3"
[ "$(head -c 2 "$out/spiral.bmp")" = BM ] || fail "no BMP signature"
bpp=$(od -An -t u2 -j 28 -N 2 "$out/spiral.bmp" | tr -d ' ')
[ "$bpp" = 24 ] || fail "$bpp bits per pixel"

"$batch" --render "$data/not_a_design.txt" "$out/bad.bmp" 2>"$out/log"
status=$?
[ $status = 1 ] || fail "a wrong header exited $status"
grep -q "not a KORVA file" "$out/log" || fail "no message: $(cat "$out/log")"
[ ! -e "$out/bad.bmp" ] || fail "a bitmap was written for a wrong file"

"$batch" --render "$data/missing.txt" "$out/bad.bmp" 2>"$out/log"
[ $? = 1 ] || fail "a missing file did not fail"
grep -q "error: File not found" "$out/log" || fail "no message for a missing file"
echo "render tests passed"
