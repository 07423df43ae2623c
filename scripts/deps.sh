#!/usr/bin/env bash
# Installs the Debian packages Velmor needs, only those that are missing, so
# that a machine that has them all works offline.
#   scripts/deps.sh play   what building and starting the game needs
#   scripts/deps.sh test   what building and running every test needs
#   scripts/deps.sh windows  what the Windows build under Wine needs
#   scripts/deps.sh package  what building and checking the packages needs
set -euo pipefail

play=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
      libfontconfig-dev libgl-dev libgl1-mesa-dri fonts-liberation)
test=("${play[@]}" clang libclang-rt-14-dev libgtest-dev libbenchmark-dev libbox2d-dev
      xvfb xauth xdotool x11-utils libx11-dev imagemagick mingw-w64 wine wine64 libstb-dev ccache
      dpkg-dev file lintian desktop-file-utils appstream zip unzip)
# The packages (CPack's Debian generator reads binaries with file and
# dpkg-shlibdeps) and their checks, which run the game's end-to-end tests.
package=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev libgl-dev
         libgl1-mesa-dri fonts-liberation dpkg-dev file lintian desktop-file-utils appstream zip unzip mingw-w64
         libstb-dev libgtest-dev libx11-dev xvfb xauth xdotool x11-utils)
# wine64 alone has no wine command on the PATH; the wine package adds it.
windows=(cmake ninja-build mingw-w64 wine wine64 xvfb xauth xdotool x11-utils imagemagick libgtest-dev libstb-dev)

case "${1:-play}" in
    play) wanted=("${play[@]}") ;;
    test) wanted=("${test[@]}") ;;
    windows) wanted=("${windows[@]}") ;;
    package) wanted=("${package[@]}") ;;
    *) echo "usage: $0 play|test|windows|package" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# Waits for another package manager run instead of failing on its lock.
lock=(-o DPkg::Lock::Timeout=900)
"${sudo[@]}" apt-get "${lock[@]}" update -qq </dev/null
"${sudo[@]}" apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" </dev/null
