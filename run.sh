#!/usr/bin/env bash
# Builds the program (installing what is missing), creates the empty database beside it
# when there is none, and starts it.
#   ./run.sh          the program on build/bin/Tevrano.mdb
#   ./run.sh --demo   the program on a demo business in build/demo/, apart from the real data
set -euo pipefail
cd "$(dirname "$0")"
demo=0
if [ "${1:-}" = "--demo" ]; then demo=1; shift; fi
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEV_TESTS=OFF >/dev/null
cmake --build build
if [ "$demo" = 1 ]; then
    mkdir -p build/demo
    if [ ! -f build/demo/Tevrano.mdb ]; then
        # Written under another name first: an interrupted run leaves no half-made demo.
        rm -f build/demo/Tevrano.mdb.new
        build/bin/tevrano-makedb --demo build/demo/Tevrano.mdb.new
        mv build/demo/Tevrano.mdb.new build/demo/Tevrano.mdb
    fi
    exec build/bin/Tevrano --data-dir "$PWD/build/demo" "$@"
fi
if [ ! -f build/bin/Tevrano.mdb ]; then
    build/bin/tevrano-makedb build/bin/Tevrano.mdb
fi
exec build/bin/Tevrano "$@"
