#!/usr/bin/env bash
# Runs one end-to-end case in a fresh folder of its own under Wine.
#   run-case.sh CASE DRIVER_EXE PRODUCT_EXE WORK_FOLDER
# Most cases need only the driver. Three need the Linux side as well: a log
# path that is a link to /dev/full, a folder on a file system that fills up
# during the walk, and a program path too long for CreateProcessW, which Wine
# starts only from the program's own folder with a relative path.
set -euo pipefail
case_name=$1 driver=$2 product=$3 work=$4
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine="$root/tools/wine"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Wine's services, started by the first program, outlive it and would hold
# CTest's pipe open until they end: output goes through a file instead.
output="$work.out"
run() {
    local status=0
    "$@" >"$output" 2>&1 </dev/null || status=$?
    cat "$output"
    return "$status"
}

mountpoint -q "$work" 2>/dev/null && umount -l "$work"
rm -rf "$work"
mkdir -p "$work"

case "$case_name" in
dev_full)
    ln -s /dev/full "$work/snap.txt"
    run "$wine" "$driver" dev_full "$(windows_path "$product")" "$(windows_path "$work")" || exit 1
    [ -L "$work/snap.txt" ] || { echo "FAIL: the link to /dev/full is gone"; exit 1; }
    exit 0
    ;;
disk_full)
    # Room for the program and for one page more: one buffer of the log.
    pages=$(( ($(stat -c %s "$product") + 4095) / 4096 + 1 ))
    mount -t tmpfs -o size=$((pages * 4))k vantelsby-full "$work"
    trap 'umount -l "$work"' EXIT
    run "$wine" "$driver" disk_full "$(windows_path "$product")" "$(windows_path "$work")"
    exit
    ;;
deep_path)
    # The program's own path passes 259 units: GetModuleFileNameW fills its
    # whole buffer and leaves no terminator. No file may be created anywhere.
    deep="$work/$(printf 'd%.0s' {1..120})/$(printf 'e%.0s' {1..120})"
    mkdir -p "$deep"
    cp "$product" "$deep/Vantelsby.exe"
    length=$(windows_path "$deep/Vantelsby.exe" | wc -c)
    [ "$length" -gt 259 ] || { echo "FAIL: the program's path is only $length units"; exit 1; }
    "$wine" "$driver" answer 206 >"$output.answer" 2>&1 </dev/null &
    answer=$!
    status=0
    (cd "$deep" && "$wine" ./Vantelsby.exe >/dev/null 2>&1 </dev/null) || status=$?
    answered=0
    wait "$answer" || answered=$?
    cat "$output.answer"
    failed=0
    [ "$status" -eq 206 ] || { echo "FAIL: exit status is $status, expected 206"; failed=1; }
    [ "$answered" -eq 0 ] || { echo "FAIL: the notice was not as expected"; failed=1; }
    stray=$(find "$work" -type f ! -path "$deep/Vantelsby.exe")
    [ -z "$stray" ] || { echo "FAIL: files were created: $stray"; failed=1; }
    [ "$failed" -eq 0 ] && echo "PASS deep_path"
    exit "$failed"
    ;;
esac

run "$wine" "$driver" "$case_name" "$(windows_path "$product")" "$(windows_path "$work")"
