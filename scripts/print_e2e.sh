#!/usr/bin/env bash
# End-to-end print test: prints a known design through korva-batch's own print
# command to a CUPS PDF queue made the default printer, then checks the PDF
# against the device segments the recording printer lists for the same script.
#   scripts/print_e2e.sh BUILD_DIR   (relative to the repository root, or absolute)
# Needs root: it installs CUPS, runs cupsd and adds a queue, and undoes all of
# it afterwards (the packages stay installed).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
batch=$build/korva-batch
design=$root/tests/print/two_patterns.korva
checker=$root/scripts/print_e2e_check.awk
queue=KorvaTestPDF
pdf_conf=/etc/cups/cups-pdf.conf
queue_log=/var/log/cups/cups-pdf-${queue}_log
dpi=1200
margin=167 # Qt's printable area starts 10 pt in from the paper's corner: 10/72 in at 1200 dpi
tol=2

if [ "$(id -u)" != 0 ]; then
  # CI runs as root and must print: there a skip is a failure.
  if [ "${CI:-}" = true ]; then
    echo "print end-to-end test FAILED: CI must run it as root" >&2
    exit 1
  fi
  {
    echo "######################################################################"
    echo "##  print end-to-end test SKIPPED: it needs root to run CUPS.       ##"
    echo "##  Printing was NOT checked on paper. Run ./build.sh test as root. ##"
    echo "######################################################################"
  } >&2
  exit 0
fi
echo "== Print end-to-end test through CUPS"
if [ ! -x "$batch" ]; then
  echo "print end-to-end test FAILED: no korva-batch in $build"
  exit 1
fi

missing=()
for p in cups printer-driver-cups-pdf poppler-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== Installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    > /tmp/korva-print-install.log 2>&1 || {
    cat /tmp/korva-print-install.log
    echo "print end-to-end test FAILED: the packages could not be installed"
    exit 1
  }
  rm -f /tmp/korva-print-install.log
fi

# One run at a time: each one borrows the scheduler, its default and cups-pdf's output.
exec 9< /etc/cups
flock -w 300 9 || {
  echo "print end-to-end test FAILED: another run kept /etc/cups locked for 5 minutes"
  exit 1
}

# The local scheduler and its default queue, whatever the caller's environment names.
unset CUPS_SERVER PRINTER LPDEST
export QT_QPA_PLATFORM=offscreen
# English, whatever the caller's locale: the expected texts are English.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=

work=$(mktemp -d /tmp/korva-print.XXXXXX)
out=$work/pdf
mkdir "$out"
# Settings of its own: nothing the user has set reaches korva-batch.
export XDG_CONFIG_HOME=$work/config
cupsd_pid=
queue_added=0
previous_default=
conf_saved=0
state_files=(printers.conf printers.conf.O classes.conf classes.conf.O subscriptions.conf
  subscriptions.conf.O)
state_saved=0
cleaned=0
status=0
queue_log_found=0
[ -e "$queue_log" ] && queue_log_found=1

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

cleanup() {
  [ $cleaned = 1 ] && return 0
  cleaned=1
  set +e
  if [ $queue_added = 1 ]; then
    cancel -a -x "$queue" 2>/dev/null
    lpadmin -x "$queue"
  fi
  if [ -n "$previous_default" ]; then lpadmin -d "$previous_default"; fi
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
    cupsd_pid=
  fi
  if [ $conf_saved = 1 ]; then cp -p "$work/cups-pdf.conf" "$pdf_conf"; fi
  if [ $queue_log_found = 0 ]; then rm -f "$queue_log"; fi
  # A scheduler started here rewrote its state files; put back what was there before.
  if [ $state_saved = 1 ]; then
    for f in "${state_files[@]}"; do
      if [ -e "$work/state/$f" ]; then
        cp -p "$work/state/$f" "/etc/cups/$f"
      else
        rm -f "/etc/cups/$f"
      fi
    done
  fi
  set -e
}

diagnose() {
  cp "$queue_log" "$work/" 2>/dev/null || true
  echo "-- lpstat:"
  lpstat -t 2>&1 | sed 's/^/   /' || true
  for log in /var/log/cups/error_log "$queue_log"; do
    if [ -s "$log" ]; then
      echo "-- tail of $log:"
      tail -n 15 "$log" | sed 's/^/   /'
    fi
  done
  if [ -s "$work/cupsd.log" ]; then
    echo "-- cupsd output:"
    sed 's/^/   /' "$work/cupsd.log"
  fi
  echo "-- kept for inspection: $work"
}

