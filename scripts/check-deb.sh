#!/usr/bin/env bash
# Checks a built package the way a Debian maintainer would before taking it:
# lintian (no error, no warning), the AppStream metainfo with the desktop
# entry beside it as installed, the unpacked command line making a PDF
# through the drawing program where the package puts it, and the list of what
# the package holds.
# Usage: scripts/check-deb.sh build/planek_VERSION_ARCH.deb
set -euo pipefail
deb=${1:?usage: $0 PACKAGE.deb}
[ -f "$deb" ] || { echo "No package $deb" >&2; exit 1; }

echo "== lintian"
# Info tags are printed too, so what is kept is in view; only errors and
# warnings fail the check.
lintian --info --display-info --fail-on error,warning "$deb"
echo "lintian: no errors or warnings"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
echo "== appstreamcli"
appstreamcli validate --no-net --pedantic "$tree"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$tree"

echo "== a PDF from the unpacked package"
# planek-cli finds its data and its drawing program beside bin/ as installed.
ward="$tree/ward"
QT_QPA_PLATFORM=offscreen "$tree"/usr/bin/planek-cli demo "$ward" >/dev/null
month=$(ls "$ward"/dane/*.pnk | head -1)
pdf=$(QT_QPA_PLATFORM=offscreen "$tree"/usr/bin/planek-cli --root "$ward" print grafik_miesieczny "$month" \
  --group 1 --pdf -o "$tree/out" | tail -1)
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || { echo "no PDF from the unpacked package" >&2; exit 1; }
echo "PDF: $(basename "$pdf")"

echo "== contents"
dpkg-deb -I "$deb" | sed -n '/Architecture:/,$p'
dpkg-deb -c "$deb"
# Each step above stops the script when it fails.
echo "package checks: 4 passed, 0 failed"
