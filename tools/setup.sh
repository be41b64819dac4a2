#!/usr/bin/env bash
# Installs the Debian packages of tools/debian-packages.txt, and those named
# as arguments, that are missing (run as root on Debian 12). Does nothing
# when all are there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$top/tools/debian-packages.txt")
wanted+=("$@")
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$pkg")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
