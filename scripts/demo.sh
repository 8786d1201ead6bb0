#!/usr/bin/env bash
# Sets up, builds and runs the main job: a pressure traverse of the bundled
# oil well with the built-in black-oil fluid.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
./build/apps/pdrop/pdrop traverse examples/oil_well.json
