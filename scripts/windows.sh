#!/usr/bin/env bash
# The Windows build, checked on Linux: cross-builds velmor.exe and the unit
# tests with mingw-w64 (the exe must import no mingw runtime DLL), runs the
# tests under Wine, packs the player's zip (cpack --preset windows), then, on
# an X display (scripts/xvfb.sh), runs the end-to-end tests of the Windows
# game (WindowsGame in tests/e2e/InstalledGameTest.cpp), whose harness drives
# the Linux game too: the zip unpacked into a temporary folder and started
# under Wine from another working directory,
#   - it answers --version,
#   - the menu, and the first frame of every level that a menu button opens,
#     agree with the OpenGL build's pictures of the same frames on at least
#     99.5 % (menu) and 99 % (levels) of the pixels (a pixel agrees when no
#     channel differs by 3 % or more); the pictures are kept in
#     build-win32/screenshots,
#   - a click on "Quit" ends it with exit status 0,
#   - closing the window ends it with exit status 0.
# Exits non-zero on any failure. Prints how long each part takes.
#   scripts/windows.sh            everything
#   VELMOR_WINE_TESTS=0 ...       skip the unit tests (game checks only)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
export CI=true
build="$root/build-win32"
linux="$root/build"
shots="$build/screenshots"
export VELMOR_WINDOWS_STARTED=${VELMOR_WINDOWS_STARTED:-$(date +%s.%N)}
failed=()

elapsed() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
part_start() { part_name=$1; part_began=$(date +%s.%N); printf '\n--- %s\n' "$part_name"; }
part_end() { printf -- '--- %s: %s s\n' "$part_name" "$(elapsed "$part_began")"; }
fail() { echo "windows.sh: FAILED: $*" >&2; exit 1; }
source "$root/scripts/lib.sh"

if [ "${1:-}" != --on-display ]; then
    part_start "packages"
    bash "$root/scripts/deps.sh" windows
    part_end

    part_start "cross build (velmor.exe and the unit tests)"
    cmake --preset windows "${launcher[@]}" >/dev/null
    if [ "${VELMOR_WINE_TESTS:-1}" != 0 ]; then
        cmake --build --preset windows -j"$(nproc)"
    else
        cmake --build --preset windows -j"$(nproc)" --target velmor
    fi
    # Statically linked: only system DLLs (Wine provides them) may be imported.
    if x86_64-w64-mingw32-objdump -p "$build/velmor.exe" | grep -i 'DLL Name' | grep -qiE 'libstdc|libgcc|winpthread'; then
        fail "velmor.exe depends on a mingw runtime DLL"
    fi
    rm -rf "$build/packages"
    cpack --preset windows | grep 'package:'
    part_end

    # The OpenGL game is the reference picture; the end-to-end tests drive
    # both games. Brought up to date (a no-op after test.sh's build).
    part_start "Linux build (reference game and the end-to-end tests)"
    [ -f "$linux/build.ninja" ] || cmake --preset default "${launcher[@]}" >/dev/null
    cmake --build "$linux" -j"$(nproc)" --target velmor velmor_e2e_tests | tail -1
    part_end
    exec bash "$root/scripts/xvfb.sh" bash "$root/scripts/windows.sh" --on-display
fi

# --- Wine on the X display -------------------------------------------------
part_start "Wine prefix"
wine=$(command -v wine || command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || true)
[ -n "$wine" ] || fail "wine is not installed"
wineserver=$(command -v wineserver || command -v wineserver64 ||
    { [ -x /usr/lib/wine/wineserver64 ] && echo /usr/lib/wine/wineserver64; } || echo wineserver)
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
    "$wineserver" -w || true
fi
# A crashing program ends with an error instead of waiting in the debugger.
"$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
    </dev/null >/dev/null 2>&1 || true
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# One server for the whole run: a program started just as an idle server
# shuts itself down loses its connection ("wine client error") and fails.
# Started only now, so that Wine's desktop is made on this X server (one
# made without a display would stay at 1024 x 768 with the server).
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
"$wineserver" -p </dev/null >/dev/null 2>&1 || true
part_end

# --- unit tests ------------------------------------------------------------
if [ "${VELMOR_WINE_TESTS:-1}" != 0 ]; then
    part_start "unit tests under Wine"
    for program in "$build"/tests/velmor_*_tests.exe; do
        name=$(basename "$program" .exe)
        began=$(date +%s.%N)
        log="$build/tests/$name.log"
        run_test() { (cd "$root" && timeout 300 "$wine" "$program" --gtest_brief=1 </dev/null >"$log" 2>&1); }
        status=0
        run_test || status=$?
        # A lost connection to the Wine server is Wine's failure, not the
        # program's: that run is repeated once.
        if [ "$status" -ne 0 ] && grep -q 'wine client error' "$log"; then
            echo "$name: lost its Wine server connection; running it again"
            status=0
            run_test || status=$?
        fi
        if [ "$status" -eq 0 ]; then
            printf '%-28s passed  %s s  %s\n' "$name" "$(elapsed "$began")" "$(grep -m1 -E '^\[  PASSED' "$log" || true)"
        else
            printf '%-28s FAILED  %s s\n' "$name" "$(elapsed "$began")"
            grep -E 'Failure|FAILED|error' "$log" | head -20 || true
            failed+=("$name")
        fi
    done
    part_end
    # The game checks still run, so that one run reports everything.
    [ ${#failed[@]} -eq 0 ] || echo "unit tests FAILED: ${failed[*]}"
fi

# --- the game ----------------------------------------------------------------
part_start "the game under Wine, beside the OpenGL game (end-to-end tests)"
rm -rf "$shots"
mkdir -p "$shots"
log="$build/windows-game.log"
VELMOR_WINDOWS_ZIP=$(echo "$build"/packages/velmor-*-windows-x86_64.zip) VELMOR_WINE="$wine" \
    VELMOR_SCREENSHOTS="$shots" "$linux/tests/e2e/velmor_e2e_tests" --gtest_filter='WindowsGame.*' 2>&1 |
    tee "$log" || failed+=("the game under Wine")
# A test that skipped checked nothing.
! grep -q '^\[  SKIPPED \]' "$log" || failed+=("the game under Wine (skipped)")
part_end

[ ${#failed[@]} -eq 0 ] || fail "${failed[*]} (after $(elapsed "$VELMOR_WINDOWS_STARTED") s)"
printf '\nwindows.sh: all Windows checks passed in %s s\n' "$(elapsed "$VELMOR_WINDOWS_STARTED")"
