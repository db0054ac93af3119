#!/usr/bin/env bash
# Builds the tests of the code that runs threads with ThreadSanitizer into
# build-tsan/ and runs them under it: the parallel trace, the preview worker
# (ui::LatestJob), the window's preview, the smooth lines' bands and the
# smooth view's renders. Any data race or other report fails the run.
#   scripts/tsan_suite.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$root/build-tsan
jobs=$(nproc 2>/dev/null || echo 2)
if [ "$jobs" -gt 2 ]; then jobs=2; fi

export TSAN_OPTIONS="halt_on_error=1:exitcode=88:second_deadlock_stack=1:suppressions=$(pwd)/scripts/tsan.supp"

# GCC 12's ThreadSanitizer may fail to map its shadow memory under a kernel's
# larger address randomisation; running without randomisation avoids that.
run() {
  if setarch "$(uname -m)" -R true 2> /dev/null; then
    setarch "$(uname -m)" -R "$@"
  else
    "$@"
  fi
}

echo "== Configuring $out (ThreadSanitizer)"
mkdir -p "$out"
# -O1 with line tables only, as for the other sanitizers.
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVA_BUILD_BENCH=OFF -DKORVA_UNITY_BUILD=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" > "$out.configure.log" 2>&1 ||
  { cat "$out.configure.log"; exit 1; }

echo "== Building thread_tests with ThreadSanitizer"
export QT_QPA_PLATFORM=offscreen
# English, whatever the caller's locale: the expected texts are English.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=
run cmake --build "$out" -j "$jobs" --target thread_tests

status=0
suite() {  # binary, gtest filter
  echo "== Running $1 $2 with ThreadSanitizer"
  run "$out/tests/$1" --gtest_filter="$2" || { status=$?; echo "tsan: $1 failed (exit $status)"; }
}
suite thread_tests 'ParallelTrace.*'
suite thread_tests 'LatestJob.*'
suite thread_tests 'ViewMenu.*Preview*'
suite thread_tests 'SmoothView*'
suite thread_tests 'BandedLines.*:SmoothRender.*:TracePoints.*:LivePainter.*'
if [ $status -ne 0 ]; then
  echo "tsan: failed"
  exit $status
fi
echo "tsan: clean"
