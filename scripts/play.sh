#!/usr/bin/env bash
# Builds Velmor and starts it from the repository root (where Data/ lives).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh play
cmake -S . -B build-play -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMOR_TESTS=OFF -DVELMOR_BENCH=OFF >/dev/null
cmake --build build-play --target velmor
exec ./build-play/velmor
