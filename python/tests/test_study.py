# Studies: parameters, sweeps, and a Monte Carlo on a two-worker
# LocalCluster equal to the same study run serially.

import json
import subprocess
import sys
import time

import pytest

from pdrop import study


def test_parameters_derive_rates_and_geometry(oil_well_case):
    values = dict(oil_STBd=1000.0, gor_scf_per_STB=800.0, water_cut=0.2, id_in=2.992)
    c = study.apply_parameters(oil_well_case, values)
    assert c["gas_MMscfd"] == pytest.approx(0.8)
    assert c["water_bbld"] == pytest.approx(250.0)
    assert all(s["id_in"] == 2.992 for s in c["stations"])
    assert oil_well_case["stations"][0]["id_in"] == 2.441, "the base case is not changed"
    bad_values = [({"water_cut": 1.0}, "water_cut"), ({"choke": 1.0}, "choke")]
    for bad, message in bad_values + [({"correlation": 3.7}, "correlation = 3.7")]:
        with pytest.raises(ValueError, match=message):
            study.apply_parameters(oil_well_case, bad)


def test_sweep_runs_every_combination(oil_well_case):
    grid = {"correlation": [3, "Hagedorn & Brown", 5], "oil_STBd": [800.0, 1600.0]}
    df = study.sweep(oil_well_case, grid, serial=True)
    assert len(df) == 6
    assert df["complete"].all()
    # More oil up the same tubing needs more bottom-hole pressure.
    for code in (3, 5):
        sub = df[df["correlation"] == code].sort_values("oil_STBd")
        assert sub["computed_end_pressure_psia"].is_monotonic_increasing
    # A correlation by name is the one of that code, as in case files.
    by_name = df[df["correlation"] == "Hagedorn & Brown"]["computed_end_pressure_psia"]
    assert list(by_name) == list(df[df["correlation"] == 5]["computed_end_pressure_psia"])


def test_monte_carlo_on_a_local_cluster_equals_the_serial_run(oil_well_case):
    laws = dict(oil_STBd=("uniform", 300.0, 2000.0), gor_scf_per_STB=("loguniform", 100.0, 1500.0))
    laws.update(water_cut=("uniform", 0.0, 0.6), correlation=("choice", [3, 4, 5]))
    serial = study.monte_carlo(oil_well_case, laws, n=200, seed=7, serial=True)
    cluster = study.monte_carlo(oil_well_case, laws, n=200, seed=7, workers=2)
    assert len(cluster) == 200
    assert cluster.equals(serial)


def test_a_script_without_the_main_guard_stops_with_a_message(tmp_path, oil_well_case, spawn):
    # Each Dask worker process imports the main script again: unguarded, the
    # study in it would start a cluster per worker, without end.
    (tmp_path / "case.json").write_text(json.dumps(oil_well_case))
    (tmp_path / "unguarded.py").write_text(
        "import pdrop\nfrom pdrop import study\ncase = pdrop.read_case('case.json')\n"
        "study.run_cases(case, [{'oil_STBd': 900.0}], workers=1)\n"
    )
    run = spawn([sys.executable, "unguarded.py"], stderr=subprocess.PIPE, text=True)
    _, err = run.communicate(timeout=120)  # TimeoutExpired: the study did not stop
    assert run.returncode != 0
    assert "RuntimeError: pdrop.study:" in err
    assert 'if __name__ == "__main__":' in err


def test_workers_that_do_not_start_in_time_stop_the_study(oil_well_case):
    with pytest.raises(RuntimeError, match="did not start within 0 s"):
        study.run_cases(oil_well_case, [{}], workers=1, startup_timeout=0)


def test_a_study_runs_on_a_scheduler_started_by_hand(tmp_path, oil_well_case, spawn):
    # dask-scheduler and two dask-worker processes, as the guide shows them.
    from dask.distributed import Client

    spawn("dask-scheduler --host 127.0.0.1 --port 0 --no-dashboard --scheduler-file s.json".split())
    spawn("dask-worker --scheduler-file s.json --nworkers 2 --nthreads 1 --no-dashboard".split())
    deadline = time.monotonic() + 60
    while not (tmp_path / "s.json").exists() and time.monotonic() < deadline:
        time.sleep(0.1)
    address = json.loads((tmp_path / "s.json").read_text())["address"]
    with Client(address, timeout=60) as client:
        client.wait_for_workers(2, timeout=60)
    values = [{"oil_STBd": 400.0 + 25.0 * i} for i in range(40)]
    remote = study.run_cases(oil_well_case, values, scheduler=address)
    assert remote.equals(study.run_cases(oil_well_case, values, serial=True))
