"""pdrop: pressure change of gas, oil and water through wells and pipelines.

Engines by correlation code or name, the built-in black-oil fluid or a fluid
written in Python, single segments, whole traverses as pandas DataFrames,
plots (``pdrop.plots``) and studies on a Dask cluster (``pdrop.study``).

Units are oilfield units, named in brackets in every docstring: pressures
[psia], temperatures [degF], lengths [ft], diameters [in], gas [MMscf/d],
oil [STB/d], water [bbl/d]. Results that could not be computed are NaN (or
None); invalid arguments raise ValueError naming the argument.
"""

from ._pdrop import CProp as Phase
from ._pdrop import CSynPar as BubblePointParameter
from ._pdrop import __version__
from .catalogue import correlation_code, correlations, flow_regimes
from .engine import Engine, SegmentResult, solve_segment, solve_segments
from .fluids import BlackOilFluid
from .gradient import gradient
from .match import match
from .traverse import FlowMap, TraverseResult, flow_map, read_case, traverse
from .many import traverse_many
from .vlp import vlp
from .vfp import VfpTable, vfp_table

__all__ = [
    "BlackOilFluid",
    "BubblePointParameter",
    "Engine",
    "FlowMap",
    "Phase",
    "SegmentResult",
    "TraverseResult",
    "VfpTable",
    "correlation_code",
    "correlations",
    "flow_map",
    "flow_regimes",
    "gradient",
    "match",
    "read_case",
    "solve_segment",
    "solve_segments",
    "traverse",
    "traverse_many",
    "vfp_table",
    "vlp",
    "__version__",
]


def __getattr__(name):
    # The plotting and study modules pull in matplotlib and Dask: load them
    # only when they are asked for.
    if name in ("plots", "study"):
        import importlib

        return importlib.import_module(f".{name}", __name__)
    raise AttributeError(f"module 'pdrop' has no attribute '{name}'")
