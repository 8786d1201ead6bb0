"""VFP tables: the bottomhole pressure of a well over rates, tubing-head
pressures and water and gas fractions, as the VFPPROD or VFPINJ keyword of a
reservoir-simulator deck (the Eclipse format OPM Flow reads)."""

import json
import os
from dataclasses import dataclass
from typing import Any, Dict, Optional, Union

import pandas as pd

from . import _pdrop
from ._types import Case, Path
from .traverse import _case_text, _plain


@dataclass
class VfpTable:
    """A VFP table.

    Attributes:
        keyword: "VFPPROD" (producers) or "VFPINJ" (injectors).
        axes: the axes as given (table, type, units, flo, wfr, gfr and their
            values), in the table's units.
        bhp: the bottomhole pressure at the datum [psia for FIELD tables, barsa
            for METRIC], one row per (THP, WFR, GFR) curve — indexed by "thp"
            only for an injector — and one column per FLO value.
        adjusted: same shape as bhp: "" for a cell that is its traverse's
            result, "filled" for one whose traverse has no result, "raised"
            for one lifted to keep BHP rising with THP.
        messages: one line per filled or raised cell, with the reason.
        datum: the depth of the tabulated BHP [ft or m].
        units: the unit of each quantity: flo, thp, bhp, datum (and wfr, gfr).
        deck: the deck text, comment header included.
    """

    keyword: str
    axes: dict
    bhp: pd.DataFrame
    adjusted: pd.DataFrame
    messages: list
    datum: float
    units: dict
    deck: str
    inputs: tuple = ()

    def to_deck(self, path: Path) -> Path:
        """Writes the deck text (the keyword with its comment header) to path,
        whole or not at all, and returns the path. The table's units must
        match the deck's. A path that is one of the files the table was read
        from (case, axes) is refused: an input is never written over."""
        target = os.fspath(path)
        for source in self.inputs:
            if os.path.exists(target) and os.path.samefile(target, source):
                raise ValueError(
                    f"path = {target!r} is an input of the table ({source}); "
                    "it is never written over"
                )
        folder = os.path.dirname(os.path.abspath(target))
        temporary = os.path.join(folder, f".{os.path.basename(target)}.partial")
        try:
            with open(temporary, "w", encoding="utf-8") as f:
                f.write(self.deck)
            os.replace(temporary, target)
        finally:
            if os.path.exists(temporary):
                os.remove(temporary)
        return path


def _axes_dict(axes):
    if isinstance(axes, (str, os.PathLike)):
        with open(os.fspath(axes), encoding="utf-8") as f:
            try:
                return json.load(f)
            except ValueError as e:
                raise ValueError(f"{os.fspath(axes)}: not valid JSON ({e})") from None
    if not isinstance(axes, dict):
        raise ValueError(f"axes = {axes!r} is not a dict or a path")
    return axes


def vfp_table(
    case: Case,
    axes: Union[Dict[str, Any], Path],
    *,
    threads: Optional[int] = None,
    **overrides: Any,
) -> VfpTable:
    """Builds a VFP table: one traverse per cell, from the wellhead at the
    cell's THP down to the datum, on all cores.

    Args:
        case: a well case (dict in the case-file format, or the path of a
            case file) whose known end is the wellhead (known_end top); a
            producer flows to the top, an injector to the bottom.
        axes: the axes (dict in the axes-file format of ``pdrop vfp --axes``,
            or its path): table (1-9999), type ("prod" or "inj"), units
            ("FIELD" or "METRIC"), flo and flo_values, thp_psia (thp_barsa
            for METRIC), and for producers wfr, wfr_values, gfr, gfr_values;
            datum_ft (datum_m) optional, the last station's true vertical
            depth by default. Values are in the table's units.
        threads: worker threads (default: all cores).
        **overrides: top-level case fields to replace.

    Returns:
        VfpTable. Bad input raises ValueError naming the field; a table with a
        whole curve without any result raises RuntimeError.
    """
    case_file = os.fspath(case) if isinstance(case, (str, os.PathLike)) else ""
    axes_file = os.fspath(axes) if isinstance(axes, (str, os.PathLike)) else ""
    _, case_text = _case_text(case, overrides)
    axes_dict = _plain(_axes_dict(axes), "axes")
    if threads is None:
        threads = os.cpu_count() or 1
    if isinstance(threads, bool) or not isinstance(threads, int) or not 1 <= threads <= 1024:
        raise ValueError(f"threads = {threads!r} must be a whole number from 1 to 1024")
    out = _pdrop.vfp_json(
        case_text, json.dumps(axes_dict, allow_nan=False), int(threads), case_file
    )
    flo = out["flo_values"]
    if out["keyword"] == "VFPPROD":
        index = pd.MultiIndex.from_product(
            [out["thp_values"], out["wfr_values"], out["gfr_values"]], names=["thp", "wfr", "gfr"]
        )
    else:
        index = pd.Index(out["thp_values"], name="thp")
    columns = pd.Index(flo, name="flo")
    n = len(flo)
    rows = [out["bhp"][i : i + n] for i in range(0, len(out["bhp"]), n)]
    bhp = pd.DataFrame(rows, index=index, columns=columns)
    marks = [""] * len(out["bhp"])
    for a in out["adjustments"]:
        marks[a["index"]] = (
            a["kind"] if not marks[a["index"]] else marks[a["index"]] + "+" + a["kind"]
        )
    adjusted = pd.DataFrame(
        [marks[i : i + n] for i in range(0, len(marks), n)], index=index, columns=columns
    )
    return VfpTable(
        keyword=out["keyword"],
        axes=axes_dict,
        bhp=bhp,
        adjusted=adjusted,
        messages=list(out["messages"]),
        datum=out["datum"],
        units=dict(out["unit_names"]),
        deck=out["deck"],
        inputs=tuple(f for f in (case_file, axes_file) if f),
    )
