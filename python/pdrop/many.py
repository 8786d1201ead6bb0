"""Many traverses in one call, run in C++ threads."""

import os
from typing import Any, Optional, Sequence

import pandas as pd

from . import _pdrop
from ._types import Case
from .traverse import _case_text

SUMMARY_COLUMNS = (
    "name",
    "correlation",
    "complete",
    "reason",
    "stopped_at_md_ft",
    "computed_end_pressure_psia",
    "total_friction_dp_psi",
    "total_elevation_dp_psi",
    "loading_md_ft",
    "warnings",
    "error",
)


def traverse_many(cases: Sequence[Case], threads: Optional[int] = None, rows: bool = False) -> Any:
    """Runs many cases at once, each with engines and fluid objects of its
    own, on C++ threads without the GIL; the results do not depend on the
    thread count.

    Args:
        cases: case dicts (or case-file paths), in the case-file format.
        threads: worker threads (default: all cores).
        rows: also return each traverse's rows.

    Returns:
        A DataFrame of summaries, one row per case in input order: name,
        correlation, complete, reason, stopped_at_md_ft [ft],
        computed_end_pressure_psia [psia], total_friction_dp_psi,
        total_elevation_dp_psi [psi], loading_md_ft [ft], warnings, and error
        (why a case could not be read; "" otherwise). With rows=True, a tuple
        (summaries, list of row DataFrames, None for a case without rows).
    """
    n = (os.cpu_count() or 1) if threads is None else threads
    if isinstance(n, bool) or not isinstance(n, int) or not 1 <= n <= 1024:
        raise ValueError(f"threads = {threads!r} must be a whole number from 1 to 1024")
    if isinstance(cases, (str, bytes, dict, os.PathLike)):
        raise ValueError("cases must be a list of case dicts or case-file paths")
    # A case that cannot be read (a missing file, a value JSON cannot hold)
    # is reported in its row; the others run.
    texts, unread = [], {}
    for i, case in enumerate(cases):
        try:
            texts.append(_case_text(case, {})[1])
        except (ValueError, OSError) as e:
            unread[i] = f"cases[{i}]: {e}"
            texts.append("")
    summaries, row_lists = _pdrop.traverse_many_json(texts, n, bool(rows))
    for i, message in unread.items():
        summaries[i]["error"] = message
    frame = pd.DataFrame(summaries, columns=list(SUMMARY_COLUMNS))
    if not rows:
        return frame
    return frame, [None if r is None else pd.DataFrame(r) for r in row_lists]
