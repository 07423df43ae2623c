#!/usr/bin/env bash
# Builds the data-file fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz and runs it for the given number
# of seconds (default 60). Exits non-zero on any crash, leak or timeout.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
build=$root/build-fuzz

compiler=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$compiler" ]; then
    echo "fuzz.sh: clang++ is needed (apt-get install clang-14 libclang-rt-14-dev)" >&2
    exit 1
fi
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMOR_FUZZ=ON -DVELMOR_SDL=OFF -DVELMOR_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target velmor_data_fuzz -j2

# The working corpus grows in the build dir; the seeds are read only.
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
mkdir -p "$corpus" "$artifacts"
rm -f "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*
seeds=("$root/tests/fuzz/corpus")
for dir in "$root/Data/Archetypes" "$root/Data/Levels"; do
    if [ -d "$dir" ]; then
        seeds+=("$dir")
    fi
done

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
"$build/tests/fuzz/velmor_data_fuzz" -max_total_time="$seconds" -timeout=10 -detect_leaks=1 \
    -rss_limit_mb=2048 -max_len=8192 -dict="$root/tests/fuzz/data.dict" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" || status=$?

found=$(find "$artifacts" -type f | wc -l)
if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    echo "fuzz.sh: the fuzzer failed (exit $status, $found artifact(s) in $artifacts)" >&2
    exit 1
fi
echo "fuzz.sh: no crash, leak or timeout in ${seconds}s"
