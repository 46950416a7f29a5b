#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# benchmarks need and this machine lacks. Safe to run again: it installs
# nothing when everything is present. Needs no network when nothing is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  libpng-dev
  xvfb xdotool imagemagick
  openbox  # a window manager for the full-screen test under Xvfb
  tmux     # a terminal for the test of the terminal fallback
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
  cat >&2 <<MSG
install-deps: this system has no apt-get, so the missing packages cannot be
installed automatically. Install these (or your system's equivalents) by hand:
  a C++20 compiler, CMake 3.25 or later, Ninja, pkg-config,
  SDL2 (development files), GoogleTest and GoogleMock, Google Benchmark,
  libpng (development files), Xvfb, xdotool, ImageMagick, Openbox and tmux.
Missing here by their Debian names: ${missing[*]}
MSG
  exit 1
fi

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing ${missing[*]}; run this script as root or install sudo." >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
