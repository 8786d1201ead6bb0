import os
import signal
import subprocess

import pytest

EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "examples")


@pytest.fixture
def oil_well_case():
    import pdrop

    return pdrop.read_case(os.path.join(EXAMPLES, "oil_well.json"))


@pytest.fixture
def vfp_axes():
    """Axes of a producer's table over the oil well's own rates."""
    axes = dict(table=3, type="prod", flo="LIQ", flo_values=[800, 1500, 40000], thp_psia=[250, 500])
    return dict(axes, wfr="WCT", wfr_values=[0.2], gfr="GOR", gfr_values=[0.5])


@pytest.fixture
def spawn(tmp_path):
    """Starts commands in tmp_path, each in a process group of its own with
    this pdrop on PYTHONPATH and output discarded unless asked for; stops the
    groups left at the end."""
    import pdrop

    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.dirname(pdrop.__file__)))
    started = []

    def start(args, **kwargs):
        defaults = dict(cwd=tmp_path, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(subprocess.Popen(args, start_new_session=True, **{**defaults, **kwargs}))
        return started[-1]

    yield start
    for p in started:
        try:
            os.killpg(p.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    for p in started:
        try:
            p.wait(timeout=30)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait()
