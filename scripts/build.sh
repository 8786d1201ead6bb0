#!/usr/bin/env bash
# Configures and builds pdrop into build/ (Release, warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DPDROP_WERROR=ON "$@"
cmake --build build --parallel "$(nproc)"
