#!/usr/bin/env bash
# Sets up, builds and runs every test, then runs the benchmarks once as a
# smoke check (a measurement, never a pass/fail timing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
if [ -x build/bench/pdrop_bench ]; then
  ./build/bench/pdrop_bench --benchmark_min_time=0.01 >/dev/null
fi
