#!/usr/bin/env bash
# The Debian package as a user gets it: unpacked into an empty tree, its
# programs run from there with nothing of the build around them, its desktop
# entry opens links, and its dependencies name the runtime libraries they
# link against; each program has its manual page, and lintian finds nothing
# to warn of.
set -euo pipefail
deb=${1:?usage: $0 PACKAGE.deb}
fail() { echo "package check: $*" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libpng16-16 libsqlite3-0; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
for file in bin/glyphverse bin/glyphverse-query bin/glyphverse-snapshot bin/glyphverse-atlas \
    bin/glyphverse-hunt \
    share/man/man1/glyphverse.1.gz share/man/man1/glyphverse-query.1.gz \
    share/man/man1/glyphverse-snapshot.1.gz share/man/man1/glyphverse-atlas.1.gz \
    share/man/man1/glyphverse-hunt.1.gz \
    share/applications/glyphverse.desktop share/doc/glyphverse/copyright \
    share/doc/glyphverse/changelog.gz \
    share/icons/hicolor/64x64/apps/glyphverse.png share/icons/hicolor/256x256/apps/glyphverse.png; do
  [[ -s "$root/usr/$file" ]] || fail "no /usr/$file"
done
if ldd "$root"/usr/bin/* | grep 'not found'; then fail "a library is missing"; fi
# The desktop entry is valid, and its Exec line with a link starts the
# installed explorer at the link's place (seen in a terminal).
desktop-file-validate "$root/usr/share/applications/glyphverse.desktop" ||
  fail "the desktop entry is not valid"
if command -v tmux >/dev/null; then
  bash "$(dirname "$0")/e2e/link_test.sh" "$root/usr/share/applications/glyphverse.desktop" \
    "$root/usr/bin/glyphverse" || fail "a link does not start the installed explorer there"
fi
# Debian's own check of a package: no error and no warning.
lintian --fail-on error,warning "$deb" || fail "lintian finds errors or warnings"
# As root, dpkg says whether this system could install it (nothing is changed).
if [[ $(id -u) -eq 0 ]]; then
  dpkg --dry-run -i "$deb" >/dev/null || fail "dpkg would not install it"
fi

answer=$("$root/usr/bin/glyphverse-hunt" 0 0 64 64 --quiet --out "$root/hunt.db")
[[ $answer == 4096$'\t'* ]] || fail "installed glyphverse-hunt printed '$answer'"
answer=$("$root/usr/bin/glyphverse-query" galaxy 10 10)
[[ $answer == $'14\t13\t14\t0\t0\t2' ]] || fail "installed glyphverse-query answered '$answer'"
"$root/usr/bin/glyphverse-snapshot" --start 10,10 --out "$root/frame.png" >/dev/null
[[ $(head -c 8 "$root/frame.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  fail "installed glyphverse-snapshot wrote no PNG"
"$root/usr/bin/glyphverse-atlas" galaxy 0 0 64 64 --quiet --out "$root/atlas.png" ||
  fail "installed glyphverse-atlas failed"
echo "package check: $(basename "$deb") ($(stat -c %s "$deb") bytes) installs and runs; Depends: $depends"
