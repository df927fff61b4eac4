#!/usr/bin/env bash
# Installs the Debian packages that are missing, as root or through sudo.
#
#   ensure-packages.sh          what building and running the program needs
#   ensure-packages.sh --test   that and what ./test.sh needs besides
#
# Only names that every current Debian release carries are used: the
# unversioned clang runtime (libclang-rt-dev) where the archive has it,
# otherwise the runtime of the installed clang's own version.
set -euo pipefail

RUN_PKGS=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-serialport-dev fonts-dejavu-core)
# GoogleTest; clang and its runtime for the fuzz targets; srecord and
# binutils (objcopy) decode Intel HEX independently; python3 runs the
# second implementations that check the golden files; poppler-utils
# (pdftoppm) reads the printed pages; Google Benchmark for the benchmarks;
# xvfb and xauth to look at the program on a virtual screen; openbox,
# xdotool and x11-utils (xprop) for the tests through a real window system.
TEST_PKGS=(libgtest-dev libgmock-dev libbenchmark-dev clang srecord binutils python3 poppler-utils
           xvfb xauth openbox xdotool x11-utils)

want=("${RUN_PKGS[@]}")
[ "${1:-}" = "--test" ] && want+=("${TEST_PKGS[@]}")

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
apt_install() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$@"
}
updated=0
apt_update() { ((updated)) || { $SUDO apt-get update; updated=1; }; }

missing=()
for p in "${want[@]}"; do installed "$p" || missing+=("$p"); done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt_update
  apt_install "${missing[@]}"
fi

# The fuzzer runtime of clang. Debian 12 and later have the unversioned
# libclang-rt-dev; should it be missing, the versioned package of the
# installed clang (libclang-rt-<major>-dev) is taken instead.
if [ "${1:-}" = "--test" ]; then
  major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -1)
  if ! installed libclang-rt-dev && ! installed "libclang-rt-$major-dev"; then
    apt_update
    if apt-cache show libclang-rt-dev >/dev/null 2>&1; then
      apt_install libclang-rt-dev
    else
      apt_install "libclang-rt-$major-dev"
    fi
  fi
fi
