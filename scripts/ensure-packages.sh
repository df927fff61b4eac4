#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
set -euo pipefail
PKGS=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
      qt6-base-dev qt6-serialport-dev libqt6printsupport6
      libgtest-dev libgmock-dev libbenchmark-dev
      srecord binutils xvfb xauth fonts-dejavu-core
      poppler-utils)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
