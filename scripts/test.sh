#!/usr/bin/env bash
# Builds and runs every test: the suite, a Release build, the suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer, a soak of the game
# under the sanitizers, each fuzz target, the Windows build under Wine, and
# the packages (built, linted, and started from / once unpacked).
# Fails if any part fails. The builds are the presets of CMakePresets.json,
# with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh test

jobs=$(nproc)
source scripts/lib.sh
step() { printf '\n=== %s (%s)\n' "$1" "$(date +%T)"; }

step "build"
cmake --preset default "${launcher[@]}" >/dev/null
cmake --build --preset default -j"$jobs"

step "tests"
bash scripts/xvfb.sh ctest --preset default -j2

# Built, not run: every build type must compile warning-free, and the
# optimiser's warnings at -O3 differ from the other types'.
step "Release build"
cmake --preset release "${launcher[@]}" >/dev/null
cmake --build --preset release -j"$jobs"

step "build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitizers "${launcher[@]}" >/dev/null
cmake --build --preset sanitizers -j"$jobs"

step "tests with AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/platform/lsan.supp:print_suppressions=0
bash scripts/xvfb.sh ctest --preset sanitizers -j2

step "soak of the game under AddressSanitizer and UndefinedBehaviorSanitizer"
build-asan/tools/soak/velmor-soak --seed 1 --frames 20000
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

# Each fuzz target for a short while; scripts/fuzz.sh runs one for longer.
for target in data readers physics; do
    step "fuzzing: $target"
    bash scripts/fuzz.sh "$target" 30
done

step "Windows build under Wine"
bash scripts/windows.sh

step "packages: build, lint, start the unpacked ones from /"
bash scripts/package.sh --check

step "all tests passed"
