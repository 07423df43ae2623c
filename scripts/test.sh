#!/usr/bin/env bash
# Builds and runs every test: the suite, the suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, each fuzz target, and the Windows build
# under Wine. Fails if any part fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh test

jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
step() { printf '\n=== %s (%s)\n' "$1" "$(date +%T)"; }

step "build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j"$jobs"

step "tests"
bash scripts/xvfb.sh ctest --test-dir build --output-on-failure -j2

step "build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMOR_SANITIZE=ON -DVELMOR_BENCH=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$jobs"

step "tests with AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ -f tests/platform/lsan.supp ]; then
    export LSAN_OPTIONS=suppressions=$root/tests/platform/lsan.supp:print_suppressions=0
fi
bash scripts/xvfb.sh ctest --test-dir build-asan --output-on-failure -j2
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

# Each fuzz target for a short while; scripts/fuzz.sh runs one for longer.
for target in data readers physics; do
    step "fuzzing: $target"
    bash scripts/fuzz.sh "$target" 30
done

if [ -f scripts/windows.sh ]; then
    step "Windows build under Wine"
    bash scripts/windows.sh
fi

step "all tests passed"
