#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer) and runs
# every test headless. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTEV_SANITIZE=ON -DTEV_WERROR=ON >/dev/null
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
cd build/test
ctest --output-on-failure -j2 --timeout 300
