#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (as root).
set -euo pipefail
packages=(
  cmake gcc g++ make googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 xvfb imagemagick fonts-wqy-microhei fonts-wine
  libfreetype-dev fonts-dejavu-core fonts-droid-fallback zlib1g-dev
  clang libclang-rt-dev libzint-dev zbar-tools
  python3 unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
