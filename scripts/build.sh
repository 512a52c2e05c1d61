#!/usr/bin/env bash
# Configures and builds Corvane into build/ (Release), incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
