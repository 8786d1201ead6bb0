# pdrop.gradient: broadcasting, bit-identity with scalar calls and across
# thread counts, the single-phase limit, NaN for no result, named bad input.

import math

import numpy as np
import pytest

import pdrop

# Brill & Mukherjee's Example 4.7 conditions (6 in vertical upflow).
STATE = dict(vsg_ftps=3.86, vsl_ftps=3.97, liquid_density_lbmft3=47.61, gas_density_lbmft3=5.88)
STATE.update(liquid_viscosity_cP=0.97, gas_viscosity_cP=0.016, tension_dyncm=8.41, pipe_id_in=6.0)
STATE.update(angle_deg=90.0, pressure_psia=1700.0, temperature_F=180.0, roughness_in=0.00072)


@pytest.mark.parametrize("code", [3, 4, 5, 9])
def test_arrays_broadcast_and_equal_scalar_calls_on_any_thread_count(code):
    vsg = np.array([0.5, 3.86, 20.0])
    vsl = np.array([[0.2], [3.97]])
    args = dict(STATE, vsg_ftps=vsg, vsl_ftps=vsl, angle_deg=60.0)
    one = pdrop.gradient(code, threads=1, **args)
    two = pdrop.gradient(code, threads=2, **args)
    assert one.equals(two)
    # Point by point as scalar calls (all six), NaN (no result) included.
    columns = ["friction_psi_per_ft", "elevation_psi_per_ft", "holdup", "regime_code"]
    alone = [
        pdrop.gradient(code, **dict(args, vsg_ftps=vsg[j], vsl_ftps=vsl[i, 0]))[columns].iloc[0]
        for i, j in np.ndindex(2, 3)
    ]
    np.testing.assert_array_equal(one[columns].to_numpy(float), np.array(alone, dtype=float))
    finite = one.dropna()
    total = finite["friction_psi_per_ft"] + finite["elevation_psi_per_ft"]
    assert np.array_equal(finite["total_psi_per_ft"], total)


def test_limits_of_the_gradient():
    # Liquid alone up a vertical pipe: the head is the liquid's own.
    liquid = pdrop.gradient(3, **dict(STATE, vsg_ftps=0.0)).iloc[0]
    assert liquid["holdup"] == 1.0
    assert liquid["elevation_psi_per_ft"] == pytest.approx(47.61 / 144.0, rel=1e-12)
    # A level pipe has no head; downhill the head helps the flow.
    level = pdrop.gradient(3, **dict(STATE, angle_deg=0.0)).iloc[0]
    assert level["elevation_psi_per_ft"] == 0.0 and level["friction_psi_per_ft"] > 0.0
    down = pdrop.gradient(3, **dict(STATE, angle_deg=-30.0)).iloc[0]
    assert down["elevation_psi_per_ft"] < 0.0 < down["friction_psi_per_ft"]
    # Gray needs gas flowing: without it, no result (NaN) and no regime.
    row = pdrop.gradient(4, **dict(STATE, vsg_ftps=0.0)).iloc[0]
    assert math.isnan(row["total_psi_per_ft"]) and row["regime"] == "\u2014"


@pytest.mark.parametrize(
    "change, message",
    [
        (dict(pipe_id_in=[6.0, 6.0, -1.0]), r"pipe_id_in = -1 .*\(at index 2\)"),
        (dict(liquid_viscosity_cP=float("nan")), r"liquid_viscosity_cP = nan"),
        (dict(vsg_ftps=[1.0, 2.0], vsl_ftps=[1.0, 2.0, 3.0]), "do not broadcast"),
        (dict(tension_dyncm="high"), "tension_dyncm = 'high' is not a number"),
        (dict(gas_density_lbmft3=50.0), "gas_density_lbmft3 = 50 must be below"),
        # The Flanigan forms work from the standard rates, not from in-situ values.
        (dict(correlation=7), "solve_segments"),
        # A rule joining a varying input to a fixed one holds at every point.
        (
            dict(pipe_id_in=[6.0, 0.5], roughness_in=0.3, threads=1),
            r"roughness_in = 0.3 .*\(at index 1\)",
        ),
    ],
)
def test_bad_arguments_are_named(change, message):
    with pytest.raises(ValueError, match=message):
        pdrop.gradient(**{**STATE, "correlation": 3, **change})
