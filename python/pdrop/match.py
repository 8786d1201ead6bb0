"""Matching a measured pressure survey: the correlations ranked by how
closely their traverses follow the gauge's pressures, with the friction and
hydrostatic efficiencies fitted (NLopt) and judged for how well the survey
determines them."""

import json
import math
import numbers
import os
from typing import Any, Optional, Sequence, Tuple

import numpy as np
import pandas as pd

from . import _pdrop
from ._types import Case
from .catalogue import correlation_code
from .traverse import TraverseResult, _case_text, _plain

_FITS = ("none", "friction", "hydrostatic", "both")


def _survey_text(survey):
    """(text, name in messages) of a survey given as a path, a DataFrame or a
    list of dicts."""
    if isinstance(survey, (str, os.PathLike)):
        path = os.fspath(survey)
        try:
            with open(path, encoding="utf-8-sig") as f:
                return f.read(), path
        except OSError as e:
            raise ValueError(f"cannot read survey file {path} ({e.strerror})") from None
    if isinstance(survey, pd.DataFrame):
        records = [
            {k: v for k, v in row.items() if not (k == "temperature_F" and pd.isna(v))}
            for row in survey.to_dict("records")
        ]
    elif isinstance(survey, (list, tuple)):
        records = list(survey)
    else:
        raise ValueError(f"survey = {survey!r} is not a path, a DataFrame or a list of dicts")
    return json.dumps(_plain(records, "survey"), allow_nan=False), "survey"


def _bounds(value, name) -> Tuple[float, float]:
    try:
        low, high = (float(v) for v in value)
    except (TypeError, ValueError):
        raise ValueError(f"{name} = {value!r} is not a (low, high) pair") from None
    if not (math.isfinite(low) and math.isfinite(high)):
        raise ValueError(f"{name} = {value!r} must be finite")
    return low, high


