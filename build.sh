#!/usr/bin/env bash
# One entry point for building, running and testing Korva on Debian.
#   ./build.sh run     build (Release) and start the program
#   ./build.sh test    build and run the whole test suite headless, also under sanitizers
#   ./build.sh bench   build and run the benchmarks (KORVA_BENCH_ARGS: more benchmark flags)
#   ./build.sh fuzz    run the design-file fuzzer for a bounded time
#   ./build.sh package build (Release) the Debian package build/korva_VERSION_ARCH.deb
# Every verb first installs the Debian packages it needs when they are missing,
# so each one works as the first command on a fresh Debian 12
# (scripts/check_fresh_machine.sh checks that).
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"

base_packages() {
  need_packages build-essential cmake qt6-base-dev qt6-l10n-tools libgl-dev libcups2-dev zlib1g-dev libgtest-dev libgmock-dev \
    libbenchmark-dev fonts-crosextra-carlito
}

# The locales the tests run the programs under, and Qt's own translations.
test_locales() {
  need_packages locales qt6-translations-l10n
  local missing=()
  for l in de_DE fi_FI; do
    locale -a | grep -qix "$l.utf-\?8" || missing+=("$l")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== Generating the locales ${missing[*]}"
  for l in "${missing[@]}"; do
    as_root sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen > /dev/null
  done
  as_root locale-gen > /dev/null
}

# The tools the packaging tests use (desktop entry, metainfo, file type, .deb,
# manual pages).
test_packages() {
  need_packages desktop-file-utils appstream shared-mime-info libglib2.0-bin xdg-utils dpkg-dev file groff-base
}

configure_and_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKORVA_UNITY_BUILD=ON "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j "$jobs"
}

run_tests() {  # dir
  # English, whatever the caller's locale: the tests expect English texts.
  (cd "$1" && LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE= QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600) |
    tee "$1/ctest.log"
  return "${PIPESTATUS[0]}"
}

# Runs a stage and notes its time for the summary, so that a slow CI run
# says where its time went.
stages=""
timed() {
  local start=$SECONDS
  "$@"
  stages="$stages $(basename "$1")=$((SECONDS - start))"
}

verb=${1:-}
case "$verb" in
  run)
    base_packages
    configure_and_build build
    exec ./build/korva
    ;;
  test)
    base_packages
    test_packages
    test_locales
    # The test programs at -O1: a third less of their compile time than -O3,
    # and the code under test keeps the Release build's level.
    timed configure_and_build build -DKORVA_TEST_COMPILE_OPTIONS=-O1
    timed run_tests build
    if [ -x scripts/sanitizer_suite.sh ]; then timed scripts/sanitizer_suite.sh; fi
    if [ -x scripts/tsan_suite.sh ]; then timed scripts/tsan_suite.sh; fi
    if [ -x scripts/print_e2e.sh ]; then timed scripts/print_e2e.sh build; fi
    if [ -x scripts/fuzz.sh ] && [ "${CI:-}" = true ]; then timed scripts/fuzz.sh 60; fi
    echo "== Summary of the Release suite (CTest)"
    grep -E "tests passed|Total Test time" build/ctest.log
    echo "== Stages (seconds):${stages}, all ${SECONDS}"
    ;;
  bench)
    base_packages
    configure_and_build build
    # shellcheck disable=SC2086 # KORVA_BENCH_ARGS holds several flags
    ./build/bench/korva_bench --benchmark_min_time=1 ${KORVA_BENCH_ARGS:-}
    # shellcheck disable=SC2086
    ./build/bench/korva_view_bench ${KORVA_BENCH_ARGS:-}
    echo "== The window's thread: a 1 ms timer's worst lateness"
    ./build/bench/korva_stall_bench
    # The window on a (virtual) screen against korva-batch.
    need_packages xvfb xauth time
    bench/window_draw.sh build
    ;;
  fuzz)
    base_packages
    scripts/fuzz.sh "${2:-60}"
    ;;
  package)
    base_packages
    # dpkg-shlibdeps, which works out the package's Depends, runs file(1).
    need_packages dpkg-dev file
    configure_and_build build
    (cd build && cpack -G DEB > cpack.log 2>&1) || { cat build/cpack.log; exit 1; }
    version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/CPackConfig.cmake)
    echo "$root/build/korva_${version}_$(dpkg --print-architecture).deb"
    ;;
  *)
    echo "usage: $0 run|test|bench|fuzz|package" >&2
    exit 2
    ;;
esac
