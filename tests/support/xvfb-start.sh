#!/bin/sh
# Starts a private Xvfb on a free display number and writes ":N" to the given file.
set -eu
file="$1"
mkdir -p "$(dirname "$file")"
if [ -f "$file.pid" ]; then kill "$(cat "$file.pid")" 2>/dev/null || true; fi
rm -f "$file" "$file.pid" "$file.raw"
( exec Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$file.raw" >"$file.log" 2>&1 ) &
echo $! >"$file.pid"
i=0
while [ ! -s "$file.raw" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
if [ ! -s "$file.raw" ]; then
    echo "Xvfb did not start; see $file.log" >&2
    exit 1
fi
echo ":$(tr -d '\n' <"$file.raw")" >"$file"
echo "Xvfb running on $(cat "$file")"
