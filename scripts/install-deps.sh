#!/usr/bin/env bash
# Installs, from Debian's packages, what one purpose needs and this machine
# lacks. Safe to run again: it installs nothing when everything is present, so
# it needs no network, root or sudo then.
#
#   scripts/install-deps.sh [--dry-run] PURPOSE...
#     run      build and start the explorer and its tools (the default)
#     test     run, plus the test suite, benchmarks, fuzzers, real-window tests
#              and the hunt's
#     hunt     run, plus hunts across machines (OpenMPI) and their batch
#              system (Slurm, munge)
#     cross    run, plus the check that other compilers and CPUs agree
#     package  run, plus what building the Debian package needs
#     web      run, plus the browser build (Emscripten, Node) and its local server
#     web-test web, plus npm and Chromium for the browser tests
#     lint     clang-format and clang-tidy
#     i386     the 32-bit x86 (-m32) check, which CI does not run
#   --dry-run  only say what is missing
set -euo pipefail

usage() {
  sed -n '6,18s/^# \{0,1\}//p' "$0"
  exit "$1"
}

# One line per group: its purpose, why, and its packages (Debian names; a
# :arch suffix asks for another architecture's package).
groups_for() {
  case $1 in
    run)
      echo "run|a C++20 compiler and the build tools|g++ cmake ninja-build pkg-config"
      echo "run|the window (SDL2, Xlib) and the PNG files of the snapshot tool|libsdl2-dev libx11-dev libpng-dev"
      echo "run|the tools' option parsing (CLI11)|libcli11-dev"
      echo "run|bookmarks and the log of visits (SQLite)|libsqlite3-dev"
      echo "run|the tools' JSON output (nlohmann-json)|nlohmann-json3-dev"
      ;;
    test)
      groups_for run
      echo "test|unit tests and benchmarks|libgtest-dev libgmock-dev libbenchmark-dev"
      echo "test|real-window tests: X server, input, screenshots, window manager, terminal|xvfb xdotool imagemagick openbox tmux"
      echo "test|pasting what the window copied|xclip"
      echo "test|fuzzers (clang with libFuzzer)|clang libclang-rt-dev"
      groups_for hunt | grep -v '^run|'
      ;;
    hunt)
      groups_for run
      echo "hunt|hunts across machines (OpenMPI)|libopenmpi-dev openmpi-bin"
      echo "hunt|the batch system that hunts are submitted to (Slurm, munge)|slurm-wlm munge"
      ;;
    cross)
      groups_for run
      echo "cross|a second compiler and Debian's aarch64 cross compiler|clang g++-aarch64-linux-gnu"
      echo "cross|running aarch64 programs here (qemu user mode)|qemu-user"
      echo "cross|libpng for the aarch64 snapshot tool (multiarch)|libpng-dev:arm64"
      ;;
    package)
      groups_for run
      echo "package|the package's dependencies from its libraries, a check of its desktop entry|dpkg-dev desktop-file-utils"
      echo "package|the programs' manual pages from their --help, Debian's check of the package|help2man lintian"
      ;;
    web)
      groups_for run
      echo "web|the explorer for browsers and the tools for Node (Emscripten)|emscripten nodejs"
      echo "web|make serve-web's local web server|python3"
      ;;
    web-test)
      groups_for web
      echo "web-test|the browser tests: their npm packages, the system's Chromium|npm chromium"
      ;;
    lint)
      echo "lint|formatting and static analysis|clang-format clang-tidy"
      ;;
    i386)
      # gcc-multilib conflicts with every Debian cross compiler; g++-12-multilib
      # does not, and the i386 toolchain file finds the headers without it.
      echo "i386|32-bit x86 libraries for g++ -m32|g++-12-multilib"
      ;;
    *)
      echo "install-deps: unknown purpose '$1'" >&2
      usage 2 >&2
      ;;
  esac
}

native_arch=$(dpkg --print-architecture 2>/dev/null || echo unknown)

# Installed for the architecture asked for (the machine's own by default)?
# dpkg-query prints one status line per installed architecture of a package.
is_installed() {
  local pkg=$1 arch=$native_arch
  [[ $pkg == *:* ]] && arch=${pkg##*:}
  dpkg-query -W -f='${db:Status-Abbrev} ${Architecture}\n' "$pkg" 2>/dev/null |
    awk -v want="$arch" '$1 == "ii" && ($2 == want || $2 == "all") { found = 1 }
                         END { exit !found }' ||
    { [[ $pkg != *:* ]] && is_provided "$pkg"; }
}

# Provided by an installed package? Some builds of nodejs bring npm, and
# conflict with Debian's npm package.
is_provided() {
  dpkg-query -W -f='${db:Status-Abbrev}|${Provides}\n' 2>/dev/null |
    awk -F'|' -v want="$1" '$1 ~ /^ii/ { n = split($2, names, /, */)
                              for (i = 1; i <= n; ++i) { sub(/ .*/, "", names[i])
                                                         if (names[i] == want) found = 1 } }
                            END { exit !found }'
}

dry_run=false
purposes=()
for arg in "$@"; do
  case $arg in
    --dry-run) dry_run=true ;;
    -h | --help) usage 0 ;;
    *) purposes+=("$arg") ;;
  esac
done
[[ ${#purposes[@]} -gt 0 ]] || purposes=(run)

declare -A seen=()
missing=()
foreign_archs=()
for purpose in "${purposes[@]}"; do
  groups=$(groups_for "$purpose")
  while IFS='|' read -r _ why packages; do
    group_missing=()
    for pkg in $packages; do
      [[ -n ${seen[$pkg]:-} ]] && continue
      seen[$pkg]=1
      is_installed "$pkg" || group_missing+=("$pkg")
      [[ $pkg == *:* ]] && foreign_archs+=("${pkg##*:}")
    done
    if [[ ${#group_missing[@]} -gt 0 ]]; then
      echo "install-deps: $why: ${group_missing[*]}"
      missing+=("${group_missing[@]}")
    fi
  done <<<"$groups"
done

if [[ ${#missing[@]} -eq 0 ]] || $dry_run; then
  exit 0
fi

if [[ -n ${seen[g++-aarch64-linux-gnu]:-} ]] && is_installed gcc-multilib; then
  cat >&2 <<MSG
install-deps: gcc-multilib conflicts with Debian's cross compilers and would be
removed. Remove it yourself first (apt-get remove gcc-multilib); for -m32,
'scripts/install-deps.sh i386' installs g++-12-multilib, which does not conflict.
MSG
  exit 1
fi

if ! command -v apt-get >/dev/null 2>&1; then
  cat >&2 <<MSG
install-deps: this system has no apt-get, so the missing packages cannot be
installed automatically. Install their equivalents by hand (a C++20 compiler,
CMake 3.25 or later, Ninja, pkg-config, SDL2 and libpng development files ...).
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

export DEBIAN_FRONTEND=noninteractive
for arch in ${foreign_archs[@]+"${foreign_archs[@]}"}; do
  if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    echo "install-deps: adding the $arch architecture for multiarch libraries"
    "${as_root[@]}" dpkg --add-architecture "$arch"
  fi
done
# Another install holding the package lock (a desktop's updater, a second
# make) is waited for, up to ten minutes, rather than failing at once.
apt=("${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600)
"${apt[@]}" update -qq
# --no-remove: installing one purpose's packages never removes another's.
"${apt[@]}" install -y -qq --no-install-recommends --no-remove "${missing[@]}"
