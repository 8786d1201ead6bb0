"""The correlation catalogue: codes, names, lists, help texts, efficiencies."""

import numbers
from typing import Dict, Union

import numpy as np
import pandas as pd

from ._pdrop import CPressDrop, correlation_code_of_name

_LISTS = ("gas", "liquid", "multiphase1", "multiphase2")


def _enumerate(which):
    names, codes = CPressDrop.Enumerate(which)
    return list(zip(names, codes))


_MECHANISTIC = ("Petalas & Aziz", 9)


def correlations() -> "pd.DataFrame":
    """All correlations as a DataFrame.

    Columns: code, name, help, default_efficiency [-], and one boolean column
    per list (gas, liquid, multiphase1 for wells, multiphase2 for pipelines)
    telling whether the correlation is offered for that kind of stream. The
    mechanistic model (code 9) is listed with the multiphase lists, whether or
    not the host process has admitted it to the engine's own lists.
    """
    def codes_of(lst):
        return {code for _, code in _enumerate(lst)}

    members = {lst: codes_of(lst) for lst in _LISTS}
    members["multiphase1"].add(_MECHANISTIC[1])
    members["multiphase2"].add(_MECHANISTIC[1])
    entries = [(n, c) for n, c in _enumerate("all") if c != _MECHANISTIC[1]] + [_MECHANISTIC]
    rows = []
    for name, code in entries:
        row = {
            "code": code,
            "name": name,
            "help": CPressDrop.GetBblHelp(0, code),
            "default_efficiency": CPressDrop.GetDefaultFlowEff(code),
        }
        row.update({lst: code in members[lst] for lst in _LISTS})
        rows.append(row)
    return pd.DataFrame(rows)


def flow_regimes() -> Dict[int, str]:
    """Flow-regime codes and their display names, as a dict {code: name}."""
    _, codes = CPressDrop.Enumerate("flow_codes")
    return {int(c): CPressDrop.GetCodeName(int(c)) for c in codes}


def correlation_code(correlation: Union[int, float, str]) -> int:
    """The code [0-9] of a correlation given by code or by name (a list name
    such as "Fanning Gas" or a title name such as "Petalas & Aziz", in any
    letter case, as in case files).

    A code may be any whole number (4, 4.0, numpy.int64(4)); 3.7 is refused,
    not cut to 3. Raises ValueError naming the argument for an unknown code
    or name.
    """
    if isinstance(correlation, (bool, np.bool_)):
        raise ValueError(f"correlation = {correlation!r} is not a code or a name")
    if isinstance(correlation, numbers.Real):
        v = float(correlation)
        if not v.is_integer():
            raise ValueError(f"correlation = {correlation!r} is not a whole code from 0 to 9")
        if 0 <= v <= 9:
            return int(v)
        raise ValueError(f"correlation = {correlation!r} is not a code from 0 to 9")
    if isinstance(correlation, str):
        # The case files' rule: list names and title names, in any letter case.
        return correlation_code_of_name(correlation)
    raise ValueError(f"correlation = {correlation!r} is not a code or a name")
