#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(cmake ninja-build g++ make pkg-config qt6-base-dev qt6-translations-l10n libzip-dev libxlsxwriter-dev libgtest-dev xvfb xauth
  # the tests open the exports with real readers, print the workbook, and
  # open a CSV in a real spreadsheet, which must show formula-like names as text
  python3-openpyxl python3-icalendar poppler-utils libreoffice-calc-nogui
  # make deb: the package's dependencies, its checks; the manual pages' lint
  dpkg-dev lintian appstream mandoc
  # the hospital server's store: its client library, and the server the tests start a throwaway cluster of
  libpq-dev postgresql)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; elif command -v sudo >/dev/null; then sudo="sudo"; else
  echo "Missing packages (${missing[*]}) and no root rights to install them." >&2; exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