fail() {
  echo "  FAIL $*"
  diagnose
  cleanup
  echo "print end-to-end test FAILED"
  exit 1
}

trap 'cleanup' EXIT
trap 'cleanup; exit 130' INT TERM

if scheduler_running; then
  echo "   using the print service already running"
else
  mkdir "$work/state"
  for f in "${state_files[@]}"; do
    if [ -e "/etc/cups/$f" ]; then cp -p "/etc/cups/$f" "$work/state/$f"; fi
  done
  state_saved=1
  cupsd -f > "$work/cupsd.log" 2>&1 9<&- &
  cupsd_pid=$!
  # Polls, with a limit far beyond a normal start only to fail loudly.
  for _ in $(seq 1 600); do
    scheduler_running && break
    kill -0 "$cupsd_pid" 2>/dev/null || fail "cupsd ended at start"
    sleep 0.2
  done
  scheduler_running || fail "cupsd not ready after 2 minutes"
fi
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
[ "$previous_default" = "$queue" ] && previous_default=

cp -p "$pdf_conf" "$work/cups-pdf.conf"
conf_saved=1
if grep -q '^Out[[:space:]]' "$pdf_conf"; then
  sed -i "s|^Out[[:space:]].*|Out $out|" "$pdf_conf"
else
  echo "Out $out" >> "$pdf_conf"
fi

queue_added=1
lpadmin -p "$queue" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E > "$work/lpadmin.log" 2>&1 ||
  fail "lpadmin could not add the queue: $(cat "$work/lpadmin.log")"
lpadmin -d "$queue" || fail "lpadmin could not make $queue the default"
default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
[ "$default" = "$queue" ] || fail "the default printer is '$default', not $queue (an lpoptions default?)"
cupsenable "$queue" || fail "cupsenable $queue failed"
cupsaccept "$queue" || fail "cupsaccept $queue failed"

expected=$work/expected.txt
"$batch" --print-segments "$design" > "$expected" 2> "$work/segments.err" ||
  fail "korva-batch --print-segments failed: $(cat "$expected" "$work/segments.err")"
first=$(grep -m1 -A1 '^Q 1 ' "$expected" | tail -n 1)
[ "$first" = "320 57 321 57" ] ||
  fail "the recording printer starts the initial design at '$first', not at 320 57"

"$batch" "$design" > "$work/print.txt" 2> "$work/print.err" ||
  fail "korva-batch failed: $(cat "$work/print.txt" "$work/print.err")"
if grep -q '^error: ' "$work/print.txt"; then
  fail "korva-batch: $(grep '^error: ' "$work/print.txt")"
fi
echo "  ok   korva-batch printed without an error"

