#!/usr/bin/env bash
# Installs what the build and the tests need and is not there yet, from
# Debian's packages. Safe to run again: it does nothing when all is present.
set -euo pipefail

# The core and its tests.
packages=(
    cmake make g++ pkg-config
    libgtest-dev
    nlohmann-json3-dev
    clang-tidy cppcheck
    clang libclang-rt-14-dev python3
)

# config.exe: the MinGW cross build and Wine with a virtual X server for its
# end-to-end tests. Where the kernel runs 32-bit code they run the 32-bit
# build under 32-bit Wine, whose Direct3D needs Mesa's 32-bit OpenGL: without
# it the pixel-shader probe answers "no".
windows_packages=(
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine32:i386 wine64
    libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386
    xvfb xdotool x11-utils imagemagick
    python3
)

# The Linux editor and its tests: Qt 6 (its xcb and offscreen platforms come
# with libqt6gui6), SDL 2, ALSA, Xlib for the keymap Wine reads, Mesa's
# software OpenGL for the pixel-shader probe under Xvfb, the font the pages
# are drawn in, the X tools the end-to-end test and the screenshots use, and
# the locale sources the Japanese keyboard test builds its locale from;
# ImageMagick also draws the icon sizes the package installs.
linux_packages=(
    qt6-base-dev libsdl2-dev libasound2-dev libx11-dev
    libgl-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0
    fonts-dejavu-core
    xvfb xdotool x11-utils x11-xkb-utils imagemagick
    locales
)

# The players' packages (make package) and the checks Debian and the
# desktops run on them: CPack's dependency list needs dpkg-shlibdeps and
# file; the man pages come from the programs' --help through help2man.
package_packages=(
    dpkg-dev file help2man zip unzip
    lintian desktop-file-utils appstream man-db
)

packages+=("${windows_packages[@]}" "${linux_packages[@]}" "${package_packages[@]}")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]}; run as root (or with sudo) to install them" >&2
    exit 1
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# wine32 is an i386 package: the architecture must be known to dpkg first.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get -o DPkg::Lock::Timeout=600 update
apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
