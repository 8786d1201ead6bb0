#!/usr/bin/env bash
# Uses pdrop as a host project would, both ways: installed into a temporary
# prefix and found with find_package(pdrop), and added from the source tree
# with add_subdirectory. Builds the example host each way and runs it; the
# installed way also compiles every installed header in a file of its own.
# Usage: consumer_test.sh BUILD_DIR SOURCE_DIR PYTHON
set -eu
build=$1
source=$(cd "$2" && pwd)
python=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check_host() {
  "$1" 3 > "$work/out.txt"
  grep -q "Generally Applicable" "$work/out.txt"
  test "$(wc -l < "$work/out.txt")" -eq 14
}

# 1. find_package on the installed tree.
cmake --install "$build" --prefix "$work/prefix" > /dev/null
include=$work/prefix/include
test -f "$include/pdrop/pdrop.h"
ls "$work"/prefix/lib*/cmake/pdrop/pdropConfig.cmake > /dev/null
for private in core/Subdivision.h mechanistic/MechConstants.h correlations/BeggsBrillRules.h; do
  if [ -e "$include/pdrop/$private" ]; then echo "installed a private header: $private"; exit 1; fi
done
mkdir -p "$work/headers"
(cd "$include" && find pdrop -name '*.h' | sort) | while read -r header; do
  name=$(echo "$header" | tr '/.' '__')
  printf '#include "%s"\n' "$header" > "$work/headers/$name.cpp"
done
cmake -S "$source/tests/packaging" -B "$work/installed" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DPDROP_CONSUME=find_package -DHOST_SOURCE="$source/examples/host.cpp" \
  -DHEADERS_SOURCE="$(ls "$work"/headers/*.cpp | paste -sd ';')" > /dev/null
cmake --build "$work/installed" --parallel 2 > /dev/null
check_host "$work/installed/host"

# The page of pdrop serve and the example cases go beside the command.
if "$work/prefix/bin/pdrop" --help | grep -q "serve"; then
  for f in web/index.html web/app.js web/style.css examples/oil_well.json; do
    test -s "$work/prefix/share/pdrop/$f" || { echo "not installed: share/pdrop/$f"; exit 1; }
  done
fi

# The Python package, when built, goes where the interpreter looks.
if ls "$build"/python/pdrop/_pdrop*.so > /dev/null 2>&1; then
  site=$(ls -d "$work"/prefix/lib/python3*/dist-packages)
  PYTHONPATH="$site" "$python" -c "import pdrop, sys; sys.exit(0 if pdrop.correlation_code('Gray') == 4 else 1)"
fi

# 2. add_subdirectory of the source tree: the library alone, no tests or tools.
cmake -S "$source/tests/packaging" -B "$work/subdirectory" -DPDROP_CONSUME=subdirectory \
  -DPDROP_SOURCE_DIR="$source" -DHOST_SOURCE="$source/examples/host.cpp" \
  -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$work/subdirectory" --parallel 2 --target host > /dev/null
check_host "$work/subdirectory/host"
if [ -e "$work/subdirectory/pdrop/apps" ] || [ -e "$work/subdirectory/pdrop/tests" ]; then
  echo "add_subdirectory built more than the library"; exit 1
fi
echo "2 passed, 0 failed"
