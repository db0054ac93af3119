#!/usr/bin/env bash
# The window on a screen against korva-batch off-screen, in one run:
#  1. a Draw of the largest pattern (fixed 360, moving 1, hole 8, step 1) in
#     the window shown under Xvfb (korva_window_draw, QT_QPA_PLATFORM=xcb),
#     and the same Draw in korva-batch (offscreen), each process timed by
#     /usr/bin/time (clock and CPU); the ratio (target at most 1.15 x) and
#     each one's CPU/clock (target above 1.3: both cores used). Each is also
#     run without the Draw, and the difference is the Draw's own cost;
#  2. korva-batch opening a design of the largest pattern, against the two
#     fsincos a point alone split over every core (korva_bench's
#     BM_LargestTrigAloneAllCores); target at most 1.15 x.
# Each figure is the quickest of ROUNDS (default 3) rounds of all of these.
#
#   bench/window_draw.sh [BUILD_DIR]     (default: the source's build, after ./build.sh bench
#                                         or a build of korva-batch,
#                                         korva_window_draw and korva_bench)
# Needs xvfb (xvfb-run) and time.
# shellcheck disable=SC2154 # NAME_wall and NAME_cpu are set by timed, through printf -v
set -euo pipefail
self=$(realpath "$0")
root=$(dirname "$self")/..
build=$(realpath "${1:-$root/build}")

if [ -z "${KORVA_UNDER_X:-}" ]; then
  KORVA_UNDER_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$self" "$build"
fi

batch=$build/korva-batch
window=$build/bench/korva_window_draw
bench=$build/bench/korva_bench
for program in "$batch" "$window" "$bench"; do
  [ -x "$program" ] || { echo "build $program first (./build.sh bench)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/largest.korva" << 'EOF'
drag ScrollBarMoving 1
drag ScrollBarFixed 360
drag ScrollBarMoving 1
drag ScrollBarHole 8
drag ScrollBarStepFine 1
EOF
{ cat "$work/largest.korva"; echo "click Draw"; } > "$work/draw.korva"
printf 'KORVA,largest.txt,08/12/2026,12:00:00\r\n0,360,1,0,0,8,1,1000,0,0,\r\n' > "$work/largest.txt"
printf 'answer open %s\nclick Open1\n' "$work/largest.txt" > "$work/open.korva"

# timed NAME COMMAND...: runs it, sets NAME_wall and NAME_cpu (seconds) to
# those of the quickest of its runs so far.
timed() {
  local name=$1
  shift
  if ! /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" > "$work/$name.out" 2>&1; then
    echo "$name failed:" >&2
    cat "$work/$name.out" >&2
    exit 1
  fi
  local wall user sys best=${name}_wall
  read -r wall user sys < "$work/time"
  if [ -n "${!best:-}" ] && awk -v a="$wall" -v b="${!best}" 'BEGIN { exit !(a >= b) }'; then
    return 0
  fi
  printf -v "${name}_wall" '%s' "$wall"
  printf -v "${name}_cpu" '%s' "$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')"
}

# A korva-batch run that must end with the pattern in its history.
batch_drew() {  # NAME SCRIPT
  timed "$1" env QT_QPA_PLATFORM=offscreen "$batch" --panel "$2"
  grep -qx "history 2" "$work/$1.out" || { echo "$1: no pattern drawn" >&2; cat "$work/$1.out" >&2; exit 1; }
}

row() {  # LABEL WALL CPU
  awk -v l="$1" -v w="$2" -v c="$3" 'BEGIN { printf "%-46s %7.2f s clock %7.2f s CPU  CPU/clock %.2f\n", l, w, c, c / w }'
}
ratio() {  # LABEL A B TARGET
  awk -v l="$1" -v a="$2" -v b="$3" -v t="$4" 'BEGIN { printf "%-46s %7.2f x  (target at most %s x)\n", l, a / b, t }'
}

# The trigonometry alone: the median of its runs, clock and CPU, in seconds;
# the quickest such median so far.
trig() {
  "$bench" --benchmark_filter='^BM_LargestTrigAloneAllCores/' --benchmark_format=csv \
    > "$work/trig.csv" 2> /dev/null
  local wall cpu
  read -r wall cpu < <(awk -F, '$1 ~ /_median"?$/ { print $3 / 1000, $4 / 1000; exit }' "$work/trig.csv")
  [ -n "${wall:-}" ] || { echo "no trigonometry figure" >&2; cat "$work/trig.csv" >&2; exit 1; }
  if [ -z "${trig_s:-}" ] || awk -v a="$wall" -v b="$trig_s" 'BEGIN { exit !(a < b) }'; then
    trig_s=$wall trig_cpu=$cpu
  fi
}

# Other programs on the machine (on a shared virtual machine, other guests)
# slow some runs down: each figure is the quickest of ROUNDS rounds, the
# rounds taking turns with each other.
rounds=${ROUNDS:-3}
echo "== $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); the quickest of $rounds rounds"
for ((round = 0; round < rounds; ++round)); do
  timed window_start env QT_QPA_PLATFORM=xcb "$window" --no-draw
  timed window env QT_QPA_PLATFORM=xcb "$window"
  grep -q "window exposed" "$work/window.out" || { cat "$work/window.out" >&2; exit 1; }
  timed batch_start env QT_QPA_PLATFORM=offscreen "$batch" "$work/largest.korva"
  batch_drew batch "$work/draw.korva"
  batch_drew batch_open "$work/open.korva"
  trig
done

echo "== A Draw of the largest pattern (46,656,343 segments)"
row "window on Xvfb (xcb), whole process" "$window_wall" "$window_cpu"
row "korva-batch (offscreen), whole process" "$batch_wall" "$batch_cpu"
ratio "window / korva-batch, whole process" "$window_wall" "$batch_wall" 1.15
window_draw_wall=$(awk -v a="$window_wall" -v b="$window_start_wall" 'BEGIN { print a - b }')
window_draw_cpu=$(awk -v a="$window_cpu" -v b="$window_start_cpu" 'BEGIN { print a - b }')
batch_draw_wall=$(awk -v a="$batch_wall" -v b="$batch_start_wall" 'BEGIN { print a - b }')
batch_draw_cpu=$(awk -v a="$batch_cpu" -v b="$batch_start_cpu" 'BEGIN { print a - b }')
row "window, less starting and ending" "$window_draw_wall" "$window_draw_cpu"
row "korva-batch, less starting and ending" "$batch_draw_wall" "$batch_draw_cpu"
ratio "window / korva-batch, the Draw alone" "$window_draw_wall" "$batch_draw_wall" 1.15
echo "window's own clock, last round: $(grep '^draw:' "$work/window.out")"

echo "== The trace against its trigonometry"
row "korva-batch opening the largest pattern" "$batch_open_wall" "$batch_open_cpu"
row "two fsincos a point alone, on every core" "$trig_s" "$trig_cpu"
ratio "opening / trigonometry alone" "$batch_open_wall" "$trig_s" 1.15
echo "== load $(cut -d' ' -f1-3 /proc/loadavg)"
