#!/usr/bin/env python3
"""Counts the lines of tests against the lines of code.

A line counts when it is not blank and not a comment alone. Counted files
end in .h, .hpp, .cpp, .cc or .py. Tests are tests/ and python/tests/;
code is pdrop/, apps/ and python/ without python/tests/. Data files, CMake,
shell scripts and web assets count on neither side.

    scripts/count_lines.py            # the two totals and the share
    scripts/count_lines.py --files    # and every file with its count
"""
import argparse
import pathlib
import sys

EXTENSIONS = {".h", ".hpp", ".cpp", ".cc", ".py"}
TEST_ROOTS = ("tests", "python/tests")
CODE_ROOTS = ("pdrop", "apps", "python")


def counted_lines(path: pathlib.Path) -> int:
    python = path.suffix == ".py"
    in_block = False
    count = 0
    for raw in path.read_text(encoding="utf-8", errors="replace").splitlines():
        line = raw.strip()
        if not line:
            continue
        if python:
            if not line.startswith("#"):
                count += 1
            continue
        if in_block:
            end = line.find("*/")
            if end < 0:
                continue
            in_block = False
            line = line[end + 2 :].strip()
            if not line:
                continue
        if line.startswith("//"):
            continue
        if line.startswith("/*"):
            end = line.find("*/", 2)
            if end < 0:
                in_block = True
                continue
            if not line[end + 2 :].strip():
                continue
        count += 1
    return count


def files_under(root: pathlib.Path, top: str):
    base = root / top
    if not base.is_dir():
        return []
    return sorted(p for p in base.rglob("*") if p.is_file() and p.suffix in EXTENSIONS)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument(
        "--files", action="store_true", help="list every counted file with its count"
    )
    parser.add_argument(
        "--root",
        default=pathlib.Path(__file__).resolve().parent.parent,
        type=pathlib.Path,
        help="the repository (default: this one)",
    )
    args = parser.parse_args()
    root = args.root

    tests = [p for top in TEST_ROOTS for p in files_under(root, top)]
    test_set = set(tests)
    code = [p for top in CODE_ROOTS for p in files_under(root, top) if p not in test_set]

    totals = {}
    for name, paths in (("tests", tests), ("code", code)):
        counts = [(counted_lines(p), p) for p in paths]
        totals[name] = sum(c for c, _ in counts)
        if args.files:
            for c, p in sorted(counts, reverse=True):
                print(f"{name:5} {c:6} {p.relative_to(root)}")
    share = 100.0 * totals["tests"] / totals["code"] if totals["code"] else 0.0
    print(
        f"tests {totals['tests']} lines, code {totals['code']} lines: "
        f"tests are {share:.1f} % of the code"
    )
    return 0


if __name__ == "__main__":
    sys.exit(main())
