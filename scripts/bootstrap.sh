#!/usr/bin/env bash
# Installs every Debian package that the build, the tests and the examples need.
# Installs only what is missing, so running it twice is harmless.
set -euo pipefail

packages=(
  # toolchain and build
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  # libraries
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev libgl-dev libzip-dev libdeflate-dev libxlsxwriter-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # the long-double special functions the benchmarks compare against
  libboost-math-dev
  # fonts used when drawing titles and scales
  fonts-liberation2 fonts-dejavu-core fontconfig
  # outside readers used by the tests, and a display for screenshots
  gdal-bin libxml2-utils unzip zip xvfb xauth locales
  # the end-to-end timing beside ogr2ogr (kartello/graph/bench/batch-vs-ogr2ogr.sh)
  hyperfine
  # vector data of every format GDAL reads
  libgdal-dev
  # Wine's 64-bit loader and the mingw-w64 cross compilers (with their objdump):
  # Probability.dll and its test, Sigillo's Wine back-end, its Windows helper
  # and test servers; the desktop's own readers of the entries Sigillo
  # installs (desktop-file-validate, gio)
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64 desktop-file-utils libglib2.0-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Comma-decimal locales for the tests that run Kartello under a user's locale.
for loc in de_DE fr_FR; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf8$"; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO sed -i "s/^# *${loc}.UTF-8 UTF-8/${loc}.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^${loc}.UTF-8 UTF-8" /etc/locale.gen || echo "${loc}.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done
echo "bootstrap: all packages present"
