"""Whole wells and pipelines: the case-file format as a dict, results as a
pandas DataFrame."""

import copy
import json
import os
from dataclasses import dataclass

import pandas as pd

from . import _pdrop


@dataclass
class TraverseResult:
    """A traverse.

    Attributes:
        rows: one row per station in measured-depth order: md_ft, tvd_ft [ft],
            pressure_psia [psia], temperature_F [degF], friction_dp_psi and
            elevation_dp_psi of the segment ending there [psi], holdup [-],
            regime_code, regime, vsg_ftps, vsl_ftps, vg_ftps, vl_ftps [ft/s],
            mixture_density_lbmft3 [lbm/ft3], turner_MMscfd and coleman_MMscfd
            (critical unloading rates, NaN where they do not exist) [MMscf/d],
            loading (gas well below the Turner rate).
        summary: name, correlation, complete, reason, stopped_at_md_ft,
            computed_end_pressure_psia (NaN when incomplete),
            total_friction_dp_psi, total_elevation_dp_psi, loading_md_ft (None
            without loading).
        case: the case that was run.
    """

    rows: pd.DataFrame
    summary: dict
    case: dict

    @property
    def complete(self):
        return bool(self.summary["complete"])


def read_case(path):
    """Reads a case file (JSON, the format of the pdrop command) into a dict."""
    with open(os.fspath(path), encoding="utf-8") as f:
        return json.load(f)


def traverse(case, *, phases=None, **overrides):
    """Runs a traverse.

    Args:
        case: a case dict in the case-file format, or the path of a case file.
        phases: optional (gas, oil, water) phase objects (pdrop.Phase
            subclasses) to use instead of the case's built-in fluid.
        **overrides: top-level case fields to replace, e.g. oil_STBd=900.

    Returns:
        TraverseResult. An invalid case raises ValueError naming the field.
    """
    if isinstance(case, (str, os.PathLike)):
        case = read_case(case)
    if not isinstance(case, dict):
        raise ValueError(f"case = {case!r} is not a dict or a path")
    case = copy.deepcopy(case)
    case.update(overrides)
    text = json.dumps(case)
    if phases is None:
        out = _pdrop.traverse_json(text)
    else:
        if len(phases) != 3:
            raise ValueError("phases must be a (gas, oil, water) tuple")
        out = _pdrop.traverse_json_with_phases(text, *phases)
    return TraverseResult(rows=pd.DataFrame(out["rows"]), summary=dict(out["summary"]), case=case)
