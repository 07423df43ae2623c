#!/usr/bin/env bash
# The Windows build, checked on Linux: cross-builds velmor.exe and the unit
# tests with mingw-w64, runs the tests under Wine, then runs the game under
# Wine and Xvfb from a folder that holds only the exe and a copy of Data/:
#   - the menu appears (a screenshot of the window is kept),
#   - it agrees with the OpenGL backend's picture of the same menu frame on at
#     least 99 % of the pixels (when the Linux game build/velmor can be built),
#   - a click on "Quit" ends it with exit status 0,
#   - closing the window ends it with exit status 0.
# Exits non-zero on any failure. Prints how long each part takes.
#   scripts/windows.sh            everything
#   VELMOR_WINE_TESTS=0 ...       skip the unit tests (game checks only)
#   VELMOR_LINUX_GAME=path ...    the Linux game to compare with (default build/velmor)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
export CI=true
build="$root/build-win32"
shots="$build/screenshots"
started_all=$(date +%s.%N)
failed=()

elapsed() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
part_start() { part_name=$1; part_began=$(date +%s.%N); printf '\n--- %s\n' "$part_name"; }
part_end() { printf -- '--- %s: %s s\n' "$part_name" "$(elapsed "$part_began")"; }
fail() { echo "windows.sh: FAILED: $*" >&2; exit 1; }

# --- packages --------------------------------------------------------------
part_start "packages"
bash "$root/scripts/deps.sh" windows
wine=$(command -v wine || command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || true)
[ -n "$wine" ] || fail "wine is not installed"
# ImageMagick's own tools (a wrapper elsewhere on PATH may shadow convert).
magick_bin=/usr/bin
[ -x "$magick_bin/compare" ] || magick_bin=$(dirname "$(command -v compare)")
part_end

# --- build -----------------------------------------------------------------
part_start "cross build (velmor.exe and the unit tests)"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset windows "${launcher[@]}" >/dev/null
if [ "${VELMOR_WINE_TESTS:-1}" != 0 ]; then
    cmake --build --preset windows -j"$(nproc)"
else
    cmake --build --preset windows -j"$(nproc)" --target velmor
fi
[ -f "$build/velmor.exe" ] || fail "velmor.exe was not built"
# Statically linked: only system DLLs (Wine provides them) may be imported.
if x86_64-w64-mingw32-objdump -p "$build/velmor.exe" | grep -i 'DLL Name' | grep -qiE 'libstdc|libgcc|winpthread'; then
    fail "velmor.exe depends on a mingw runtime DLL"
fi
part_end

