#!/usr/bin/env bash
# On-demand benchmarks: prints ratios against a named peer (curl). Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
ZU_PRESETS=native scripts/build.sh
build/native/bench/zu_bench_download "${1:-64}" "${2:-5}"
