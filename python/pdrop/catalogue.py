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

    References, by code:
        0 Fanning Gas: the Fanning equation with N. H. Chen, "An Explicit
          Equation for Friction Factor in Pipe", Ind. Eng. Chem. Fundam. 18
          (1979) 296-297.
        1 Panhandle (A) and 2 Modified Panhandle (B): the Panhandle Eastern
          Pipe Line Co. equations as given in the GPSA Engineering Data Book,
          section 17, and C. U. Ikoku, Natural Gas Production Engineering,
          Wiley, 1984.
        3 Modified Beggs & Brill: H. D. Beggs and J. P. Brill, "A Study of
          Two-Phase Flow in Inclined Pipes", J. Pet. Tech. 25 (1973) 607-617,
          with the revised flow-pattern map of J. P. Brill and H. Mukherjee,
          Multiphase Flow in Wells, SPE Monograph 17, 1999.
        4 Gray: H. E. Gray, "Vertical Flow Correlation in Gas Wells", API 14B
          User's Manual, Appendix B, American Petroleum Institute, 1974.
        5 Hagedorn & Brown: A. R. Hagedorn and K. E. Brown, "Experimental
          Study of Pressure Gradients Occurring During Continuous Two-Phase
          Flow in Small-Diameter Vertical Conduits", J. Pet. Tech. 17 (1965)
          475-484, with the Griffith & Wallis bubble flow (J. Heat Transfer
          83 (1961) 307-320).
        6 Weymouth: T. R. Weymouth, "Problems in Natural-Gas Engineering",
          Trans. ASME 34 (1912) 185-234.
        7 Flanigan and 8 Modified Flanigan: Panhandle A and B with O.
          Flanigan, "Effect of Uphill Flow on Pressure Drop in Design of
          Two-Phase Gathering Systems", Oil and Gas Journal 56 (1958) 132-141.
        9 Petalas & Aziz: N. Petalas and K. Aziz, "A Mechanistic Model for
          Multiphase Flow in Pipes", J. Can. Pet. Tech. 39(6) (2000).
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
