#!/usr/bin/env bash
# Every test of the project: native (ctest), Windows x64 under Wine (the same core tests
# plus the Win32 adapter tests), the end-to-end visits of the OCX, then one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Every server the tests talk to is on this machine: never through a proxy.
export no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost

scripts/bootstrap.sh || exit 1
scripts/build.sh || exit 1

results=$root/build/test-results
rm -rf "$results"
mkdir -p "$results"

echo "tests: native"
ctest --test-dir build/native -j 2 --timeout 300 --output-junit "$results/native.xml" >"$results/native.log" 2>&1
grep -E "tests passed|\*\*\*Failed|\*\*\*Timeout|Exception" "$results/native.log" | head -40

# One prefix and one warm wineserver for every Windows test of the run.
source scripts/wine-env.sh
zu_wine_up build/win64
trap zu_wine_down EXIT

echo "tests: windows x64 (wine)"
# TZ gives Wine's system time zone; the test program drops it from its C runtime.
TZ=Europe/Lisbon timeout 1500 wine build/win64/tests/zu_tests.exe --gtest_brief=1 \
    --gtest_output="xml:$(winepath -w "$results/win64.xml" 2>/dev/null)" </dev/null >"$results/win64.log" 2>&1
grep -E "^\[  FAILED  \]|^\[  PASSED  \]|tests ran" "$results/win64.log" | head -40

if [ -f tests/e2e/run_e2e.py ]; then
    echo "tests: end to end (wine)"
    timeout 1800 python3 tests/e2e/run_e2e.py build/win64 --ocx build/win32/ZeltoUpdate.ocx \
        --junit "$results/e2e.xml" </dev/null >"$results/e2e.log" 2>&1
    tail -n 40 "$results/e2e.log"
fi

python3 scripts/summarize.py "$results/native.xml" "$results/win64.xml" \
    $([ -f tests/e2e/run_e2e.py ] && echo "$results/e2e.xml")
