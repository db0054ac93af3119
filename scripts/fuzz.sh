#!/usr/bin/env bash
# Fuzzes the design-file reader and the integer text conversion.
#   scripts/fuzz.sh [SECONDS]   (default 60)
# Builds with clang-14 and libFuzzer into build-fuzz/ and runs on a copy of
# tests/fuzz/corpus, so new inputs stay out of the source tree. A crash leaves
# its input in build-fuzz/ and fails the run; add it to the corpus once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
out=$root/build-fuzz

# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
need_packages clang-14 libclang-rt-14-dev

mkdir -p "$out"
echo "== Building the design-file fuzzer"
# One compiler per core: the engine's files are compiled side by side.
flags=(-fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -std=c++20 -O1 -g -Wall -Wextra)
rm -rf "$out/objects"
mkdir -p "$out/objects"
export root out
printf '%s\n' "$root"/engine/*.cpp "$root"/tests/fuzz/design_file_fuzzer.cpp |
  xargs -d '\n' -n 1 -P "$(nproc 2>/dev/null || echo 2)" bash -c \
    'clang++-14 "${@:1:$#-1}" -I"$root" -c "${!#}" -o "$out/objects/$(basename "${!#}" .cpp).o"' \
    _ "${flags[@]}"
clang++-14 "${flags[@]}" "$out"/objects/*.o -o "$out/design_file_fuzzer"

work=$out/corpus
rm -rf "$work"
cp -r "$root/tests/fuzz/corpus" "$work"

echo "== Fuzzing for ${seconds} s"
log=$out/fuzz.log
status=0
(cd "$out" && ./design_file_fuzzer -max_total_time="$seconds" -max_len=4096 -timeout=25 \
  -print_final_stats=1 "$work") > "$log" 2>&1 || status=$?

runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  crash=$(grep -o "Test unit written to [^ ]*" "$log" | tail -n 1 | sed "s|Test unit written to \\(\\./\\)\\{0,1\\}|$out/|" || true)
  echo "fuzz: FAILED after ${runs} runs (exit ${status})${crash:+, input in $crash}; full log in $log"
  exit 1
fi
echo "fuzz: clean, ${runs} runs in ${seconds} s, corpus $(ls "$work" | wc -l) inputs; log in $log"
