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
    assert os.path.exists(os.path.join(package, "py.typed"))
    assert os.path.exists(os.path.join(package, "_pdrop.pyi"))
    config = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "mypy.ini")
    command = [sys.executable, "-m", "mypy", "--config-file", config, "--cache-dir", str(tmp_path)]
    run = subprocess.run(
        command + ["pdrop"],
        cwd=os.path.dirname(package),
        capture_output=True,
        text=True,
        timeout=600,
    )
    assert run.returncode == 0, run.stdout + run.stderr
