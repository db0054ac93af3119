#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs it headless. Any sanitizer report fails the run,
# also one from a child process whose exit status a test script swallows.
#   scripts/sanitizer_suite.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$root/build-asan
jobs=$(nproc 2>/dev/null || echo 2)

reports=$out/sanitizer-reports
# Exit codes of their own, so that no test mistakes a report for an expected
# failure (korva-batch --render exits 1 for a file it refuses). AddressSanitizer
# and LeakSanitizer also write their reports to files; GCC's UndefinedBehavior-
# Sanitizer writes to stderr only, so its exit code is what fails a test.
asan="halt_on_error=1:exitcode=86:detect_leaks=1:detect_stack_use_after_return=1"
asan="$asan:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export ASAN_OPTIONS=$asan
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=87"
export QT_QPA_PLATFORM=offscreen
# English, whatever the caller's locale: the expected texts are English.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=

echo "== Configuring $out (AddressSanitizer, UndefinedBehaviorSanitizer)"
mkdir -p "$out"
# -O1 with line tables only: half the build time of -O2 -g, and the reports
# still name every file and line. The tests themselves at -O0: their many
# instances of the tracer's templates take most of the build at -O1.
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVA_SANITIZE=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DKORVA_UNITY_BUILD=ON -DKORVA_TEST_COMPILE_OPTIONS=-O0 \
  -DKORVA_BUILD_BENCH=OFF > "$out.configure.log" 2>&1 || { cat "$out.configure.log"; exit 1; }

rm -rf "$reports"
mkdir -p "$reports"
echo "== Building the tests with sanitizers"
# Test discovery runs the test binaries, so the options above apply here too.
cmake --build "$out" -j "$jobs" --target engine_tests ui_tests export_tests commands_tests window_tests korva-batch korva

# The monkey runs about fifteen times slower under the sanitizers; two of its
# four seeds run here, all four in the plain suite.
exclude='^Monkey/Actions\..*/seed_(777|20240611)([^0-9]|$)'

echo "== Running the tests with sanitizers"
status=0
(cd "$out" && ctest --output-on-failure -j "$jobs" --timeout 900 -E "$exclude") || status=$?

log=$out/Testing/Temporary/LastTest.log
if [ -f "$log" ] && grep -qE "runtime error:|ERROR: (Address|Leak)Sanitizer" "$log"; then
  grep -nE -A12 "runtime error:|ERROR: (Address|Leak)Sanitizer" "$log" | head -n 80
  echo "sanitizers: reports in the test output (above); full output in $log"
  exit 1
fi
if compgen -G "$reports/*" > /dev/null; then
  for report in "$reports"/*; do
    echo "---- $report"
    head -n 80 "$report"
  done
  echo "sanitizers: reports found (above); full reports in $reports"
  exit 1
fi
if [ $status -ne 0 ]; then
  echo "sanitizers: tests failed"
  exit $status
fi
echo "sanitizers: clean"
