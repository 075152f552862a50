#!/bin/sh
# Stops the Xvfb that xvfb-start.sh started.
file="$1"
if [ -f "$file.pid" ]; then
    kill "$(cat "$file.pid")" 2>/dev/null || true
    rm -f "$file.pid"
fi
rm -f "$file" "$file.raw"
