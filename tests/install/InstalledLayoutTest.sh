#!/usr/bin/env bash
# `cmake --install` into a fresh prefix lays out a desktop program: commands in bin, the
# workbench with its manual in a folder of its own, and the desktop's files in share.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
expect_file() {
  [ -f "$prefix/$1" ] || fail "missing $1"
}
expect_program() {
  [ -x "$prefix/$1" ] || fail "not a program: $1"
}

expect_program bin/corvane-cli
expect_program bin/corvane-launch
expect_program libexec/corvane/corvane
[ "$(readlink -f "$prefix/bin/corvane")" = "$(readlink -f "$prefix/libexec/corvane/corvane")" ] ||
  fail "bin/corvane does not lead to the workbench"
case "$(readlink "$prefix/bin/corvane")" in
  /*) fail "bin/corvane is an absolute link" ;;
esac
if [ -f "$(dirname "$0")/../../docs/manual/corvane.html" ]; then
  expect_file libexec/corvane/corvane.html
fi

expect_file share/applications/corvane.desktop
expect_file share/mime/packages/corvane-asm.xml
expect_file share/icons/hicolor/scalable/apps/corvane.svg
for size in 16 24 32 48 64 128 256; do
  expect_file "share/icons/hicolor/${size}x${size}/apps/corvane.png"
done
expect_file share/man/man1/corvane-cli.1.gz
expect_file share/corvane/examples/demo.asm
expect_file share/corvane/exercises/keypad.toml
expect_file share/corvane/examples/keypad.toml
expect_file share/corvane/exercises/keypad/correct.asm
expect_file share/doc/corvane/exercises.md
# The launcher copies the examples folder flat, so it holds files only.
if [ -n "$(find "$prefix/share/corvane/examples" -mindepth 1 -type d)" ]; then
  echo "share/corvane/examples holds a folder"
  failures=$((failures + 1))
fi

# What the desktop entry starts and shows is installed.
entry="$prefix/share/applications/corvane.desktop"
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
expect_program "bin/$command"
expect_file "share/icons/hicolor/scalable/apps/$icon.svg"

exit $((failures > 0))
