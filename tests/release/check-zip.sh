#!/usr/bin/env bash
# Makes the release zip with cpack and checks what it holds.
set -euo pipefail
build=$1 name=$2 exe=$3
zip="$build/package/$name"
rm -f "$zip"
(cd "$build" && cpack -G ZIP >/dev/null)
[ -f "$zip" ] || { echo "FAIL: $zip was not made"; exit 1; }
listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
echo "$name: $listed"
[ "$listed" = "LICENSE.txt README.txt Vantelsby.exe " ] || { echo "FAIL: the zip holds $listed"; exit 1; }
unzip -p "$zip" Vantelsby.exe | cmp -s - "$exe" || { echo "FAIL: the zip's Vantelsby.exe is not the one built"; exit 1; }
unzip -p "$zip" LICENSE.txt | grep -q '^MIT License' || { echo "FAIL: LICENSE.txt is not the MIT licence"; exit 1; }
unzip -p "$zip" README.txt | grep -q 'When the log cannot be written' || { echo "FAIL: README.txt lacks the failure section"; exit 1; }
