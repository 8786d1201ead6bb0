"""Studies: parameters, sweeps, and a Monte Carlo on a two-worker
LocalCluster equal to the same study run serially."""

import pytest

from pdrop import study


def test_parameters_derive_rates_and_geometry(oil_well_case):
    c = study.apply_parameters(oil_well_case, {"oil_STBd": 1000.0, "gor_scf_per_STB": 800.0,
                                               "water_cut": 0.2, "id_in": 2.992})
    assert c["gas_MMscfd"] == pytest.approx(0.8)
    assert c["water_bbld"] == pytest.approx(250.0)
    assert all(s["id_in"] == 2.992 for s in c["stations"])
    assert oil_well_case["stations"][0]["id_in"] == 2.441, "the base case is not changed"
    with pytest.raises(ValueError, match="water_cut"):
        study.apply_parameters(oil_well_case, {"water_cut": 1.0})
    with pytest.raises(ValueError, match="choke"):
        study.apply_parameters(oil_well_case, {"choke": 1.0})
    with pytest.raises(ValueError, match="correlation = 3.7"):
        study.apply_parameters(oil_well_case, {"correlation": 3.7})


def test_sweep_runs_every_combination(oil_well_case):
    df = study.sweep(oil_well_case, {"correlation": [3, "Hagedorn & Brown", 5],
                                     "oil_STBd": [800.0, 1600.0]}, serial=True)
    assert len(df) == 6
    assert df["complete"].all()
    # More oil up the same tubing needs more bottom-hole pressure.
    for code in (3, 5):
        sub = df[df["correlation"] == code].sort_values("oil_STBd")
        assert sub["computed_end_pressure_psia"].is_monotonic_increasing
    # A correlation by name is the one of that code, as in case files.
    by_name = df[df["correlation"] == "Hagedorn & Brown"]["computed_end_pressure_psia"]
    by_code = df[df["correlation"] == 5]["computed_end_pressure_psia"]
    assert list(by_name) == list(by_code)


def test_monte_carlo_on_a_local_cluster_equals_the_serial_run(oil_well_case):
    distributions = {"oil_STBd": ("uniform", 300.0, 2000.0),
                     "gor_scf_per_STB": ("loguniform", 100.0, 1500.0),
                     "water_cut": ("uniform", 0.0, 0.6),
                     "correlation": ("choice", [3, 4, 5])}
    serial = study.monte_carlo(oil_well_case, distributions, n=200, seed=7, serial=True)
    cluster = study.monte_carlo(oil_well_case, distributions, n=200, seed=7, workers=2)
    assert len(cluster) == 200
    assert cluster.equals(serial)
