#!/usr/bin/env bash
# Checks korva-mime.xml without root: installs it into a temporary
# XDG_DATA_HOME and asks GIO (as a desktop file manager would) what a design
# file and a plain .txt file are. Needs shared-mime-info and libglib2.0-bin.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

export XDG_DATA_HOME=$tmp/data
mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$here/korva-mime.xml" "$XDG_DATA_HOME/mime/packages/korva.xml"
update-mime-database "$XDG_DATA_HOME/mime"

printf 'KORVA,test.txt,01/01/2026,12:00:00\r\n0,96,60,0,0,480,5,1000,0,0,\r\n' > "$tmp/design.txt"
cp "$tmp/design.txt" "$tmp/design-without-extension"
printf 'Shopping list\r\nKORVA, the drawing program\r\n' > "$tmp/notes.txt"
printf 'korva,lower case is not a design\n' > "$tmp/lower.txt"

failed=0
expect() {  # file, type
  local got
  got=$(gio info -a standard::content-type "$tmp/$1" | sed -n 's/^ *standard::content-type: //p')
  if [ "$got" = "$2" ]; then
    echo "ok   $1: $got"
  else
    echo "FAIL $1: $got, expected $2"
    failed=1
  fi
}
expect design.txt application/x-korva-design
expect design-without-extension application/x-korva-design
expect notes.txt text/plain
expect lower.txt text/plain

# xdg-mime asks GIO only inside GNOME; elsewhere it asks file(1), which knows
# nothing of shared-mime-info.
if command -v xdg-mime > /dev/null; then
  got=$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$tmp/design.txt")
  if [ "$got" = application/x-korva-design ]; then
    echo "ok   xdg-mime design.txt: $got"
  else
    echo "FAIL xdg-mime design.txt: $got"
    failed=1
  fi
fi
exit $failed
