#!/usr/bin/env bash
# Installs a built package into a fresh Debian 12 made by debootstrap, the
# way a hospital's IT installs it on a new machine (apt install ./planek_*.deb
# pulls in what it depends on), then runs the programs from it: planek-cli
# makes the demo ward and sums up a month, planek draws a roster as PDF on
# the offscreen platform. Needs root, debootstrap and the Debian archive the
# host's apt uses; it downloads a system, so it is not part of make test.
# Usage: scripts/deb-chroot.sh build/planek_VERSION_ARCH.deb [FOLDER]
set -euo pipefail
deb=$(realpath "${1:?usage: $0 PACKAGE.deb [FOLDER]}")
target=${2:-$(mktemp -d /tmp/planek-chroot.XXXXXX)}
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v security | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' /etc/apt/sources.list)
[ -n "$mirror" ] || { echo "No Debian archive in the host's apt sources" >&2; exit 1; }

start=$(date +%s)
if [ ! -x "$target/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$target" "$mirror" >"$target.debootstrap.log" 2>&1 ||
    { tail -n 20 "$target.debootstrap.log" >&2; exit 1; }
fi
echo "debootstrap: $(( $(date +%s) - start )) s"

# The programs find their shared data through /proc/self/exe, as on any machine.
mount -t proc proc "$target/proc"
trap 'umount "$target/proc"' EXIT
in_root() { chroot "$target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
cp "$deb" "$target/tmp/"
start=$(date +%s)
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" \
  >"$target.install.log" 2>&1 || { tail -n 20 "$target.install.log" >&2; exit 1; }
echo "apt install: $(( $(date +%s) - start )) s, $(grep -c '^Setting up' "$target.install.log") packages set up"

rm -rf "$target/root/oddzial" "$target/root/wydruki"
in_root planek-cli demo /root/oddzial
month=$(cd "$target/root/oddzial/dane" && ls ./*.pnk | tail -n 1)
in_root planek-cli --root /root/oddzial --lang english summary "/root/oddzial/dane/$month" --group 1 | head -n 3
in_root env QT_QPA_PLATFORM=offscreen planek-cli --root /root/oddzial print grafik_miesieczny \
  "/root/oddzial/dane/$month" --group 1 --pdf -o /root/wydruki
in_root env QT_QPA_PLATFORM=offscreen planek --help | head -n 3
echo "The package works in $target"
