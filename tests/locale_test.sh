#!/usr/bin/env bash
# Both programs under German and Finnish locales: their messages and --help in
# the user's language with korva-batch's keywords in English, English for a
# locale without a translation, and numbers (export options, exports, design
# files, the panel's values) read and written exactly as under the C locale.
#   locale_test.sh KORVA KORVA_BATCH SCRIPTS_DIR
set -u
korva=$1
batch=$2
scripts=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
unset LANGUAGE LC_MESSAGES LANG
fail=0
failure() { echo "FAIL: $*"; fail=1; }

for l in de_DE fi_FI; do
  if ! locale -a | grep -qix "$l.utf-\?8"; then
    echo "FAIL: the locale $l.UTF-8 is not installed (./build.sh test generates it)"
    exit 1
  fi
done

in_locale() {  # locale, command...
  local l=$1
  shift
  LC_ALL=$l "$@"
}

# Messages: translated text, English keywords.
cd "$scripts" || exit 1
declare -A error=([de_DE.UTF-8]="message Error: Fehler beim Lesen der Datei - keine KORVA-Datei"
                  [fi_FI.UTF-8]="message Error: Virhe tiedostoa luettaessa - ei KORVA-tiedosto")
declare -A help=([de_DE.UTF-8]="Zeichnet die Kurven des Zahnrad-Zeichenspielzeugs"
                 [fi_FI.UTF-8]="Piirtää hammasratasleikkikalun käyrät")
declare -A batch_help=([de_DE.UTF-8]="Führt Korvas Fenster unsichtbar"
                       [fi_FI.UTF-8]="Ajaa Korvan ikkunaa näkymättömänä")
for l in de_DE.UTF-8 fi_FI.UTF-8; do
  out=$(in_locale "$l" "$batch" --panel messages.korva 2> "$work/stderr")
  grep -qxF "${error[$l]}" <<< "$out" || failure "$l: the refusal of a file that is not a design: $out"
  grep -q "^state FixedTeeth=" <<< "$out" || failure "$l: the state line is not English"
  grep -q "^history " <<< "$out" || failure "$l: the history line is not English"
  in_locale "$l" "$korva" --help | grep -qF "${help[$l]}" || failure "$l: korva --help"
  in_locale "$l" "$batch" --help | grep -qF "${batch_help[$l]}" || failure "$l: korva-batch --help"
done

# A locale with no translation, installed or not: English, and not a word
# about it on standard error.
for l in fr_FR.UTF-8 xx_YY.UTF-8; do
  out=$(in_locale "$l" "$batch" --panel messages.korva 2> "$work/stderr")
  grep -qxF "message Error: Error reading input file - not a KORVA file" <<< "$out" ||
    failure "$l: not English: $out"
  [ -s "$work/stderr" ] && failure "$l: said on standard error: $(cat "$work/stderr")"
  in_locale "$l" "$korva" --help 2> "$work/stderr" | grep -q "^Draws the curves" ||
    failure "$l: korva --help not in English"
  [ -s "$work/stderr" ] && failure "$l: korva said on standard error: $(cat "$work/stderr")"
done

# Numbers: the same bytes in every locale.
cd "$work" || exit 1
printf 'KORVA,x\r\n255,96,60,0,0,480,5,1000,0,0,3,\r\n16711680,105,30,1,0,300,10,500,0,0,\r\n' > design.txt
cat > values.korva <<'SCRIPT'
answer open design.txt
click Open1
drag ScrollBarMagni 1234
drag ScrollBarCentreX -155
click Draw
answer save saved.txt
click SaveTXT1
SCRIPT
for l in C.UTF-8 de_DE.UTF-8 fi_FI.UTF-8; do
  mkdir -p "$l"
  in_locale "$l" "$batch" --export design.txt "$l/a.svg" --size 150.5 --simplify 0.05 ||
    failure "$l: export SVG"
  in_locale "$l" "$batch" --export design.txt "$l/a.pdf" --size 123.25 || failure "$l: export PDF"
  in_locale "$l" "$batch" --export design.txt "$l/a.png" --size 300 || failure "$l: export PNG"
  in_locale "$l" "$batch" --render design.txt "$l/a.bmp" || failure "$l: render"
  in_locale "$l" "$batch" --panel values.korva | grep -E "^(state|history)" > "$l/values.txt"
  tail -n +2 saved.txt > "$l/saved.txt"
done
grep -q 'width="150.5mm"' C.UTF-8/a.svg || failure "the SVG is not 150.5 mm wide"
for l in de_DE.UTF-8 fi_FI.UTF-8; do
  for f in a.svg a.pdf a.png a.bmp values.txt saved.txt; do
    cmp -s "C.UTF-8/$f" "$l/$f" || failure "$l: $f differs from the C locale's"
  done
done
exit $fail
