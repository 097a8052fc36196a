#!/usr/bin/env bash
# Builds the Debian package from the build folder $1 into a temporary folder and
# checks that it carries the programs, the shared files, the menu entry, the
# icon and the man page, and declares the libraries the program runs on.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/vantrek_*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in usr/bin/vantrek usr/bin/vantrek-cli usr/share/applications/vantrek.desktop \
         usr/share/icons/hicolor/scalable/apps/vantrek.svg usr/share/man/man1/vantrek-cli.1 \
         usr/share/vantrek/skins/night.bmp usr/share/vantrek/icons/about.bmp \
         usr/share/vantrek/Help.htm usr/share/vantrek/Cities.loc usr/share/vantrek/Frequencies.txt \
         usr/share/vantrek/TLE/sample.tle; do
  grep -q " \./$f\$" <<<"$contents" || { echo "missing from the package: $f" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || { echo "Qt Widgets not declared: $depends" >&2; exit 1; }
grep -q 'Categories=Education;Science;Astronomy;' <<<"$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/vantrek.desktop)" \
  || { echo "desktop entry without its categories" >&2; exit 1; }
echo "package ok: $(basename "$deb")"
