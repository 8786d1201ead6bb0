#!/usr/bin/env bash
# Sets up, builds and runs the example: a producing well solved segment by
# segment from the wellhead down.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
./build/examples/pdrop_example_well
