# Compares a printed page with the device segments korva-batch listed for it.
#   awk -v margin=167 -v tol=2 [-v blankX=X -v blankY=Y -v blankR=R] \
#       -f print_e2e_check.awk SEGMENTS PIXELS
# SEGMENTS: the --print-segments listing ("Q k n 0xBBGGRR", then "x0 y0 x1 y1").
# PIXELS: a 1200-dpi RGB render of the page's top-left corner, one pixel row
# per line as decimal bytes r g b r g b ... (od -An -v -tu1 -wBYTES).
# Device pixel (X, Y) is expected at render pixel (X + margin, Y + margin), the
# printable area's corner. blankX, blankY, blankR: device pixel and radius
# where the page must stay white. Prints one line per check; exits 1 if any fails.

function abs(v) { return v < 0 ? -v : v }

# Every pixel a segment passes through, in render pixels, tagged with its pattern.
function mark(x0, y0, x1, y1, pattern, n, i, x, y) {
  n = abs(x1 - x0) > abs(y1 - y0) ? abs(x1 - x0) : abs(y1 - y0)
  for (i = 0; i <= n; ++i) {
    x = n ? int(x0 + (x1 - x0) * i / n + 0.5) : x0
    y = n ? int(y0 + (y1 - y0) * i / n + 0.5) : y0
    if (!((x, y) in line)) ++lineCells
    line[x, y] = pattern
  }
}

function matches(x, y, pattern) {
  if (!((x, y) in ink)) return 0
  split(ink[x, y], c, " ")
  return abs(c[1] - wantR[pattern]) <= 60 && abs(c[2] - wantG[pattern]) <= 60 &&
         abs(c[3] - wantB[pattern]) <= 60
}

# Ink of the pattern's colour within tol pixels of (x, y).
function inked(x, y, pattern, dx, dy) {
  for (dx = -tol; dx <= tol; ++dx)
    for (dy = -tol; dy <= tol; ++dy)
      if (matches(x + dx, y + dy, pattern)) return 1
  return 0
}

function nearLine(x, y, dx, dy) {
  for (dx = -tol; dx <= tol; ++dx)
    for (dy = -tol; dy <= tol; ++dy)
      if ((x + dx, y + dy) in line) return 1
  return 0
}

function report(ok, text) {
  printf "  %s %s\n", ok ? "ok  " : "FAIL", text
  if (!ok) failed = 1
}

FNR == 1 { ++file }

file == 1 && $1 == "Q" {
  pattern = $2
  patterns = pattern
  colour = strtonum_hex($4)
  wantR[pattern] = colour % 256
  wantG[pattern] = int(colour / 256) % 256
  wantB[pattern] = int(colour / 65536) % 256
  colourText[pattern] = $4
  next
}

file == 1 && NF == 4 && $1 ~ /^-?[0-9]+$/ {
  ++segments[pattern]
  n = ++ends
  endX[n] = $1 + margin; endY[n] = $2 + margin; endPattern[n] = pattern
  n = ++ends
  endX[n] = $3 + margin; endY[n] = $4 + margin; endPattern[n] = pattern
  mark($1 + margin, $2 + margin, $3 + margin, $4 + margin, pattern)
  for (i = 1; i <= 3; i += 2) {
    if (!boxed || $i < minX) minX = $i
    if (!boxed || $i > maxX) maxX = $i
    if (!boxed || $(i + 1) < minY) minY = $(i + 1)
    if (!boxed || $(i + 1) > maxY) maxY = $(i + 1)
    boxed = 1
  }
  next
}

file == 2 {
  y = FNR - 1
  for (i = 1; i + 2 <= NF; i += 3) {
    if ($i >= 224 && $(i + 1) >= 224 && $(i + 2) >= 224) continue
    x = (i - 1) / 3
    ink[x, y] = $i " " $(i + 1) " " $(i + 2)
    ++inkCount
    if (inkCount == 1 || x < inkMinX) inkMinX = x
    if (inkCount == 1 || x > inkMaxX) inkMaxX = x
    if (inkCount == 1 || y < inkMinY) inkMinY = y
    if (inkCount == 1 || y > inkMaxY) inkMaxY = y
  }
}

# mawk has no strtonum; the listing's colours are 0x followed by six hex digits.
function strtonum_hex(text, digits, v, i) {
  digits = "0123456789ABCDEF"
  v = 0
  for (i = 3; i <= length(text); ++i) v = v * 16 + index(digits, toupper(substr(text, i, 1))) - 1
  return v
}

END {
  if (!patterns || !ends) {
    print "  FAIL the segment listing holds no printed pattern"
    exit 1
  }
  for (p = 1; p <= patterns; ++p) {
    misses = 0
    example = ""
    for (n = 1; n <= ends; ++n) {
      if (endPattern[n] != p) continue
      if (inked(endX[n], endY[n], p)) continue
      if (++misses <= 3) example = example sprintf(" (%d,%d)", endX[n], endY[n])
    }
    report(misses == 0, sprintf("pattern %d (%d segments, pen %s): %d of %d segment ends without its ink within %d px%s", \
           p, segments[p], colourText[p], misses, 2 * segments[p], tol, \
           misses ? ", e.g. at render pixels" example : ""))
  }

  strays = 0
  example = ""
  for (key in ink) {
    split(key, at, SUBSEP)
    if (nearLine(at[1] + 0, at[2] + 0)) continue
    if (++strays <= 3) example = example sprintf(" (%d,%d)", at[1], at[2])
  }
  report(strays == 0, sprintf("%d inked pixels farther than %d px from every segment%s", strays, tol, \
         strays ? ", e.g." example : ""))

  if (blankR) {
    blank = 0
    for (x = blankX - blankR; x <= blankX + blankR; ++x)
      for (y = blankY - blankR; y <= blankY + blankR; ++y)
        if ((x + margin, y + margin) in ink) ++blank
    report(blank == 0, sprintf("%d inked pixels within %d px of device pixel (%d,%d)", blank, \
           blankR, blankX, blankY))
  }

  # A pen of one device pixel inks about one pixel per pixel of line.
  report(inkCount <= 2 * lineCells, sprintf("pen width: %d inked pixels for %d pixels of line", \
         inkCount, lineCells))

  # The extremes of the ink pin the page's origin down more tightly than tol.
  report(inkCount && abs(inkMinX - minX - margin) <= 1 && abs(inkMinY - minY - margin) <= 1 && \
         abs(inkMaxX - maxX - margin) <= 1 && abs(inkMaxY - maxY - margin) <= 1, \
         sprintf("ink spans render pixels (%d,%d)-(%d,%d); the segments plus %d: (%d,%d)-(%d,%d)", \
                 inkMinX, inkMinY, inkMaxX, inkMaxY, margin, minX + margin, minY + margin, \
                 maxX + margin, maxY + margin))
  exit failed
}