pdf=
# Polls for the converted page, with a limit far beyond a normal print only
# to fail loudly.
for _ in $(seq 1 1500); do
  pdfs=("$out"/*.pdf)
  if [ -e "${pdfs[0]}" ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
    pdf=${pdfs[0]}
    break
  fi
  sleep 0.2
done
[ -n "$pdf" ] || fail "no finished PDF in $out after 5 minutes (root's jobs land in ~/PDF if Out was not taken)"
[ ${#pdfs[@]} = 1 ] || fail "${#pdfs[@]} PDFs for one print: ${pdfs[*]}"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 1 ] || fail "$pdf has ${pages:-no} pages, not one"
echo "  ok   one job, one page ($(pdfinfo "$pdf" | sed -n 's/^Page size: *//p'))"

# The design's corner of the page at 1200 dpi, the whole page at 50 dpi.
read -r right bottom < <(awk 'NF == 4 && $1 ~ /^-?[0-9]+$/ {
    for (i = 1; i <= 4; ++i) if ($i > m[i % 2]) m[i % 2] = $i }
  END { print m[1], m[0] }' "$expected")
width=$((right + margin + 40))
height=$((bottom + margin + 40))
pdftoppm -r $dpi -aa no -aaVector no -x 0 -y 0 -W $width -H $height -singlefile "$pdf" "$work/corner"
pdftoppm -r 50 -gray -aa no -aaVector no -singlefile "$pdf" "$work/page"

# Pixel rows of a binary PNM as lines of decimal bytes.
pnm_rows() {  # file, bytes per pixel
  local header w
  header=$(head -n 3 "$1" | wc -c)
  w=$(sed -n 2p "$1" | cut -d' ' -f1)
  od -An -v -tu1 -j "$header" -w$((w * $2)) "$1"
}
[ "$(head -c 2 "$work/corner.ppm")" = P6 ] || fail "unexpected render $work/corner.ppm"
pnm_rows "$work/corner.ppm" 3 > "$work/corner.txt"
# The initial design leaves a disc of radius 37 px around its centre (320, 320) blank.
awk -v margin=$margin -v tol=$tol -v blankX=320 -v blankY=320 -v blankR=25 \
  -f "$checker" "$expected" "$work/corner.txt" || status=1

# Nothing else on the page: no ink beyond the corner rendered above.
pnm_rows "$work/page.pgm" 1 > "$work/page.txt"
outside=$(awk -v w=$((width * 50 / dpi + 1)) -v h=$((height * 50 / dpi + 1)) '
  { for (i = 1; i <= NF; ++i) if ($i < 224 && (i - 1 > w || NR - 1 > h)) ++n }
  END { print n + 0 }' "$work/page.txt")
if [ "$outside" = 0 ]; then
  echo "  ok   the rest of the page is blank"
else
  echo "  FAIL $outside inked pixels (50 dpi) outside the design's corner of the page"
  status=1
fi
[ $status = 0 ] || fail "the page does not show the design where the device mapping puts it: $pdf"

# The same print stopped part-way through its second pattern: no job at all.
stopped=$work/stopped.korva
{
  grep -v -e '^answer yes$' -e '^click PrintDesign1$' "$design"
  echo "stop-after 1000"
  echo "answer yes"
  echo "click PrintDesign1"
} > "$stopped"
# The scheduler records a job as it takes it, and keeps finished ones: a job
# sent is counted when korva-batch returns, with no time to wait for.
jobs_before=$(lpstat -W all -o "$queue" 2>/dev/null | wc -l)
"$batch" "$stopped" > "$work/stopped.txt" 2> "$work/stopped.err" ||
  fail "korva-batch failed on the stopped print: $(cat "$work/stopped.txt" "$work/stopped.err")"
if grep -q '^error: ' "$work/stopped.txt"; then
  fail "the stopped print: $(grep '^error: ' "$work/stopped.txt")"
fi
jobs_after=$(lpstat -W all -o "$queue" 2>/dev/null | wc -l)
pdfs=("$out"/*.pdf)
if [ "$jobs_before" = 0 ]; then
  echo "  FAIL the scheduler lists no finished job, so a stopped print's job could go unseen"
  status=1
elif [ "$jobs_after" = "$jobs_before" ] && [ ${#pdfs[@]} = 1 ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
  echo "  ok   a stopped print sends nothing to the printer ($jobs_after job before and after it)"
else
  echo "  FAIL a stopped print reached the printer: $jobs_before jobs before, $jobs_after after: ${pdfs[*]}"
  lpstat -W all -o "$queue" 2>/dev/null | sed 's/^/   /'
  status=1
fi

if [ -n "$cupsd_pid" ]; then
  cleanup
  # With the service stopped there is no default printer: the print command must say so.
  if scheduler_running; then
    echo "  FAIL the print service still answers after it was stopped"
    status=1
  else
    "$batch" "$design" > "$work/noprinter.txt" 2> /dev/null || true
    if grep -q '^error: .*printer' "$work/noprinter.txt"; then
      echo "  ok   without a print service: $(grep '^error: ' "$work/noprinter.txt")"
    else
      echo "  FAIL without a print service korva-batch reported no printer error:"
      sed 's/^/   /' "$work/noprinter.txt"
      status=1
    fi
  fi
else
  echo "   (the no-printer case is not tried with a print service already running)"
fi

cleanup
if [ $status != 0 ]; then
  echo "-- kept for inspection: $work"
  echo "print end-to-end test FAILED"
  exit 1
fi
rm -rf "$work"
echo "print end-to-end test PASSED"
