# The package's types hold: mypy passes on it, with the native module's stub
# and the py.typed marker that lets a user's mypy read them.

import os
import subprocess
import sys

import pytest

import pdrop


def test_mypy_passes_on_the_package(tmp_path):
    pytest.importorskip("mypy")
    package = os.path.dirname(pdrop.__file__)
    assert {"py.typed", "_pdrop.pyi"} <= set(os.listdir(package))
    config = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "mypy.ini")
    command = [sys.executable, "-m", "mypy", "--config-file", config, "--cache-dir", tmp_path]
    root = os.path.dirname(package)
    run = subprocess.run(command + ["pdrop"], cwd=root, capture_output=True, text=True, timeout=600)
    assert run.returncode == 0, run.stdout + run.stderr
