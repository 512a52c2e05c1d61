#!/usr/bin/env bash
# Builds the browser edition into build/web: the npm packages (only when the lock file is
# newer than what is installed), the engine as a WebAssembly module with Debian's emscripten
# in build/wasm, then the site.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten finds its JavaScript optimizer's packages (acorn) here.
export NODE_PATH=/usr/share/nodejs

if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules ]; then
  (cd web && npm ci --no-audit --no-fund)
  touch web/node_modules
fi

emcmake cmake -S . -B build/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_WEB=ON \
  -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF -DCORVANE_WORKBENCH=OFF
cmake --build build/wasm -j"$(nproc)"
node web/tools/build-site.mjs --wasm build/wasm/browser --out build/web