def match(
    case: Case,
    survey: Any,
    *,
    correlations: Optional[Sequence[Any]] = None,
    fit: Optional[str] = None,
    friction_bounds: Tuple[float, float] = (0.5, 1.5),
    hydrostatic_bounds: Tuple[float, float] = (0.5, 1.5),
    threads: Optional[int] = None,
    **overrides: Any,
) -> Any:
    """Ranks the correlations against a measured pressure survey.

    Each correlation's traverse gets a station at every survey depth; the
    friction and hydrostatic efficiencies (which divide every segment's
    friction and elevation change) are fitted to minimise the mean squared
    difference with NLopt's bounded derivative-free methods.

    Args:
        case: a case dict in the case-file format, or the path of a case file.
        survey: the path of a survey file (CSV with a header
            ``md_ft,pressure_psia[,temperature_F]``, or a JSON list of such
            objects), a DataFrame with those columns, or a list of dicts;
            depths [ft] inside the case's measured depths, all increasing or
            all decreasing; pressures [psia]; temperatures [degF].
        correlations: codes or names; default all that apply to the case.
        fit: "none", "friction", "hydrostatic" or "both" (default "both",
            or "none" when pdrop was built without NLopt).
        friction_bounds, hydrostatic_bounds: (low, high) of each fitted
            efficiency [-].
        threads: correlations matched at once (default: all cores).
        **overrides: top-level case fields to replace, e.g. oil_STBd=900.

    Returns:
        A DataFrame, one row per correlation, best first: rank (None without
        a result), correlation_code, correlation, ok, reason, mean_psi,
        mean_abs_psi, rms_psi [psi], mean_pct, mean_abs_pct, rms_pct [% of the
        measured pressure] (differences predicted - measured with the case's
        efficiencies), friction_efficiency, hydrostatic_efficiency [-] (fitted,
        or the case's), the fitted_ errors, for each efficiency its
        _effect_psi (what moving it 5 % does to the predicted pressures,
        RMS [psi]), _determined and _note, friction_share [-] and traverses
        (the fit's count). ``attrs`` holds "survey" (DataFrame), "predictions"
        (DataFrame: correlation_code, md_ft, measured_psia, predicted_psia,
        fitted_psia), "traverses" ({code: (TraverseResult with the case's
        efficiencies, TraverseResult with the fitted ones)}), "fit" and
        "warnings". Bad input raises ValueError naming the argument or row.
    """
    # The mechanistic model is one of the correlations offered, as in the
    # pdrop command.
    _pdrop.CPressDrop.SetMechModel(1)
    case, case_text = _case_text(case, overrides)
    text, where = _survey_text(survey)
    if correlations is None:
        codes = []
    elif isinstance(correlations, (str, numbers.Real)):
        codes = [correlation_code(correlations)]
    else:
        codes = [correlation_code(c) for c in correlations]
    if fit is None:
        fit = "both" if _pdrop.fitting_available() else "none"
    if fit not in _FITS:
        raise ValueError(f"fit = {fit!r} is not one of {', '.join(_FITS)}")
    fb = _bounds(friction_bounds, "friction_bounds")
    hb = _bounds(hydrostatic_bounds, "hydrostatic_bounds")
    if threads is None:
        threads = os.cpu_count() or 1
    if isinstance(threads, bool) or not isinstance(threads, numbers.Integral):
        raise ValueError(f"threads = {threads!r} is not a whole number")
    out = _pdrop.match_json(case_text, text, where, codes, fit, *fb, *hb, int(threads))

    rows, predictions, traverses = [], [], {}
    survey_df = pd.DataFrame(out["survey"])
    rank = 0
    for entry, pair in zip(out["ranking"], out["traverses"]):
        code = entry["correlation_code"]
        if entry["ok"]:
            rank += 1
        row = {
            "rank": rank if entry["ok"] else None,
            "correlation_code": code,
            "correlation": entry["correlation"],
            "ok": entry["ok"],
            "reason": entry["reason"],
        }
        nan_errors = {k: np.nan for k in entry["errors"]}
        row.update(entry["errors"] if entry["ok"] else nan_errors)
        row["friction_efficiency"] = entry["friction_efficiency"]
        row["hydrostatic_efficiency"] = entry["hydrostatic_efficiency"]
        fitted = entry["ok"] and entry["fitted"]
        row.update(
            entry["fitted_errors"] if fitted else {k: np.nan for k in entry["fitted_errors"]}
        )
        for name in ("friction", "hydrostatic"):
            done = fitted and entry[f"{name}_fitted"]
            row[f"{name}_effect_psi"] = entry[f"{name}_effect_psi"] if done else np.nan
            row[f"{name}_determined"] = entry[f"{name}_determined"] if done else None
            row[f"{name}_note"] = entry[f"{name}_note"]
        row["friction_share"] = entry["friction_share"] if entry["ok"] else np.nan
        row["traverses"] = entry["traverses"]
        row["fit_note"] = entry["fit_note"]
        rows.append(row)
        if entry["ok"]:
            predictions.append(
                pd.DataFrame(
                    {
                        "correlation_code": code,
                        "md_ft": survey_df["md_ft"],
                        "measured_psia": survey_df["pressure_psia"],
                        "predicted_psia": entry["predicted_psia"],
                        "fitted_psia": entry["fitted_psia"],
                    }
                )
            )
        fitted_case = dict(case, correlation=code)
        fitted_case["options"] = dict(
            case.get("options", {}),
            friction_efficiency=entry["friction_efficiency"],
            hydrostatic_efficiency=entry["hydrostatic_efficiency"],
        )
        traverses[code] = tuple(
            TraverseResult(
                rows=pd.DataFrame(pair[k]["rows"]), summary=dict(pair[k]["summary"]), case=run_case
            )
            for k, run_case in (("given", dict(case, correlation=code)), ("fitted", fitted_case))
        )
    result = pd.DataFrame(rows)
    result.attrs["survey"] = survey_df
    result.attrs["predictions"] = (
        pd.concat(predictions, ignore_index=True) if predictions else pd.DataFrame()
    )
    result.attrs["traverses"] = traverses
    result.attrs["fit"] = out["fit"]
    result.attrs["warnings"] = list(out["warnings"])
    return result
