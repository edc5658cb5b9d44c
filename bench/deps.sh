#!/usr/bin/env bash
# Installs Google Benchmark for make bench when it is missing (the rest of
# the build does without it, so scripts/install-deps.sh leaves it out).
set -euo pipefail
dpkg-query -W -f='${Status}' libbenchmark-dev 2>/dev/null | grep -q "install ok installed" && exit 0
echo "Installing: libbenchmark-dev"
if [ "$(id -u)" -eq 0 ]; then sudo=""; elif command -v sudo >/dev/null; then sudo="sudo"; else
  echo "libbenchmark-dev is missing and there are no root rights to install it." >&2; exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends libbenchmark-dev ||
  { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends libbenchmark-dev; }
