#!/usr/bin/env bash
# Builds one fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz and runs it for the given number
# of seconds. Exits non-zero on any crash, leak or timeout.
#
#   scripts/fuzz.sh [TARGET] [SECONDS]     TARGET: data (default), readers, physics
#
# Target NAME is the program velmor_NAME_fuzz with its seeds in
# tests/fuzz/corpus-NAME (tests/fuzz/corpus for data) and, if present, the
# dictionary tests/fuzz/NAME.dict. The inputs it finds grow in
# build-fuzz/fuzz-corpus-NAME; to keep one, copy it into the seeds (each seed
# is also replayed by the test suite).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
target=${1:-data}
seconds=${2:-60}
build=$root/build-fuzz

seeds=()
dict=$root/tests/fuzz/$target.dict
max_len=8192
case "$target" in
data)
    seeds=("$root/tests/fuzz/corpus")
    ;;
readers)
    # The same three-part inputs as the data target, and its words. Each
    # level line makes an object, so the time per input grows with its
    # length: at 1 KB (an archetype and about ten lines) the target runs
    # about three times as many inputs a second as at 8 KB and reaches the
    # same code.
    seeds=("$root/tests/fuzz/corpus-readers" "$root/tests/fuzz/corpus")
    dict=$root/tests/fuzz/data.dict
    max_len=1024
    ;;
physics)
    seeds=("$root/tests/fuzz/corpus-physics")
    max_len=4096
    ;;
*)
    echo "fuzz.sh: unknown target '$target' (data, readers or physics)" >&2
    exit 2
    ;;
esac
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "fuzz.sh: the duration must be a positive number of seconds, not '$seconds'" >&2
    exit 2
fi
if [ ! -d "${seeds[0]}" ]; then
    echo "fuzz.sh: the seed corpus ${seeds[0]} of target '$target' is missing" >&2
    exit 1
fi
if [ "$target" = data ] || [ "$target" = readers ]; then
    # The shipped data set is a seed of the data readers too.
    seeds+=("$root/Data/Archetypes" "$root/Data/Levels")
fi
dict_option=()
if [ -f "$dict" ]; then
    dict_option=(-dict="$dict")
fi

compiler=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$compiler" ]; then
    echo "fuzz.sh: clang++ is needed (apt-get install clang-14 libclang-rt-14-dev)" >&2
    exit 1
fi
source "$root/scripts/lib.sh"

cmake --preset fuzz -DCMAKE_CXX_COMPILER="$compiler" "${launcher[@]}" >/dev/null
cmake --build --preset fuzz --target "velmor_${target}_fuzz" -j2

# The working corpus grows in the build dir; the seeds are read only.
corpus=$build/fuzz-corpus-$target
artifacts=$build/fuzz-artifacts-$target
mkdir -p "$corpus" "$artifacts"
rm -f "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
"$build/tests/fuzz/velmor_${target}_fuzz" -max_total_time="$seconds" -timeout=10 -detect_leaks=1 \
    -rss_limit_mb=2048 -max_len="$max_len" "${dict_option[@]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" || status=$?

found=$(find "$artifacts" -type f | wc -l)
if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    echo "fuzz.sh: the $target fuzzer failed (exit $status, $found artifact(s) in $artifacts)" >&2
    exit 1
fi
echo "fuzz.sh: $target: no crash, leak or timeout in ${seconds}s"
