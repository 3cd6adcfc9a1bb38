#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and tests need and is
# not yet on this machine. Safe to run again.
set -euo pipefail
PKGS=(build-essential cmake pkg-config git
      googletest libgtest-dev libgmock-dev libbenchmark-dev
      libcairo2-dev libfontconfig1-dev libfreetype-dev fonts-liberation
      libpng-dev libjpeg-dev libtiff-dev libgif-dev
      libdmtx-dev libqrencode-dev libcups2-dev cups-client
      libzxing-dev libzxing2 imagemagick libmagickcore-6.q16-6-extra libwmf-bin ghostscript
      poppler-utils librsvg2-bin netpbm
      qt6-base-dev qt6-wayland xvfb xauth
      clang libclang-rt-14-dev)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
