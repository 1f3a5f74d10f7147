#!/usr/bin/env bash
# Configures (once) and builds the three trees: native, win64 and win32.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${ZU_JOBS:-2}
for preset in ${ZU_PRESETS:-native win64 win32}; do
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        mkdir -p build
        cmake --preset "$preset" >"build/$preset.configure.log" 2>&1 || { cat "build/$preset.configure.log"; exit 1; }
    fi
    echo "build: $preset"
    cmake --build --preset "$preset" -j "$jobs" >"build/$preset/build.log" 2>&1 || {
        grep -E "error|Error" -A3 "build/$preset/build.log" | head -60
        exit 1
    }
done
