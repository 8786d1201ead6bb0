#!/usr/bin/env bash
# Installs the Debian packages that building and testing pdrop needs.
# Packages already present are left alone; nothing is downloaded otherwise.
#   scripts/setup.sh           what the build and the main job need
#   scripts/setup.sh --tests   and the packages only the tests use (OPM Flow,
#                              formatters, Chromium and Selenium)
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
          nlohmann-json3-dev python3-dev pybind11-dev python3-numpy python3-pandas
          python3-matplotlib python3-pytest python3-distributed clang libclang-rt-14-dev
          libxlsxwriter-dev python3-openpyxl pkg-config libnlopt-cxx-dev libcpp-httplib-dev
          libjs-chart.js)
if [ "${1:-}" = "--tests" ]; then
  # OPM Flow reads the VFP tables pdrop writes in the test suite; mypy checks
  # the Python package's types; clang-format and black check the formatting;
  # a headless Chromium driven by Selenium tries the page of pdrop serve.
  packages+=(libopm-simulators-bin python3-opm-common python3-mypy clang-format-14 black
             chromium chromium-driver python3-selenium)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "pdrop setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
