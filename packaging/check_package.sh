#!/usr/bin/env bash
# Builds the Debian package in BUILD_DIR and checks what it holds.
#   check_package.sh BUILD_DIR [CPACK]
set -euo pipefail
build=${1:?usage: check_package.sh BUILD_DIR [CPACK]}
cpack=${2:-cpack}
cd "$build"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' CPackConfig.cmake)
deb=korva_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
if ! "$cpack" -G DEB > cpack.log 2>&1; then
  cat cpack.log
  echo "FAIL cpack -G DEB"
  exit 1
fi
[ -f "$deb" ] || { echo "FAIL no $deb in $build"; exit 1; }

failed=0
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/korva usr/bin/korva-batch \
         usr/share/applications/korva.desktop \
         usr/share/icons/hicolor/scalable/apps/korva.svg \
         usr/share/icons/hicolor/48x48/apps/korva.png \
         usr/share/icons/hicolor/128x128/apps/korva.png \
         usr/share/icons/hicolor/256x256/apps/korva.png \
         usr/share/metainfo/korva.metainfo.xml \
         usr/share/mime/packages/korva.xml \
         usr/share/man/man1/korva.1.gz usr/share/man/man1/korva-batch.1.gz \
         usr/share/doc/korva/copyright usr/share/doc/korva/changelog.gz \
         usr/share/korva/translations/korva_de.qm usr/share/korva/translations/korva_fi.qm; do
  if grep -qx "\./$f" <<< "$contents"; then echo "ok   $f"; else echo "FAIL missing $f"; failed=1; fi
done

field() { dpkg-deb -f "$deb" "$1"; }
check() {  # what, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failed=1; fi
}
check "Package: $(field Package)" test "$(field Package)" = korva
check "Version: $(field Version)" test "$(field Version)" = "$version"
check "Section: $(field Section)" test "$(field Section)" = graphics
changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/korva/changelog.gz | gzip -dc | sed -n 1p)
check "changelog starts at $version" grep -q "^korva ($version)" <<< "$changelog"
depends=$(field Depends)
echo "     Depends: $depends"
check "Depends names libqt6" grep -q 'libqt6widgets6' <<< "$depends"
check "Depends names fonts-crosextra-carlito" grep -q 'fonts-crosextra-carlito' <<< "$depends"
check "Recommends qt6-translations-l10n" grep -q 'qt6-translations-l10n' <<< "$(field Recommends)"
echo "$build/$deb"
exit $failed
