import os

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
