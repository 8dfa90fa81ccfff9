#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those missing. The package index is
# refreshed only when something has to be installed.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config libgtest-dev
    qt6-base-dev libgl-dev libxcb1-dev
    mdbtools-dev mdbtools
    fonts-liberation
    xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick
    at-spi2-core dbus python3-gi gir1.2-atspi-2.0
    clang libclang-rt-14-dev
    desktop-file-utils appstream time
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64 googletest wine nsis
    clang-format
    dpkg-dev file lintian
)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    # A Debian installed with a root password has no sudo: say what root has to run instead.
    if ! command -v sudo >/dev/null; then
        echo "install-deps.sh: missing packages and no sudo; as root run:" \
            "apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
