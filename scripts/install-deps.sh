#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quarn need, when
# they are missing. Usage: scripts/install-deps.sh [extra package ...]
set -euo pipefail

packages=(
  cmake g++ make          # the build
  libgtest-dev libgmock-dev  # the test suite
  libstb-dev              # image files (PNG, JPEG, TGA, BMP) for the quarn tool
  binutils                # nm, for the export-table check
  libsquish-dev           # a peer encoder of the benchmark (bench/, optional build)
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
