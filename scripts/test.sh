#!/usr/bin/env bash
# Sets everything up and runs every test: the normal build, the browser edition in headless
# Chromium, then the engine again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"

scripts/build-web.sh
(cd web && npm test)

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON \
  -DCORVANE_BENCH=OFF -DCORVANE_WORKBENCH=OFF
cmake --build build-sanitize -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
