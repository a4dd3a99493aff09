# Shared by ./run and ./test: install what is missing, configure and build.
# shellcheck shell=bash

NUMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the calculator needs (./run), and what the tests, the probe, the
# benchmarks, the fuzz targets and the package checks need on top of that (./test).
NUMORA_RUN_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev
  fonts-dejavu-core fonts-liberation2 fonts-urw-base35
)
NUMORA_TEST_PACKAGES=(
  qt6-base-private-dev  # the accessibility test switches Qt's accessibility on, as a screen reader does
  libjpeg-turbo-progs
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth desktop-file-utils
  weston qt6-wayland  # start-up with "wayland;xcb" on a headless Wayland compositor
  xdotool x11-utils
  x11-xkb-utils  # setxkbmap: the desktop session types on German and French layouts too
  openbox icewm  # the window managers the desktop-session tests run under
  qt6ct  # the desktop-session test gives the program a larger desktop font, as a user would
  # the screen reader session: Orca on the test's own session bus, its speech through espeak-ng
  # into libao's null driver
  orca at-spi2-core dbus-daemon dbus-bin speech-dispatcher speech-dispatcher-espeak-ng
  speech-dispatcher-audio-plugins
  weston qt6-wayland  # the package test reads the Wayland app id from a headless compositor
  libx11-dev  # the window driver of the X server tests
  locales  # the locale definitions a test makes a Turkish locale from
  clang libclang-rt-14-dev
  dpkg-dev file lintian appstream man-db
)
# The Windows build (./test --windows): the cross compiler, what builds the Qt and libjpeg-turbo
# it links (scripts/windows-sdk), the installer maker, and Wine to run and test the result.
NUMORA_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix  # posix threads; its long double is the x87 80-bit type
  nasm ninja-build dpkg-dev xz-utils
  nsis
  fonts-urw-base35  # the stand-ins for the window faces a clean Windows lacks, shipped with it
  wine wine64
)

# numora_missing_packages [run|windows]: what ./run needs, what ./test needs, or that and the
# Windows build's packages
numora_missing_packages() {
  local p missing=() wanted=("${NUMORA_RUN_PACKAGES[@]}")
  [ "${1:-}" = run ] || wanted+=("${NUMORA_TEST_PACKAGES[@]}")
  [ "${1:-}" = windows ] && wanted+=("${NUMORA_WINDOWS_PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  echo "${missing[@]}"
}

# numora_install_packages [run|windows]
numora_install_packages() {
  local missing
  missing=$(numora_missing_packages "${1:-}")
  [ -z "$missing" ] && return 0
  echo "numora: installing missing packages: $missing"
  local apt=(apt-get)
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      apt=(sudo apt-get)
    else
      echo "numora: these Debian packages are missing: $missing" >&2
      echo "numora: run as root, or install sudo, or install them by hand with apt-get" >&2
      exit 1
    fi
  fi
  # The package lists may be stale on a fresh machine; refresh them once if the install fails.
  # shellcheck disable=SC2086
  if ! DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y --no-install-recommends $missing; then
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y --no-install-recommends $missing
  fi
}

# numora_build DIR [cmake options...]: everything, tests and benchmarks included. The tree is
# configured every time, so a tree that ./run made for the program alone gets the rest too.
numora_build() {
  local dir=$1
  shift
  cmake -S "$NUMORA_ROOT" -B "$NUMORA_ROOT/$dir" -DNUMORA_TESTS=ON -DNUMORA_BENCH=ON "$@" >/dev/null
  cmake --build "$NUMORA_ROOT/$dir" --parallel "$(nproc)"
}

# numora_build_program DIR [cmake options...]: only the calculator. A new tree leaves out the
# tests and benchmarks, whose packages ./run does not install; a tree that has them keeps them.
numora_build_program() {
  local dir=$1
  shift
  if [ ! -f "$NUMORA_ROOT/$dir/CMakeCache.txt" ]; then
    cmake -S "$NUMORA_ROOT" -B "$NUMORA_ROOT/$dir" -DNUMORA_TESTS=OFF -DNUMORA_BENCH=OFF "$@" >/dev/null
  fi
  cmake --build "$NUMORA_ROOT/$dir" --parallel "$(nproc)" --target numora
}

# numora_build_windows DIR SDK: the program, the probe and the packages for 64-bit Windows.
numora_build_windows() {
  local dir=$1 sdk=$2
  cmake -S "$NUMORA_ROOT" -B "$NUMORA_ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$NUMORA_ROOT/scripts/windows-toolchain.cmake" \
    -DNUMORA_WINDOWS_SDK="$sdk" >/dev/null
  cmake --build "$NUMORA_ROOT/$dir" --parallel "$(nproc)"
  cmake --build "$NUMORA_ROOT/$dir" --target package >/dev/null
}
