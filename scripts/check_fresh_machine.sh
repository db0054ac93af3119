#!/usr/bin/env bash
# Runs each ./build.sh verb as the very first command on a machine that has
# never built Korva: a bare Debian 12 (debootstrap minbase, no compiler, no
# sudo, no git), a fresh copy of it for each verb, so that no verb leans on
# what another one installed. Proof that every verb installs what it needs.
# Needs root, debootstrap and the Debian mirror, and builds Korva once per
# verb, so neither CTest nor ./build.sh test runs it.
#   sudo scripts/check_fresh_machine.sh [VERB...]   (default: run bench fuzz package test)
# WORK (default /var/tmp/korva-fresh) keeps the pristine system for the next
# run, and a copy and a log VERB.log per verb. MIRROR overrides the mirror
# taken from apt's sources. The source is the commit checked out (git archive HEAD).
#   run      builds and starts Korva off-screen; it must still run after 5 s
#   bench    with KORVA_BENCH_ARGS (default: the quick cases of the starting design)
#   fuzz     for FUZZ_SECONDS (default 10)
#   package  must print the path of a .deb that dpkg-deb can read
#   test     the whole suite, as ./build.sh test runs it
# FRESH_CCACHE=DIR lends each copy ccache and that cache folder, which saves
# most of the compiling; ccache needs nothing a build needs, so the check
# stays a fair one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
work=${WORK:-/var/tmp/korva-fresh}
verbs=("$@")
[ ${#verbs[@]} -gt 0 ] || verbs=(run bench fuzz package test)

[ "$(id -u)" = 0 ] || { echo "check_fresh_machine.sh: run it as root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap > /dev/null || { echo "check_fresh_machine.sh: apt-get install debootstrap" >&2; exit 2; }

mirror=${MIRROR:-}
if [ -z "$mirror" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
fi
if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
  mirror=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list)
fi
mirror=${mirror:-http://deb.debian.org/debian}

mkdir -p "$work"
pristine=$work/pristine
if [ ! -x "$pristine/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm from $mirror into $pristine"
  rm -rf "$pristine"
  debootstrap --variant=minbase bookworm "$pristine" "$mirror" > "$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log"; exit 1; }
fi

commit=$(git -C "$root" rev-parse HEAD)

copy=
mounts=()
release() {
  local m
  for ((m = ${#mounts[@]} - 1; m >= 0; --m)); do umount "${mounts[m]}" || true; done
  mounts=()
}
trap release EXIT

# A command as root in /src/korva of the copy, in a fresh machine's bare environment.
in_copy_command() {  # sets cmd to: chroot ... command...
  cmd=(chroot "$copy" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
    TERM=dumb "${lend_env[@]}" bash -c 'cd /src/korva && exec "$@"' bash "$@")
}
in_copy() {  # command...
  in_copy_command "$@"
  "${cmd[@]}"
}

lend_ccache() {
  lend_env=()
  [ -n "${FRESH_CCACHE:-}" ] || return 0
  in_copy apt-get update -qq
  in_copy env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ccache > /dev/null
  in_copy apt-get clean
  rm -rf "$copy"/var/lib/apt/lists/*
  mkdir -p "$FRESH_CCACHE" "$copy/ccache"
  mount --bind "$FRESH_CCACHE" "$copy/ccache"
  mounts+=("$copy/ccache")
  lend_env=(CCACHE_DIR=/ccache CCACHE_BASEDIR=/src CCACHE_NOHASHDIR=1
    CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache)
}

# ./build.sh run ends by starting the window, which never ends by itself:
# wait until the build has become the running program, and stop it 5 s later.
check_run() {  # log
  in_copy_command env QT_QPA_PLATFORM=offscreen ./build.sh run
  # Every step execs the next, so that the process started here becomes Korva.
  (exec "${cmd[@]}") > "$1" 2>&1 &
  local pid=$! exe=
  while kill -0 "$pid" 2> /dev/null; do
    exe=$(readlink "/proc/$pid/exe" 2> /dev/null || true)
    [[ $exe == */build/korva ]] && break
    sleep 2
  done
  if [[ $exe != */build/korva ]]; then
    wait "$pid" || true
    echo "./build.sh run ended before Korva started" >> "$1"
    return 1
  fi
  sleep 5
  if ! kill -0 "$pid" 2> /dev/null; then
    wait "$pid" || true
    echo "Korva ended within 5 s of starting" >> "$1"
    return 1
  fi
  kill "$pid"
  wait "$pid" 2> /dev/null || true
  echo "Korva was running after 5 s" >> "$1"
}

check_package() {  # log
  in_copy ./build.sh package > "$1" 2>&1 || return 1
  local deb
  deb=$(tail -n 1 "$1")
  in_copy dpkg-deb --info "$deb" >> "$1" 2>&1
}

failed=0
for verb in "${verbs[@]}"; do
  copy=$work/$verb
  log=$work/$verb.log
  echo "== ./build.sh $verb in a fresh copy ($copy)"
  rm -rf "$copy"
  cp -a "$pristine" "$copy"
  mkdir -p "$copy/src/korva"
  git -C "$root" archive --format=tar "$commit" | tar -x -C "$copy/src/korva"
  # The kernel's file systems, where a real machine has them.
  mount -t proc proc "$copy/proc"
  mounts+=("$copy/proc")
  mount -t sysfs sysfs "$copy/sys"
  mounts+=("$copy/sys")
  lend_env=()
  lend_ccache
  start=$SECONDS
  status=0
  case $verb in
    run) check_run "$log" || status=1 ;;
    package) check_package "$log" || status=1 ;;
    bench)
      in_copy env "KORVA_BENCH_ARGS=${KORVA_BENCH_ARGS:---benchmark_filter=^BM_Initial|StartingDesign --benchmark_min_time=0.01}" \
        ./build.sh bench > "$log" 2>&1 || status=1
      ;;
    fuzz) in_copy ./build.sh fuzz "${FUZZ_SECONDS:-10}" > "$log" 2>&1 || status=1 ;;
    *) in_copy ./build.sh "$verb" > "$log" 2>&1 || status=1 ;;
  esac
  release
  minutes=$(((SECONDS - start + 59) / 60))
  if [ $status = 0 ]; then
    echo "ok   ./build.sh $verb ($minutes min; log $log)"
  else
    tail -n 30 "$log"
    echo "FAIL ./build.sh $verb ($minutes min; log $log)"
    failed=1
  fi
done
exit $failed
