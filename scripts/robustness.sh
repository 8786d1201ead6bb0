#!/usr/bin/env bash
# The robustness jobs: the C++ and command-line tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, the concurrency test under ThreadSanitizer,
# and a short run of each libFuzzer target from its corpus.
#   scripts/robustness.sh [sanitize|thread|fuzz|all]   (default all)
# PDROP_FUZZ_SECONDS sets the length of each fuzz run (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
job=${1:-all}
jobs=$(nproc)

sanitize() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPDROP_WERROR=ON \
    -DPDROP_SANITIZE=address,undefined -DPDROP_BUILD_PYTHON=OFF -DPDROP_BUILD_BENCH=OFF > /dev/null
  cmake --build build-asan --parallel "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --parallel "$jobs" -E packaging -LE "opm|browser|format"
}

thread() {
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPDROP_WERROR=ON \
    -DPDROP_SANITIZE=thread -DPDROP_BUILD_PYTHON=OFF -DPDROP_BUILD_BENCH=OFF \
    -DPDROP_BUILD_CLI=OFF -DPDROP_BUILD_EXAMPLES=OFF > /dev/null
  cmake --build build-tsan --parallel "$jobs" --target pdrop_robustness
  TSAN_OPTIONS=halt_on_error=1 ./build-tsan/tests/pdrop_robustness --gtest_filter='Concurrency.*'
}

fuzz() {
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPDROP_FUZZ=ON -DPDROP_SANITIZE=address,undefined -DPDROP_BUILD_TESTS=OFF \
    -DPDROP_BUILD_BENCH=OFF -DPDROP_BUILD_PYTHON=OFF -DPDROP_BUILD_CLI=OFF \
    -DPDROP_BUILD_EXAMPLES=OFF > /dev/null
  cmake --build build-fuzz --parallel "$jobs" --target pdrop_fuzz_cal pdrop_fuzz_case
  local seconds=${PDROP_FUZZ_SECONDS:-30}
  for target in cal case; do
    local work
    work=$(mktemp -d)
    ./build-fuzz/tests/fuzz/pdrop_fuzz_$target -max_total_time="$seconds" -timeout=20 \
      -artifact_prefix="$work/" "$work" "tests/fuzz/corpus/$target"
    rm -rf "$work"
  done
}

case $job in
  sanitize) sanitize ;;
  thread) thread ;;
  fuzz) fuzz ;;
  all) sanitize; thread; fuzz ;;
  *) echo "usage: $0 [sanitize|thread|fuzz|all]"; exit 2 ;;
esac
