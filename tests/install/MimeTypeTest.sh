#!/usr/bin/env bash
# The MIME type file builds a MIME database in which *.asm, in any case, is a Corvane source
# and that is a kind of plain text.
set -euo pipefail
definition=$1
database=$(mktemp -d)
trap 'rm -rf "$database"' EXIT
mkdir "$database/packages"
cp "$definition" "$database/packages/"
update-mime-database "$database"

grep -qx '50:text/x-corvane-asm:\*\.asm' "$database/globs2"
grep -qx 'text/x-corvane-asm text/plain' "$database/subclasses"
