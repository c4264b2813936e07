#!/usr/bin/env bash
# A second copy ends at once without a window; a lock left by a killed copy does not block.
set -u
prog=$1
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$(mktemp -d)
"$prog" & first=$!
sleep 1.5
kill -0 $first || { echo "first copy did not stay up"; exit 1; }
timeout 5 "$prog"; rc=$?
[ $rc -eq 0 ] || { echo "second copy: exit $rc (124 means it did not end)"; kill $first; exit 1; }
kill -9 $first; wait $first 2>/dev/null
# The killed copy left its lock behind: the next start must run.
"$prog" & third=$!
sleep 1.5
if ! kill -0 $third 2>/dev/null; then echo "stale lock blocked the start"; exit 1; fi
kill $third; wait $third 2>/dev/null
rm -rf "$XDG_RUNTIME_DIR"
echo ok
