#!/usr/bin/env bash
# Installs every build and test dependency from Debian's packages. Run as root (or with sudo available).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  build-essential cmake ninja-build git clang-format \
  qt6-base-dev qt6-base-dev-tools libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  xvfb xauth fonts-dejavu-core \
  dpkg-dev file desktop-file-utils appstream groff-base \
  clang libclang-rt-14-dev
# The accessibility test: the AT-SPI registry, its Python client and a private D-Bus session.
$SUDO apt-get install -y -q --no-install-recommends at-spi2-core python3-pyatspi dbus dbus-x11
