#!/usr/bin/env bash
# korva-batch resize, wheel and the View zoom items: the window takes the
# size asked for, --screenshot follows the device pixel ratio, and --panel
# is the same with and without the view actions.
set -u
batch=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_CONFIG_HOME=$out/config
fail() { echo "FAIL: $*"; exit 1; }
# A PNG's width and height, from its header.
png_size() { od -An -t u1 -j 16 -N 8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

# Each saves its picture and its design as it ends.
saves() { printf '%s\n' "answer save $out/$1.bmp" 'click SaveBMP1' "answer save $out/$1.txt" \
  'click SaveTXT1'; }
{ printf 'click Draw\ndrag ScrollBarFixed 150\nclick Draw\n'; saves plain; } >"$out/plain.korva"
{ printf '%s\n' 'resize 1500 1100' 'click Draw' 'click ZoomIn1' 'wheel PaintBox1 3 ctrl 10 20' \
  'drag ScrollBarFixed 150' 'wheel PaintBox1 -2' 'wheel PaintBox1 4 shift' 'click ZoomActual1' \
  'click Draw' 'click SmoothLines1' 'click ZoomOut1' 'click SmoothLines1' 'resize 1000 800'
  saves viewed; } >"$out/viewed.korva"
"$batch" --panel "$out/plain.korva" >"$out/plain.panel" || fail "plain script exited $?"
"$batch" --panel --screenshot "$out/viewed.png" "$out/viewed.korva" >"$out/viewed.panel" ||
  fail "viewed script exited $?"
# Only the zoom line may differ.
diff -u <(grep -v '^zoom ' "$out/plain.panel") <(grep -v '^zoom ' "$out/viewed.panel") ||
  fail "the view actions changed --panel"
grep -qx 'zoom 100 %' "$out/plain.panel" || fail "no zoom line in --panel"
cmp "$out/plain.bmp" "$out/viewed.bmp" || fail "the view actions changed Save BMP"
# Save TXT's first line names the file.
cmp <(tail -n +2 "$out/plain.txt") <(tail -n +2 "$out/viewed.txt") ||
  fail "the view actions changed Save TXT"
[ "$(png_size "$out/viewed.png")" = 1000x800 ] || fail "screenshot is $(png_size "$out/viewed.png")"

QT_SCALE_FACTOR=2 "$batch" --screenshot "$out/double.png" "$out/viewed.korva" >/dev/null ||
  fail "scaled script exited $?"
[ "$(png_size "$out/double.png")" = 2000x1600 ] || fail "scaled screenshot is $(png_size "$out/double.png")"

printf 'wheel Draw 1\n' >"$out/bad.korva"
"$batch" "$out/bad.korva" >"$out/bad.log"
[ $? = 2 ] || fail "a wheel over a button did not fail"
grep -q "'Draw' takes no wheel" "$out/bad.log" || fail "no message: $(cat "$out/bad.log")"
echo "view batch tests passed"
