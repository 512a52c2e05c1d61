#!/usr/bin/env bash
# corvane-cli run against the bare interpreter, on the same loop, side by side: the best of
# three runs of each, in instructions per second, and their ratio.
# Usage: bench/cli-vs-bare.sh [BARE-LOOP] [CORVANE-CLI]   (defaults: build/bench, build/cli)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bare=${1:-$here/../build/bench/bare-loop}
cli=${2:-$here/../build/cli/corvane-cli}
bare_steps=200000000
cli_steps=20000000

best_bare=0
best_cli=0
for _ in 1 2 3; do
  # "STEPS steps SECONDS s MINSTR Minstr/s ..."
  rate=$("$bare" "$bare_steps" | awk '{ printf "%.0f", $5 * 1000000 }')
  (( rate > best_bare )) && best_bare=$rate

  start=$(date +%s%N)
  "$cli" run "$here/bare-loop.asm" --max-steps "$cli_steps" --clock 1 --hw-timer 86400000 \
    > /dev/null
  end=$(date +%s%N)
  rate=$(( cli_steps * 1000000000 / (end - start) ))
  (( rate > best_cli )) && best_cli=$rate
done

awk -v bare="$best_bare" -v cli="$best_cli" 'BEGIN {
  printf "bare interpreter  %7.1f million instructions/s\n", bare / 1e6
  printf "corvane-cli run   %7.1f million instructions/s\n", cli / 1e6
  printf "ratio             %7.3f (1/%.1f)\n", cli / bare, bare / cli
}'
