#!/usr/bin/env bash
# The desktop launcher, run in an installed layout whose workbench is a stand-in that
# records the folder it was started in and its arguments.
set -euo pipefail
launcher=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

mkdir -p "$root/prefix/bin" "$root/prefix/share/corvane/examples" "$root/home" "$root/here"
cp "$launcher" "$root/prefix/bin/corvane-launch"
printf 'MOV AL,1\nEND\n' >"$root/prefix/share/corvane/examples/one.asm"
printf 'END\n' >"$root/prefix/share/corvane/examples/two.asm"
cat >"$root/prefix/bin/corvane" <<'STUB'
#!/bin/sh
pwd >"$HOME/started"
for word in "$@"; do echo "$word"; done >>"$HOME/started"
STUB
chmod +x "$root/prefix/bin/corvane"

launch() {
  (cd "$root/here" && HOME="$root/home" "$root/prefix/bin/corvane-launch" "$@")
}
started() { cat "$root/home/started"; }
folder="$root/home/Corvane"

# First start: the working folder is made with copies of the examples.
launch
[ "$(started)" = "$folder" ] || fail "first start ran in $(started)"
cmp -s "$folder/one.asm" "$root/prefix/share/corvane/examples/one.asm" || fail "one.asm not copied"
[ -f "$folder/two.asm" ] || fail "two.asm not copied"
[ -w "$folder/one.asm" ] || fail "the copy is not the user's to change"

# Later starts leave the folder as the user left it.
echo "changed" >"$folder/one.asm"
rm "$folder/two.asm"
launch
[ "$(cat "$folder/one.asm")" = "changed" ] || fail "a changed example was overwritten"
[ ! -e "$folder/two.asm" ] || fail "a removed example came back"

# An absolute file name is passed as it is.
launch "/data/my program.asm"
[ "$(started)" = "$folder"$'\n'"/data/my program.asm" ] || fail "absolute name: $(started)"

# A relative name, also in two halves, still names the file beside the caller.
launch "my" "program.asm"
[ "$(started)" = "$folder"$'\n'"$root/here/my"$'\n'"program.asm" ] ||
  fail "relative name: $(started)"

# CORVANE_FOLDER chooses another working folder.
(cd "$root/here" && HOME="$root/home" CORVANE_FOLDER="$root/class" \
  "$root/prefix/bin/corvane-launch")
[ "$(started)" = "$root/class" ] || fail "CORVANE_FOLDER: started in $(started)"
[ -f "$root/class/one.asm" ] || fail "CORVANE_FOLDER: examples not copied"

# Started through a link, it still finds the workbench and the examples beside itself.
ln -s "$root/prefix/bin/corvane-launch" "$root/linked-launch"
rm -rf "$folder"
(cd "$root/here" && HOME="$root/home" "$root/linked-launch")
[ "$(started)" = "$folder" ] || fail "through a link: started in $(started)"
[ -f "$folder/one.asm" ] || fail "through a link: examples not copied"

exit $((failures > 0))
