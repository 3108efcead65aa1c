#!/usr/bin/env bash
# Starts the real program offscreen on a fresh database in a temporary program folder and
# checks that it comes up to its sign-in without complaining about anything it needs.
set -u
program="$1"
makedb="$2"
bindir="$(dirname "$program")"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

cp "$program" "$dir/Tevrano"
for d in Res Faces Frf; do
    if [ ! -d "$bindir/$d" ]; then echo "missing $bindir/$d"; exit 1; fi
    cp -r "$bindir/$d" "$dir/$d"
done
"$makedb" "$dir/Tevrano.mdb" >/dev/null || { echo "tevrano-makedb failed"; exit 1; }

mkdir -m 700 "$dir/xdg"
XDG_RUNTIME_DIR="$dir/xdg" QT_QPA_PLATFORM=offscreen timeout 8 "$dir/Tevrano" >"$dir/out.txt" 2>&1
rc=$?
cat "$dir/out.txt"
if [ "$rc" -ne 124 ]; then
    echo "the program ended with status $rc instead of waiting at its sign-in"
    exit 1
fi
if grep -v -E '^(==[0-9]+==|$)' "$dir/out.txt" | grep -q .; then
    echo "the program printed warnings at start-up (above)"
    exit 1
fi
echo "the program came up and waited at its sign-in"
