"""Whole wells and pipelines: the case-file format as a dict, results as a
pandas DataFrame."""

import json
import math
import numbers
import os
from dataclasses import dataclass
from typing import Any, Dict, Optional

import numpy as np
import pandas as pd

from . import _pdrop
from ._types import Case, Path
from .catalogue import correlation_code, flow_regimes


def _plain(value, field):
    """value with NumPy numbers and arrays made plain Python ones; a number
    that is not finite is refused by its field name (JSON has no NaN)."""
    if isinstance(value, dict):
        return {k: _plain(v, f"{field}.{k}") for k, v in value.items()}
    if isinstance(value, (list, tuple, np.ndarray)):
        return [_plain(v, f"{field}[{i}]") for i, v in enumerate(value)]
    if isinstance(value, (bool, np.bool_)):
        return bool(value)
    if isinstance(value, numbers.Integral):
        return int(value)
    if isinstance(value, numbers.Real):
        v = float(value)
        if not math.isfinite(v):
            raise ValueError(f"{field} = {v} must be finite")
        return v
    return value


def _case_text(case, overrides):
    """The case with its overrides as the JSON text the native reader takes."""
    if isinstance(case, (str, os.PathLike)):
        case = read_case(case)
    if not isinstance(case, dict):
        raise ValueError(f"case = {case!r} is not a dict or a path")
    case = _plain({**case, **overrides}, "case")
    code = case.get("correlation")
    if isinstance(code, numbers.Real) and not isinstance(code, bool):
        # A code given as 4.0 is code 4; 3.7 is refused, not cut to 3.
        try:
            case["correlation"] = correlation_code(float(code))
        except ValueError as e:
            raise ValueError(f"case.{e}") from None
    return case, json.dumps(case, allow_nan=False)


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


def read_case(path: Path) -> Dict[str, Any]:
    """Reads a case file (JSON, the format of the pdrop command) into a dict.
    Raises ValueError naming the file when it is not valid JSON."""
    with open(os.fspath(path), encoding="utf-8") as f:
        try:
            return json.load(f)
        except (ValueError, RecursionError) as e:
            raise ValueError(f"{os.fspath(path)}: not valid JSON ({e})") from None


def traverse(case: Case, *, phases: Optional[tuple] = None, **overrides: Any) -> TraverseResult:
    """Runs a traverse.

    Args:
        case: a case dict in the case-file format, or the path of a case file.
        phases: optional (gas, oil, water) phase objects (pdrop.Phase
            subclasses) to use instead of the case's built-in fluid.
        **overrides: top-level case fields to replace, e.g. oil_STBd=900.

    Returns:
        TraverseResult. An invalid case raises ValueError naming the field.
    """
    as_run, text = _case_text(case, overrides)
    if phases is None:
        out = _pdrop.traverse_json(text)
    else:
        if len(phases) != 3:
            raise ValueError("phases must be a (gas, oil, water) tuple")
        out = _pdrop.traverse_json_with_phases(text, *phases)
    return TraverseResult(rows=pd.DataFrame(out["rows"]), summary=dict(out["summary"]), case=as_run)


@dataclass
class FlowMap:
    """The mechanistic flow-pattern map of a case's first segment.

    Attributes:
        patterns: {pattern name: dict of NumPy arrays vsg_ftps, vsl_ftps [ft/s],
            holdup [-], elevation_dp_psi_per_ft [psi/ft]} for each pattern that
            occurs on the 50 x 50 grid (Vsg 0.01-500, Vsl 0.01-100 ft/s).
        operating_point: (vsg_ftps, vsl_ftps) of the segment [ft/s].
        regime: the segment's own pattern.
    """

    patterns: dict
    operating_point: tuple
    regime: str

    def regions(self):
        """{pattern name: (vsg, vsl)} for pdrop.plots.plot_flow_map."""
        return {name: (p["vsg_ftps"], p["vsl_ftps"]) for name, p in self.patterns.items()}


def flow_map(case: Case, **overrides: Any) -> FlowMap:
    """The Petalas & Aziz flow-pattern map of the segment next to the known
    end of a case (dict or path), at its rates, pressure and temperature.

    Returns FlowMap; raises ValueError for an invalid case or a segment that
    has no result.
    """
    _, text = _case_text(case, overrides)
    out = json.loads(_pdrop.flow_map_json(text))
    if not out["ok"]:
        raise ValueError(f"case: {out['reason']}")
    patterns = {}
    for e in out["entries"]:
        # JSON null (a value that was not computed) reads as NaN.
        patterns[e["name"]] = {
            k: np.asarray(e[k], dtype=float)
            for k in ("vsg_ftps", "vsl_ftps", "holdup", "elevation_dp_psi_per_ft")
        }
    point = tuple(float("nan") if v is None else v for v in (out["vsg_ftps"], out["vsl_ftps"]))
    return FlowMap(
        patterns=patterns,
        operating_point=point,
        regime=flow_regimes().get(out["regime_code"], "Undefined"),
    )
