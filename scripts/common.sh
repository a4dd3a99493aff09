# Shared by ./run and ./test: install what is missing, configure and build.
# shellcheck shell=bash

NUMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

NUMORA_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  qt6-base-private-dev  # the accessibility test switches Qt's accessibility on, as a screen reader does
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth desktop-file-utils
  fonts-dejavu-core fonts-liberation2 fonts-urw-base35
  xdotool x11-utils
  libx11-dev libxcb1-dev
  clang libclang-rt-14-dev
)

numora_missing_packages() {
  local p missing=()
  for p in "${NUMORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  echo "${missing[@]}"
}

numora_install_packages() {
  local missing
  missing=$(numora_missing_packages)
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

# numora_build DIR [cmake options...]
numora_build() {
  local dir=$1
  shift
  if [ ! -f "$NUMORA_ROOT/$dir/CMakeCache.txt" ]; then
    cmake -S "$NUMORA_ROOT" -B "$NUMORA_ROOT/$dir" "$@" >/dev/null
  fi
  cmake --build "$NUMORA_ROOT/$dir" --parallel "$(nproc)"
}
