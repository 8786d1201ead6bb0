"""Lift curves (vertical lift performance) of a well case."""

import json
from typing import Any, Optional, Sequence

import pandas as pd

from . import _pdrop
from ._types import Case
from .traverse import _case_text, _plain

_SENSITIVITIES = (
    "wellhead_pressure_psia",
    "water_cut",
    "gor_scf_per_STB",
    "glr_scf_per_STB",
    "id_in",
    "correlation",
)


def vlp(
    case: Case,
    rates: Optional[Sequence[float]] = None,
    *,
    threads: Optional[int] = None,
    **sensitivities: Sequence[Any],
) -> "pd.DataFrame":
    """The bottomhole pressure a well needs for each rate, as a family of curves.

    Args:
        case: a well case (dict or path) whose wellhead pressure is known
            (known_end "top"): a producer (flow_to "top") or an injector.
        rates: the rates of each curve, strictly increasing: liquid [STB/d]
            for an oil well, gas [MMscf/d] for a gas well (at most 200 bbl of
            liquid per MMscf) or a gas injector, water [bbl/d] for a water
            injector. Default: 20 rates from 5 % to 300 % of the case's own.
        threads: worker threads (default: all cores); the results do not
            depend on it.
        **sensitivities: lists of values, one curve per combination:
            wellhead_pressure_psia [psia], water_cut [-], gor_scf_per_STB or
            glr_scf_per_STB [scf/STB], id_in [in] (every station),
            correlation (codes or names). The case's own ratios hold for
            what is not varied.

    Returns:
        DataFrame, one row per point: curve (numbered from 1), the sensitivity
        values, the rate
        (liquid_STBd, gas_MMscfd or water_bbld), bhp_psia [psia] (NaN without a
        result), complete, reason, bottom_regime (pattern of the bottom
        segment), loading (gas rate below Turner's critical rate somewhere in
        the well), coleman_loading, minimum (the lowest BHP of its curve: below
        that rate the well heads; none when the lowest BHP is at the first or
        last rate), unstable (rate below the minimum). frame.attrs["warnings"]
        holds the notes of the traverses (fitted ranges left, the calculation
        a gas equation ran).
    """
    _, text = _case_text(case, {})
    request = {}
    for name, values in sensitivities.items():
        if name not in _SENSITIVITIES:
            raise ValueError(f"{name} is not one of {', '.join(_SENSITIVITIES)}")
        request[name] = list(values) if isinstance(values, (list, tuple)) else list([values])
    if rates is not None:
        if isinstance(rates, (str, bytes)) or not hasattr(rates, "__len__") or len(rates) == 0:
            raise ValueError(f"rates = {rates!r} must be a non-empty list of rates")
        request["rates"] = list(rates)
    request = _plain(request, "vlp")
    n = 0 if threads is None else int(threads)
    if threads is not None and not 1 <= n <= 1024:
        raise ValueError(f"threads = {threads!r} must be 1 to 1024")
    if threads is None:
        import os

        n = os.cpu_count() or 1
    # The command's JSON output, as a frame: one table of the points' fields.
    out = json.loads(_pdrop.lift_curves_json(text, json.dumps(request), n))
    frame = pd.DataFrame(out["points"])
    frame["bhp_psia"] = frame["bhp_psia"].astype(float)
    frame.attrs["warnings"] = out["warnings"]
    return frame
