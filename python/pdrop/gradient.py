"""The multiphase pressure gradient at given in-situ conditions, over arrays."""

import os
from typing import Optional

import numpy as np
import pandas as pd

from . import _pdrop
from .catalogue import correlation_code


def gradient(
    correlation,
    *,
    vsg_ftps,
    vsl_ftps,
    liquid_density_lbmft3,
    gas_density_lbmft3,
    liquid_viscosity_cP,
    gas_viscosity_cP,
    tension_dyncm,
    pipe_id_in,
    angle_deg,
    pressure_psia,
    temperature_F,
    roughness_in=0.0006,
    gas_gravity=0.65,
    z_factor=None,
    threads: Optional[int] = None,
) -> "pd.DataFrame":
    """The multiphase pressure gradient of a correlation at in-situ conditions,
    like fluids.two_phase.Beggs_Brill, over NumPy arrays or scalars that
    broadcast together.

    For the correlations that need no rates: 3 Modified Beggs & Brill (Beggs &
    Brill, JPT 1973, with the revised map), 4 Gray (API 14B, 1974), 5 Hagedorn
    & Brown (JPT 1965), 9 Petalas & Aziz (J. Can. Pet. Tech. 2000). The
    Flanigan forms work from the standard rates: use solve_segments.

    Args:
        correlation: code or name (3, 4, 5, 9).
        vsg_ftps, vsl_ftps: superficial gas and liquid velocities [ft/s].
        liquid_density_lbmft3, gas_density_lbmft3: in-situ densities [lbm/ft3].
        liquid_viscosity_cP, gas_viscosity_cP: viscosities [cP].
        tension_dyncm: gas-liquid surface tension [dyn/cm].
        pipe_id_in: pipe inside diameter [in].
        angle_deg: inclination from horizontal [deg], positive uphill in the
            direction of flow.
        pressure_psia, temperature_F: conditions [psia, degF] (Hagedorn &
            Brown's chart reads the pressure).
        roughness_in: absolute roughness [in].
        gas_gravity: [-], air = 1; z_factor: [-] or None.
        threads: worker threads (default: all cores); the results do not
            depend on it.

    Returns:
        DataFrame, one row per point of the broadcast shape (flattened in C
        order): friction_psi_per_ft, elevation_psi_per_ft, total_psi_per_ft
        (positive: the pressure falls along the flow) [psi/ft], holdup [-],
        regime_code and regime. A point the correlation cannot compute is NaN
        with the regime "\u2014": a two-phase method on one phase alone (Gray
        with no gas, Petalas & Aziz with no liquid) is such a point; a
        traverse solves those with the single-phase routines. A bad argument
        (NaN included) raises ValueError naming it and the first bad index.
    """
    code = correlation_code(correlation)
    n = (os.cpu_count() or 1) if threads is None else threads
    if isinstance(n, bool) or not isinstance(n, (int, np.integer)) or not 1 <= n <= 1024:
        raise ValueError(f"threads = {threads!r} must be a whole number from 1 to 1024")
    given = dict(
        vsg_ftps=vsg_ftps,
        vsl_ftps=vsl_ftps,
        liquid_density_lbmft3=liquid_density_lbmft3,
        gas_density_lbmft3=gas_density_lbmft3,
        liquid_viscosity_cP=liquid_viscosity_cP,
        gas_viscosity_cP=gas_viscosity_cP,
        tension_dyncm=tension_dyncm,
        pipe_id_in=pipe_id_in,
        angle_deg=angle_deg,
        pressure_psia=pressure_psia,
        temperature_F=temperature_F,
        roughness_in=roughness_in,
        gas_gravity=gas_gravity,
        z_factor=np.nan if z_factor is None else z_factor,
    )
    arrays = []
    for name in _pdrop.GRADIENT_INPUTS:
        try:
            arrays.append(np.asarray(given[name], dtype=float))
        except (TypeError, ValueError):
            raise ValueError(
                f"{name} = {given[name]!r} is not a number or an array of numbers"
            ) from None
    try:
        shape = np.broadcast_shapes(*(a.shape for a in arrays))
    except ValueError:
        shapes = ", ".join(f"{k} {a.shape}" for k, a in zip(_pdrop.GRADIENT_INPUTS, arrays))
        raise ValueError(f"the arguments do not broadcast together: {shapes}") from None
    # An argument of one value goes over as that value alone: the native side
    # gives it to every point instead of reading a spread-out copy.
    flat = [
        a.reshape(1)
        if a.size == 1
        else np.ascontiguousarray(np.broadcast_to(a, shape), dtype=float).ravel()
        for a in arrays
    ]
    values, regime, names = _pdrop.gradient_arrays(code, flat, int(n))
    # The frame takes the arrays as they are (the four float columns are the
    # rows of one block): no copies, and none of the memory churn they cost.
    columns = dict(
        zip(("friction_psi_per_ft", "elevation_psi_per_ft", "total_psi_per_ft", "holdup"), values)
    )
    columns["regime_code"] = regime
    columns["regime"] = names
    return pd.DataFrame(columns, copy=False)
