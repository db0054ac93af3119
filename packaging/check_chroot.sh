#!/usr/bin/env bash
# Installs the .deb on a bare Debian 12 (debootstrap minbase, no recommended
# packages) and renders a design there with korva-batch: proof that the
# package's Depends bring in all it needs. Needs root, debootstrap and the
# Debian mirror, so CTest does not run it.
#   sudo packaging/check_chroot.sh build/korva_4.2_amd64.deb [CHROOT_DIR]
# The chroot (default /tmp/chroot-korva) is kept for the next run; remove it
# with rm -rf when done. MIRROR overrides the mirror taken from apt's sources.
set -euo pipefail
deb=$(realpath "${1:?usage: check_chroot.sh KORVA.deb [CHROOT_DIR]}")
dir=${2:-/tmp/chroot-korva}

mirror=${MIRROR:-}
if [ -z "$mirror" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
fi
if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
  mirror=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list)
fi
mirror=${mirror:-http://deb.debian.org/debian}

if [ ! -x "$dir/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm from $mirror into $dir"
  debootstrap --variant=minbase bookworm "$dir" "$mirror" > "$dir.debootstrap.log" 2>&1 ||
    { tail -20 "$dir.debootstrap.log"; exit 1; }
fi

mount -t proc proc "$dir/proc"
trap 'umount "$dir/proc"' EXIT
in_chroot() { chroot "$dir" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

cp "$deb" "$dir/tmp/"
echo "== apt-get install ./$(basename "$deb")"
in_chroot apt-get update -qq
in_chroot apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" > "$dir/tmp/install.log" 2>&1 ||
  { tail -30 "$dir/tmp/install.log"; exit 1; }
in_chroot dpkg-query -W korva

printf 'KORVA,test.txt,01/01/2026,12:00:00\r\n0,96,60,0,0,480,5,1000,0,0,\r\n' > "$dir/tmp/design.txt"
rm -f "$dir/tmp/design.bmp"
echo "== korva-batch --render in the chroot"
in_chroot env QT_QPA_PLATFORM=offscreen HOME=/tmp korva-batch --render /tmp/design.txt /tmp/design.bmp

bmp=$dir/tmp/design.bmp
# A 640 x 640, 24-bit bitmap: 54 header bytes and 640 rows of 1920 bytes.
size=$(stat -c %s "$bmp" 2>/dev/null || echo 0)
if [ "$(head -c 2 "$bmp" 2>/dev/null)" = BM ] && [ "$size" = 1228854 ]; then
  echo "ok   $bmp: $size bytes"
else
  echo "FAIL $bmp: missing or $size bytes"
  exit 1
fi
