#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test.
set -euo pipefail
packages=(build-essential cmake pkg-config qt6-base-dev qt6-serialport-dev qt6-svg-dev
  libmariadb-dev mariadb-server mariadb-client libpng-dev libjpeg-dev libqrencode-dev
  qt6-translations-l10n fonts-open-sans fonts-dseg fonts-dejavu-core poppler-utils xvfb
  imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# The package's own service start is refused in containers; we run a private server instead.
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
