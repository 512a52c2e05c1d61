#!/usr/bin/env bash
# Sets everything up and starts Corvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/build.sh
if [ -x build/workbench/corvane ]; then
  cd examples
  exec ../build/workbench/corvane "$@"
fi
echo "The workbench is not built yet; assembling and running an example headless instead."
build/cli/corvane-cli assemble examples/demo.asm
build/cli/corvane-cli run examples/demo.asm --ram --vdu --devices
