#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and only when one of them is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev liblz4-dev
  libgtest-dev clang-14 libclang-rt-14-dev clang-format-14 valgrind
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra fontconfig
  xvfb xauth xdotool x11-utils imagemagick
  libbenchmark-dev libx11-dev libxtst-dev
  binutils-mingw-w64-x86-64 desktop-file-utils appstream dpkg-dev file
  lintian qt6-translations-l10n weston qt6-wayland
  libxdamage-dev dbus-daemon dbus-bin at-spi2-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
