#!/usr/bin/env bash
# Builds the packages a player installs:
#   build-package/packages/velmor_<version>_<arch>.deb          Debian package
#   build-package/packages/velmor-<version>-linux-<cpu>.tar.gz  relocatable tree
#   build-win32/packages/velmor-<version>-windows-x86_64.zip    velmor.exe, Data/, README, LICENSE
# from the Release build of the game (CMake presets "package" and "windows",
# CPack). With --check (part of the test command) it then checks them:
# lintian, desktop-file-validate and appstreamcli validate on the Debian
# package, and on an X display the unpacked .deb and .tar.gz started from
# "/" must show the source tree build's menu (tests/e2e InstalledGame; the
# Windows zip is checked by scripts/windows.sh). Exits non-zero on any failure.
#   scripts/package.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
check=0
case "${1:-}" in
    "") ;;
    --check) check=1 ;;
    *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac
fail() { echo "package.sh: FAILED: $*" >&2; exit 1; }
source scripts/lib.sh
bash scripts/deps.sh package

cmake --preset package "${launcher[@]}" >/dev/null
cmake --build --preset package -j"$(nproc)"
rm -rf build-package/packages
cpack --preset package | grep 'package:'
cmake --preset windows "${launcher[@]}" >/dev/null
cmake --build --preset windows -j"$(nproc)" --target velmor
rm -rf build-win32/packages
cpack --preset windows | grep 'package:'

version=$(sed -n 's/^project(Velmor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls build-package/packages/velmor_"$version"_*.deb)
tgz=$(ls build-package/packages/velmor-"$version"-linux-*.tar.gz)
zip=$(ls build-win32/packages/velmor-"$version"-windows-x86_64.zip)
ls -l "$deb" "$tgz" "$zip"
[ "$check" = 1 ] || exit 0

echo "--- lintian"
# Overrides, each with its reason: dist/debian/lintian-overrides.
lintian --fail-on error,warning --info "$deb" ||
    fail "lintian reports errors or warnings on $deb"
echo "--- desktop-file-validate, appstreamcli validate"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree"/usr/share/applications/*.desktop || fail "desktop-file-validate"
echo "desktop-file-validate: no complaints"
# --no-net: the screenshots and home page are not fetched.
appstreamcli validate --no-net --pedantic "$tree"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
appstreamcli validate-tree --no-net --pedantic "$tree" || fail "appstreamcli validate-tree"

echo "--- the unpacked packages started from /"
[ -f build/build.ninja ] || cmake --preset default "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target velmor velmor_e2e_tests | tail -1
log=build-package/installed-game.log
VELMOR_DEB="$root/$deb" VELMOR_TGZ="$root/$tgz" bash scripts/xvfb.sh \
    build/tests/e2e/velmor_e2e_tests --gtest_filter='InstalledGame.*:GameCommand.*' 2>&1 | tee "$log" ||
    fail "the unpacked packages"
# A test that skipped (no xdotool, no display) checked nothing.
! grep -q '^\[  SKIPPED \]' "$log" || fail "the checks of the unpacked packages were skipped"
echo "package.sh: the packages passed every check"
