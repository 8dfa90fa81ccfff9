#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those missing. The package index is
# refreshed only when something has to be installed. Each step prints one line; what apt and
# dpkg say goes to a log file, named should a step fail.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config libgtest-dev
    qt6-base-dev libgl-dev libxcb1-dev
    mdbtools
    fonts-liberation
    xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick
    at-spi2-core dbus python3-gi gir1.2-atspi-2.0
    clang libclang-rt-14-dev
    desktop-file-utils appstream time
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64 googletest wine nsis zip
    libfuse3-dev fuse3
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

# sudo drops the environment: the setting that keeps apt from asking questions goes through env.
apt_get=(env DEBIAN_FRONTEND=noninteractive apt-get)
if [ "$(id -u)" -ne 0 ]; then
    # A Debian installed with a root password has no sudo: say what root has to run instead.
    if ! command -v sudo >/dev/null; then
        echo "install-deps.sh: missing packages and no sudo; as root run:" \
            "apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    apt_get=(sudo "${apt_get[@]}")
fi

log=$(mktemp "${TMPDIR:-/tmp}/orvane-install-deps.XXXXXX")
# Runs one step with its output in the log; a failed one ends the script, naming the log.
step() {
    local what=$1
    shift
    echo "install-deps.sh: $what"
    if ! "$@" </dev/null >>"$log" 2>&1; then
        echo "install-deps.sh: $what failed; see $log" >&2
        exit 1
    fi
}
step "refreshing the package index" "${apt_get[@]}" update
step "installing ${missing[*]}" "${apt_get[@]}" install -y -o DPkg::Lock::Timeout=600 \
    --no-install-recommends "${missing[@]}"
rm -f "$log"
