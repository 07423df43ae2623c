#!/usr/bin/env bash
# Builds Velmor and starts it from the repository root (where Data/ lives).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh play
cmake --preset play >/dev/null
cmake --build --preset play
exec ./build-play/velmor