# --- Wine and Xvfb ---------------------------------------------------------
part_start "Wine prefix and X server"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=$(command -v wineserver || command -v wineserver64 ||
    { [ -x /usr/lib/wine/wineserver64 ] && echo /usr/lib/wine/wineserver64; } || echo wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
    "$wineserver" -w || true
fi
# A crashing program ends with an error instead of waiting in the debugger.
"$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
    </dev/null >/dev/null 2>&1 || true
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
for number in $(seq 150 199); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
        break
    fi
done
Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp >"$build/xvfb.log" 2>&1 &
xvfb_pid=$!
game_pid=""
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
    fi
    "$wineserver" -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$number"
for _ in $(seq 1 300); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { cat "$build/xvfb.log" >&2; fail "Xvfb did not start"; }
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
        [ -e "$program" ] || continue
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
# The folder the game runs from: the exe and a copy of the shipped data only.
stage="$build/stage"
rm -rf "$stage" "$shots"
mkdir -p "$stage" "$shots"
cp "$build/velmor.exe" "$stage/"
cp -r "$root/Data" "$stage/Data"
[ -f "$stage/Data/Levels/menu.lvl" ] || fail "the shipped data has no Data/Levels/menu.lvl"

# Waits for the window titled VelmorWindowClass; prints its X id.
wait_for_window() {
    local id=""
    for _ in $(seq 1 300); do
        id=$(xdotool search --onlyvisible --name '^VelmorWindowClass$' 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        if [ -n "$game_pid" ] && ! kill -0 "$game_pid" 2>/dev/null; then
            return 1
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the game to end; sets game_status.
wait_for_exit() {
    local limit=$(( $1 * 10 ))
    for _ in $(seq 1 "$limit"); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            game_status=0
            wait "$game_pid" || game_status=$?
            game_pid=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Screenshot of the window's client area once two frames a moment apart agree
# (the first frames may still be on their way to the screen).
screenshot_window() {
    local id=$1 out=$2
    local previous="$out.previous.png"
    rm -f "$previous"
    for _ in $(seq 1 20); do
        sleep 0.5
        "$magick_bin/import" -silent -window "$id" "$out" 2>/dev/null || continue
        if [ -f "$previous" ] &&
            [ "$("$magick_bin/compare" -metric AE "$out" "$previous" null: 2>&1 || true)" = 0 ]; then
            rm -f "$previous"
            return 0
        fi
        cp "$out" "$previous"
    done
    rm -f "$previous"
    [ -f "$out" ]
}

# The Quit button's centre in the 1280 x 1024 space, read from the menu level
# and its archetypes: the object whose Clickable carries "Message Quit".
quit_button_position() {
    local data=$1
    awk -v data="$data" '
        function tokens(file, list,   n, line, parts, i, count) {
            count = 0
            while ((getline line < file) > 0) {
                n = split(line, parts, /[ \t\r\f\v]+/)
                for (i = 1; i <= n; ++i) if (parts[i] != "") list[++count] = parts[i]
            }
            close(file)
            return count
        }
        # Reads one component block starting at list[i]; returns the index
        # after its "end"; records a Position and a Quit command.
        function block(list, i, count, component,   word, name) {
            while (i <= count) {
                word = list[i++]
                if (word == "end") return i
                if (word == "Shape") { i++; while (i <= count && list[i] != "end") i++; i++; continue }
                if (word == "Message") {
                    if (list[i] == "Quit") quit = 1
                    while (i <= count && list[i] != "end") i++
                    i++; continue
                }
                if (word == "Vec2") {
                    name = list[i++]
                    if (component == "Position" && name == "position") { px = list[i]; py = list[i + 1] }
                    i += 2; continue
                }
                if (word == "float" || word == "int" || word == "bool" || word == "string") { i += 2; continue }
            }
            return i
        }
        function components(list, i, count, stopAtEnd,   word) {
            while (i <= count) {
                word = list[i++]
                if (word == "end") { if (stopAtEnd) return i; continue }
                i = block(list, i, count, word)
            }
            return i
        }
        END {
            n = tokens(data "/Levels/menu.lvl", level)
            i = 1
            while (i <= n) {
                archetype = level[i++]
                if (archetype == "end") continue
                quit = 0; px = ""; py = ""
                delete arch
                m = tokens(data "/Archetypes/" archetype, arch)
                components(arch, 1, m, 1)
                i = components(level, i, n, 1)
                if (quit && px != "") { print px, py; exit 0 }
            }
            exit 1
        }' </dev/null
}

# Starts velmor.exe in the stage folder; sets game_pid and window_id.
start_windows_game() {
    local log=$1
    (cd "$stage" && exec "$wine" velmor.exe </dev/null >"$log" 2>&1) &
    game_pid=$!
    window_id=$(wait_for_window) || { cat "$log" >&2; fail "the game window did not appear"; }
}

# Client area geometry of the X window: x y width height.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                             /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

# The cursor sprite follows the last mouse move; a window that appears under
# the pointer gets one at once. Both games get their last move at the bottom
# right corner of the client area, which puts the cursor off the picture.
park_pointer() {
    local id=$1 w h
    read -r _ _ w h < <(window_geometry "$id")
    xdotool mousemove --window "$id" $((w - 1)) $((h - 1))
    sleep 0.2
    xdotool mousemove 1919 1079
}

part_start "game under Wine: the menu appears"
start_windows_game "$build/game-menu.log"
park_pointer "$window_id"
screenshot_window "$window_id" "$shots/menu-windows.png" || fail "no screenshot of the menu"
read -r _ _ client_w client_h < <(window_geometry "$window_id")
echo "window client area ${client_w} x ${client_h}; screenshot $shots/menu-windows.png"
colours=$("$magick_bin/convert" "$shots/menu-windows.png" -format '%k' info:)
[ "$colours" -gt 16 ] || fail "the menu screenshot is nearly blank ($colours colours)"
part_end

part_start "game under Wine: a click on Quit"
read -r quit_x quit_y < <(quit_button_position "$stage/Data") || fail "no Quit button in menu.lvl"
click_x=$(awk -v v="$quit_x" -v w="$client_w" 'BEGIN { printf "%d", v * w / 1280 }')
click_y=$(awk -v v="$quit_y" -v h="$client_h" 'BEGIN { printf "%d", v * h / 1024 }')
echo "Quit at ($quit_x, $quit_y) of the 1280 x 1024 space, client ($click_x, $click_y)"
xdotool mousemove --window "$window_id" "$click_x" "$click_y"
sleep 0.3
xdotool click 1
wait_for_exit 30 || fail "the game did not end after the click on Quit"
[ "$game_status" -eq 0 ] || fail "the game ended with status $game_status after Quit"
echo "exit status $game_status"
part_end

part_start "game under Wine: closing the window"
start_windows_game "$build/game-close.log"
sleep 1
# Alt+F4 is the system close: DefWindowProcA turns it into WM_CLOSE and that
# into DestroyWindow, whose WM_DESTROY ends the game.
xdotool windowfocus --sync "$window_id" 2>/dev/null || true
xdotool key --window "$window_id" alt+F4
wait_for_exit 30 || fail "the game did not end when its window was closed"
[ "$game_status" -eq 0 ] || fail "the game ended with status $game_status after the close"
echo "exit status $game_status"
part_end

# --- agreement with the OpenGL backend -------------------------------------
part_start "agreement with the OpenGL backend"
reference="${VELMOR_LINUX_GAME:-$root/build/velmor}"
# The default reference is brought up to date (a no-op after test.sh's build),
# so that it never shows an older OpenGL device than the one checked in.
if [ -z "${VELMOR_LINUX_GAME:-}" ]; then
    echo "bringing the Linux game (the reference picture) up to date"
    if [ ! -f "$root/build/build.ninja" ]; then
        cmake --preset default "${launcher[@]}" >/dev/null || true
    fi
    cmake --build "$root/build" -j"$(nproc)" --target velmor | tail -1 || true
fi
if [ ! -x "$reference" ]; then
    echo "SKIPPED: no Linux game (build/velmor) to compare with"
else
    ref_stage="$build/stage-linux"
    rm -rf "$ref_stage"
    mkdir -p "$ref_stage"
    cp -r "$root/Data" "$ref_stage/Data"
    (cd "$ref_stage" && exec "$reference" </dev/null >"$build/game-linux.log" 2>&1) &
    game_pid=$!
    ref_window=$(wait_for_window) || { cat "$build/game-linux.log" >&2; fail "the Linux game window did not appear"; }
    # Like with like: both games draw the same 1280 x 1024 back buffer and
    # Present stretches it bilinearly onto the client area. The Linux window
    # gets the Windows client size, so its Present does the same stretch.
    xdotool windowsize "$ref_window" "$client_w" "$client_h"
    for _ in $(seq 1 50); do
        read -r _ _ ref_w ref_h < <(window_geometry "$ref_window")
        [ "$ref_w" = "$client_w" ] && [ "$ref_h" = "$client_h" ] && break
        sleep 0.1
    done
    park_pointer "$ref_window"
    screenshot_window "$ref_window" "$shots/menu-opengl.png" || fail "no screenshot of the Linux game"
    xdotool key --window "$ref_window" Escape
    wait_for_exit 30 || { kill "$game_pid" 2>/dev/null || true; wait_for_exit 5 || true; }
    read -r ref_w ref_h < <("$magick_bin/identify" -format '%w %h\n' "$shots/menu-opengl.png")
    echo "OpenGL window ${ref_w} x ${ref_h}, Windows client ${client_w} x ${client_h}"
    [ "$ref_w" = "$client_w" ] && [ "$ref_h" = "$client_h" ] ||
        fail "the Linux window could not be given the Windows client size"
    total=$((client_w * client_h))
    # The gate, pixel for pixel: a pixel agrees when no channel differs by
    # more than 3 %.
    different=$("$magick_bin/compare" -metric AE -fuzz 3% "$shots/menu-windows.png" "$shots/menu-opengl.png" \
        "$shots/menu-difference.png" 2>&1 || true)
    different=${different%% *}
    [[ "$different" =~ ^[0-9.e+]+$ ]] || fail "cannot compare the screenshots: $different"
    strict=$(awk -v d="$different" -v t="$total" 'BEGIN { printf "%.3f", 100 * (1 - d / t) }')
    echo "pixel agreement, pixel for pixel (3 % colour fuzz): $strict % ($different of $total differ;" \
        "$shots/menu-difference.png)"
    # For the record, identical colours only.
    exact=$("$magick_bin/compare" -metric AE "$shots/menu-windows.png" "$shots/menu-opengl.png" null: 2>&1 || true)
    exact=${exact%% *}
    echo "pixel agreement, identical colours: $(awk -v d="$exact" -v t="$total" \
        'BEGIN { printf "%.3f", 100 * (1 - d / t) }') % ($exact of $total differ)"
    # Also for the record, within one pixel: a pixel agrees when the other
    # picture has a pixel of the same colour (3 %) at most one pixel away.
    shifted=()
    for dx in -1 0 1; do
        for dy in -1 0 1; do
            "$magick_bin/convert" "$shots/menu-opengl.png" "$shots/menu-windows.png" \
                -define distort:viewport="${client_w}x${client_h}+0+0" -virtual-pixel edge \
                \( -clone 0 -distort SRT "0,0 1 0 $dx,$dy" \) -delete 0 \
                -compose difference -composite -separate -evaluate-sequence max "$shots/shift-$dx-$dy.png"
            shifted+=("$shots/shift-$dx-$dy.png")
        done
    done
    near_different=$("$magick_bin/convert" "${shifted[@]}" -evaluate-sequence min -threshold 3% \
        -format '%[fx:round(mean * w * h)]' info:)
    rm -f "${shifted[@]}"
    echo "pixel agreement, within one pixel: $(awk -v d="$near_different" -v t="$total" \
        'BEGIN { printf "%.3f", 100 * (1 - d / t) }') % ($near_different of $total differ)"
    awk -v a="$strict" 'BEGIN { exit !(a >= 99) }' ||
        fail "the pictures agree pixel for pixel on only $strict % of the pixels"
fi
part_end

[ ${#failed[@]} -eq 0 ] || fail "unit tests under Wine: ${failed[*]} (after $(elapsed "$started_all") s)"
printf '\nwindows.sh: all Windows checks passed in %s s\n' "$(elapsed "$started_all")"
