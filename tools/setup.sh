#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent: does nothing when every package is already installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  xvfb xauth x11-utils
  libx11-dev libxext-dev libxtst-dev
  libgl-dev libglx-dev libgl1-mesa-dri libglx-mesa0 libglu1-mesa-dev mesa-common-dev
  libpng-dev libjpeg-dev libtiff-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
