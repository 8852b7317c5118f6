#!/usr/bin/env bash
# Shared set-up of ./play and ./test: install the missing Debian packages, configure and build.
# Usage: tools/setup.sh <build-dir> <build-type> [extra cmake args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1; type=$2; shift 2

packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev
          libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev fluid-soundfont-gm fonts-ipafont-mincho
          xvfb xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" "$@"
cmake --build "$build" -j "$(nproc)"
