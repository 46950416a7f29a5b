# What the hunt's tests share: a catalogue as text, and the catalogue a
# brute-force scan with glyphverse-query's galaxy and system queries gives.
fail() { echo "FAIL: $*" >&2; exit 1; }

# The listing and the census of a catalogue, in one text.
catalogue_text() {
  "$query" --catalogue "$1" || fail "cannot list $1"
  "$query" --catalogue "$1" --census || fail "cannot read the census of $1"
}

# How many stars the tiles recorded in a catalogue hold (0 while there is none).
stars_done() {
  "$query" --catalogue "$1" --census 2>/dev/null | awk '$1 == "starCount" { n += $3 } END { print n + 0 }'
}

# brute_force X0 Y0 W H MIN_STARS MIN_PLANETS MIN_BRIGHT NAME_PART: what
# catalogue_text should print for a hunt with those filters, every cell
# asked of the query tool.
brute_force() {
  local x0=$1 y0=$2 w=$3 h=$4 stars=$5 planets=$6 bright=$7 name=$8
  awk -v x0="$x0" -v y0="$y0" -v w="$w" -v h="$h" 'BEGIN {
      for (dy = 0; dy < h; ++dy) for (dx = 0; dx < w; ++dx) {
        x = (x0 + dx) % 16777216; y = (y0 + dy) % 16777216
        if (x < 0) x += 16777216; if (y < 0) y += 16777216
        print "galaxy", x, y } }' >"$dir/galaxy.in"
  "$query" <"$dir/galaxy.in" | cut -f4 | paste - "$dir/galaxy.in" |
    awk '$1 != 0 { print "system", $3, $4 }' >"$dir/system.in"
  "$query" <"$dir/system.in" | paste "$dir/system.in" - |
    awk -F'\t' -v stars="$stars" -v planets="$planets" -v bright="$bright" -v part="$name" '
      { split($1, cell, " "); x = cell[2]; y = cell[3]
        ++starCount[$4]; ++planetCount[$5]; ++nebIntens[$8]
        if ($4 >= stars && $5 >= planets && $8 >= bright && (part == "" || index(tolower($9), part) > 0)) {
          n = split($0, f, "\t"); line = x "\t" y
          for (i = 2; i <= n; ++i) line = line "\t" f[i]
          print y, x, line > "/dev/stderr" } }
      END { for (k = 0; k <= 5; ++k) print "starCount\t" k "\t" starCount[k] + 0
            for (k = 0; k <= 10; ++k) print "planetCount\t" k "\t" planetCount[k] + 0
            for (k = 0; k <= 255; ++k) print "nebIntens\t" k "\t" nebIntens[k] + 0 }' \
      2>"$dir/matches" >"$dir/census"
  sort -n -k1,1 -k2,2 "$dir/matches" | cut -d' ' -f3-
  cat "$dir/census"
}
