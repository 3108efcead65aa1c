#!/usr/bin/env bash
# Runs clang-tidy with the project's checks (.clang-tidy) over the program's sources, using the
# compile commands of the test build. Prints every finding; exits non-zero when there is one.
#   scripts/tidy.sh [FILE...]     (default: every .cpp of the program's folders)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/test
if [ ! -f "$build/compile_commands.json" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTEV_SANITIZE=ON -DTEV_WERROR=ON >/dev/null
fi
# Generated sources (moc) must exist for the compile commands to be complete.
cmake --build "$build" --target tev_app_autogen tev_windows_autogen tev_ground_autogen >/dev/null
if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(ls app/*.cpp ui/*.cpp domain/*.cpp data/*.cpp rules/*.cpp access/*.cpp cards/*.cpp \
        bills/*.cpp vouchers/*.cpp customers/*.cpp accounts/*.cpp reports/*.cpp maintenance/*.cpp \
        report_engine/*.cpp report_designer/*.cpp tools/*.cpp)
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
printf '%s\n' "${files[@]}" | xargs -P 2 -n 4 clang-tidy -p "$build" --quiet >"$out" 2>/dev/null || true
if grep -E 'warning:|error:' "$out"; then
    echo "clang-tidy: $(grep -cE 'warning:|error:' "$out") findings"
    exit 1
fi
echo "clang-tidy: no findings in ${#files[@]} files"
