#!/usr/bin/env bash
# Two clean Release builds of the same sources, in different folders, must
# give the same bytes.
set -euo pipefail
source=$1 work=$2
rm -rf "$work"
for build in one two-in-another-folder; do
    cmake -S "$source" -B "$work/$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$source/cmake/i686-w64-mingw32.cmake" >/dev/null
    cmake --build "$work/$build" --target Vantelsby -j 2 >/dev/null
done
sums=$(cd "$work" && sha256sum one/Vantelsby.exe two-in-another-folder/Vantelsby.exe)
echo "$sums"
if [ "$(awk '{print $1}' <<<"$sums" | sort -u | wc -l)" -ne 1 ]; then
    echo "FAIL: the two builds differ"
    exit 1
fi
