#!/usr/bin/env bash
# The main job: builds everything, then runs a whole visit of a page under Wine (x64) on
# the demo's own sample data: a local catalogue server, sample packages built with wixl,
# a base product installed per user, registry state in its own Wine prefix. The page
# script registers ZeltoUpdate.ocx, asks for products and setups, chooses the update and
# runs it; the real installation happens behind the progress dialog, whose picture is
# left in build/demo/progress-dialog.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost

scripts/bootstrap.sh
scripts/build.sh

mkdir -p build/demo
python3 tests/e2e/run_e2e.py build/win64 -v -k '^(register|products|setups|update_installs)$' \
    --screenshot build/demo/progress-dialog.png </dev/null
echo "demo: the progress dialog of the installing update: build/demo/progress-dialog.png"
