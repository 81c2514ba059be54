#!/usr/bin/env bash
# Checks the built Vantelsby.exe as a Windows user gets it: a 32-bit GUI
# program that runs on a bare Windows (system DLLs only), with ASLR and DEP,
# and its manifest, asking for no elevation, as its only resource.
set -uo pipefail
exe=$1
headers=$(i686-w64-mingw32-objdump -p "$exe")
failed=0
expect() { # description, then a command that must succeed
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failed=1; fi
}
has() { grep -q -E "$1" <<<"$headers"; }

expect "PE32, 32-bit x86" has '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)'
expect "GUI subsystem" has '^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)'
expect "ASLR (dynamic base)" has '^[[:space:]]+DYNAMIC_BASE$'
expect "DEP (NX compatible)" has '^[[:space:]]+NX_COMPAT$'
expect "relocations kept, for ASLR" has 'Base Relocation Directory \[\.reloc\]'
expect "no timestamp" has '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970$'

dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
expect "imports only system DLLs (got: $dlls)" test "$dlls" = "kernel32.dll msvcrt.dll user32.dll "

# The resource tree: one type, RT_MANIFEST (24), one entry, id 1.
resources=$(sed -n '/The .rsrc Resource Directory section/,/Resources start/p' <<<"$headers")
types=$(grep -c -E '^0[0-9a-f]+  Type Table' <<<"$resources")
entries=$(grep -c 'Leaf:' <<<"$resources")
expect "one resource type, one resource" test "$types:$entries" = "1:1"
expect "of type RT_MANIFEST (24)" \
    grep -q -E '^010 +Entry: ID: 0x000018, .*' <<<"$resources"
expect "with id 1, CREATEPROCESS_MANIFEST_RESOURCE_ID" grep -q -E '^028 +Entry: ID: 0x000001,' <<<"$resources"
manifest=$(strings -n 8 "$exe" | tr -d '\r')
expect "asInvoker, no UI access" grep -q 'requestedExecutionLevel level="asInvoker" uiAccess="false"' <<<"$manifest"

size=$(stat -c %s "$exe")
echo "size: $size bytes"
exit "$failed"
