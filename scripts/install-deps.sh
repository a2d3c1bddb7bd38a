#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Does nothing when they are all present already.
set -euo pipefail
packages=(
    build-essential cmake pkg-config
    libsdl2-dev libx11-dev libfreetype-dev libpixman-1-dev
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb x11-apps x11-utils xdotool openbox
    xfonts-base fonts-arphic-uming
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=120 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=120 install -y -qq --no-install-recommends "${missing[@]}"
