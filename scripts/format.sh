#!/usr/bin/env bash
# Formats the tree: C++ with clang-format-14 (.clang-format), Python with
# black (pyproject.toml). With --check, changes nothing and fails when a file
# is not formatted, naming it.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = "--check" ]; then check=1; fi

mapfile -t cpp < <(find pdrop apps python tests bench examples \
  \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) -type f | sort)
mapfile -t py < <(find python tests scripts examples -name '*.py' -type f | sort)

status=0
if [ "$check" = 1 ]; then
  clang-format-14 --dry-run --Werror "${cpp[@]}" || status=1
  black --quiet --check "${py[@]}" || { black --check "${py[@]}" 2>&1 | grep '^would' || true; status=1; }
else
  clang-format-14 -i "${cpp[@]}"
  black --quiet "${py[@]}"
fi
exit $status
