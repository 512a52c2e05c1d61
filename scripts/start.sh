#!/usr/bin/env bash
# Sets everything up and starts Corvane in the examples folder, so that the Examples menu
# finds its programs. With --web, builds the browser edition and serves it on
# http://127.0.0.1:8080/ instead (stop the server with Ctrl+C).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
if [ "${1:-}" = "--web" ]; then
  scripts/build-web.sh
  echo "Open http://127.0.0.1:8080/ in a browser."
  exec node web/tools/serve.mjs --port 8080
fi
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is available here, so instead of opening the workbench window this runs the demonstration program headless."
  build/cli/corvane-cli assemble examples/demo.asm
  build/cli/corvane-cli run examples/demo.asm --ram --vdu --devices
  exit 0
fi
cd examples
exec ../build/workbench/corvane "$@"
