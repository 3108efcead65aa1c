#!/usr/bin/env bash
# Builds the program (installing what is missing), creates the empty database beside it
# when there is none, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEV_TESTS=OFF >/dev/null
cmake --build build
if [ ! -f build/bin/Tevrano.mdb ]; then
    build/bin/tevrano-makedb build/bin/Tevrano.mdb
fi
exec build/bin/Tevrano
