#!/usr/bin/env bash
# The main job: builds everything and runs a short scripted tour of the control.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/bootstrap.sh
scripts/build.sh
echo "== the portable core's tests, as a tour of what exists"
build/native/tests/zu_tests --gtest_brief=1
