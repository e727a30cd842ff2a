#!/usr/bin/env bash
# Installs the Debian packages Tarvel needs to build, test and run. Idempotent: quiet when
# everything is there, and runs apt-get update only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache dpkg-dev lintian
  clang libclang-rt-14-dev
  qt6-base-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  firebird-dev libfbclient2 firebird3.0-server-core
  fonts-liberation fonts-dejavu-core
  # The desktop stage: an X server, a window manager, a D-Bus session with the accessibility bus,
  # an assistive client's library and real X input (and ps, to end what the stage started); a
  # Wayland compositor in a window on that X server, and Qt's Wayland platform.
  xvfb openbox dbus-x11 at-spi2-core python3-pyatspi python3-pytest xdotool procps
  weston qt6-wayland
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
