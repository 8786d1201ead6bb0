import os

import pytest

EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "examples")


@pytest.fixture
def oil_well_case():
    import pdrop

    return pdrop.read_case(os.path.join(EXAMPLES, "oil_well.json"))
