"""Studies over many cases: sweeps and Monte Carlo, locally or on a Dask
distributed cluster. Each task builds its own engines and fluid objects, so
tasks share nothing.

Parameters a study can vary (case-file fields, plus derived ones):
gas_MMscfd [MMscf/d], oil_STBd [STB/d], water_bbld [bbl/d],
known_pressure_psia [psia], correlation [code or name, as in case files],
gor_scf_per_STB [scf/STB] (sets the gas rate from the oil rate), water_cut [-]
(fraction of the liquid; sets the water rate from the oil rate), id_in [in]
(every station).
"""

import copy
import itertools
import os

import numpy as np
import pandas as pd

from .catalogue import correlation_code
from .traverse import read_case, traverse

PARAMETERS = ("gas_MMscfd", "oil_STBd", "water_bbld", "known_pressure_psia", "correlation",
              "gor_scf_per_STB", "water_cut", "id_in")


def apply_parameters(base_case, values):
    """A copy of base_case with the parameter values applied (rates first,
    then the gas-oil ratio and the water cut, which derive from the oil rate)."""
    for name in values:
        if name not in PARAMETERS:
            raise ValueError(f"parameter {name!r} is not one of {PARAMETERS}")
    case = copy.deepcopy(base_case)
    for name in ("gas_MMscfd", "oil_STBd", "water_bbld", "known_pressure_psia"):
        if name in values:
            case[name] = float(values[name])
    if "correlation" in values:
        # Names as in case files; a code must be whole (3.7 is refused, not cut to 3).
        case["correlation"] = correlation_code(values["correlation"])
    if "gor_scf_per_STB" in values:
        case["gas_MMscfd"] = float(values["gor_scf_per_STB"]) * case["oil_STBd"] / 1e6
    if "water_cut" in values:
        wc = float(values["water_cut"])
        if not 0.0 <= wc < 1.0:
            raise ValueError(f"water_cut = {wc} must be at least 0 and below 1")
        case["water_bbld"] = case["oil_STBd"] * wc / (1.0 - wc)
    if "id_in" in values:
        for station in case["stations"]:
            station["id_in"] = float(values["id_in"])
    return case


def run_one(task):
    """Runs one (values, case) task; module-level so that workers can import it."""
    values, case = task
    row = dict(values)
    try:
        s = traverse(case).summary
        row.update({
            "complete": s["complete"],
            "computed_end_pressure_psia": s["computed_end_pressure_psia"],
            "total_friction_dp_psi": s["total_friction_dp_psi"],
            "total_elevation_dp_psi": s["total_elevation_dp_psi"],
            "loading_md_ft": s["loading_md_ft"] if s["loading_md_ft"] is not None else np.nan,
            "error": s["reason"],
        })
    except ValueError as e:
        row.update({"complete": False, "computed_end_pressure_psia": np.nan,
                    "total_friction_dp_psi": np.nan, "total_elevation_dp_psi": np.nan,
                    "loading_md_ft": np.nan, "error": str(e)})
    return row


def _run(tasks, client=None, scheduler=None, workers=None, serial=False):
    if serial:
        return [run_one(t) for t in tasks]
    from dask.distributed import Client, LocalCluster

    own_client = None
    own_cluster = None
    try:
        if client is None:
            if scheduler is not None:
                client = own_client = Client(scheduler)
            else:
                n = workers or os.cpu_count() or 1
                own_cluster = LocalCluster(n_workers=n, threads_per_worker=1, processes=True,
                                           dashboard_address=None)
                client = own_client = Client(own_cluster)
        futures = client.map(run_one, tasks, pure=False)
        return client.gather(futures)
    finally:
        if own_client is not None:
            own_client.close()
        if own_cluster is not None:
            own_cluster.close()


def run_cases(base_case, value_sets, **runner):
    """Runs base_case once per dict of parameter values.

    Args:
        base_case: case dict or case-file path.
        value_sets: list of {parameter: value} dicts.
        client: a dask.distributed Client to use; scheduler: the address of a
            scheduler to connect to; workers: size of the LocalCluster started
            when neither is given (default: all cores); serial: run here, in
            this process, without Dask.

    Returns:
        DataFrame, one row per value set: the values, complete,
        computed_end_pressure_psia [psia], total_friction_dp_psi,
        total_elevation_dp_psi [psi], loading_md_ft [ft], error.
    """
    if isinstance(base_case, (str, os.PathLike)):
        base_case = read_case(base_case)
    tasks = [(dict(v), apply_parameters(base_case, v)) for v in value_sets]
    return pd.DataFrame(_run(tasks, **runner))


def sweep(base_case, parameters, **runner):
    """Every combination of the given parameter values.

    Args:
        base_case: case dict or path.
        parameters: {parameter: list of values}, see the module docstring.
        **runner: client, scheduler, workers, serial (see run_cases).
    """
    names = list(parameters)
    value_sets = [dict(zip(names, combo)) for combo in itertools.product(*parameters.values())]
    return run_cases(base_case, value_sets, **runner)


def monte_carlo(base_case, distributions, n, seed=0, **runner):
    """n cases with parameters drawn at random.

    Args:
        distributions: {parameter: ("uniform", low, high) | ("loguniform", low,
            high) | ("normal", mean, sd) | ("choice", [values])}.
        n: number of cases; seed: of the random generator (same seed, same cases).
        **runner: client, scheduler, workers, serial (see run_cases).
    """
    if n < 1:
        raise ValueError(f"n = {n} must be at least 1")
    rng = np.random.default_rng(seed)
    columns = {}
    for name, dist in distributions.items():
        kind = dist[0]
        if kind == "uniform":
            columns[name] = rng.uniform(dist[1], dist[2], n)
        elif kind == "loguniform":
            columns[name] = np.exp(rng.uniform(np.log(dist[1]), np.log(dist[2]), n))
        elif kind == "normal":
            columns[name] = rng.normal(dist[1], dist[2], n)
        elif kind == "choice":
            columns[name] = rng.choice(np.asarray(dist[1]), n)
        else:
            raise ValueError(f"distribution of {name!r}: {kind!r} is not one of "
                             "uniform, loguniform, normal, choice")
    value_sets = [{k: v[i].item() for k, v in columns.items()} for i in range(n)]
    return run_cases(base_case, value_sets, **runner)
