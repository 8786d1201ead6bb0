#!/usr/bin/env bash
# Installs the built library into a temporary prefix, builds the example host
# against it with find_package(pdrop) and runs it.
# Usage: consumer_test.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" > /dev/null
test -f "$work/prefix/include/pdrop/pdrop.h"
ls "$work"/prefix/lib*/cmake/pdrop/pdropConfig.cmake > /dev/null
cmake -S "$source/tests/packaging" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DHOST_SOURCE="$source/examples/host.cpp" > /dev/null
cmake --build "$work/consumer" > /dev/null
"$work/consumer/host" 3 > "$work/out.txt"
grep -q "Generally Applicable" "$work/out.txt"
test "$(wc -l < "$work/out.txt")" -eq 14
# The Python package, when built, goes where Debian's interpreter looks.
if ls "$build"/python/pdrop/_pdrop*.so > /dev/null 2>&1; then
  site=$(ls -d "$work"/prefix/lib/python3*/dist-packages)
  PYTHONPATH="$site" /usr/bin/python3 -c "import pdrop, sys; sys.exit(0 if pdrop.correlation_code('Gray') == 4 else 1)"
fi
echo "1 passed, 0 failed"
