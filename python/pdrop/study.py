"""Studies over many cases: sweeps and Monte Carlo, locally or on a Dask
distributed cluster. Each task builds its own engines and fluid objects, so
tasks share nothing.

Parameters a study can vary (case-file fields, plus derived ones):
gas_MMscfd [MMscf/d], oil_STBd [STB/d], water_bbld [bbl/d],
known_pressure_psia [psia], correlation [code or name, as in case files],
gor_scf_per_STB [scf/STB] (sets the gas rate from the oil rate), water_cut [-]
(fraction of the liquid; sets the water rate from the oil rate), id_in [in]
(every station).

A script that runs a study on a LocalCluster must keep the study under
``if __name__ == "__main__":``. Dask starts each worker as a new Python
process that imports the main script again; without the guard every worker
would start a study of its own. Such a study stops with a RuntimeError that
says so, as does one whose workers do not start within startup_timeout::

    import pdrop
    from pdrop import study

    if __name__ == "__main__":
        case = pdrop.read_case("well.json")
        print(study.sweep(case, {"oil_STBd": [500, 1000, 2000]}, workers=2))
"""

import asyncio
import itertools
import os
import sys
import tempfile
import time
import types
from typing import Any, Dict, Sequence
from typing import Optional

import numpy as np
import pandas as pd

from . import _pdrop
from ._types import Case
from .catalogue import correlation_code
from .traverse import _case_text, read_case

# How long the worker processes of a LocalCluster may take to start [s].
STARTUP_TIMEOUT_S = 60.0

PARAMETERS = (
    "gas_MMscfd",
    "oil_STBd",
    "water_bbld",
    "known_pressure_psia",
    "correlation",
    "gor_scf_per_STB",
    "water_cut",
    "id_in",
)


def apply_parameters(base_case: Dict[str, Any], values: Dict[str, Any]) -> Dict[str, Any]:
    """A copy of base_case with the parameter values applied (rates first,
    then the gas-oil ratio and the water cut, which derive from the oil rate)."""
    for name in values:
        if name not in PARAMETERS:
            raise ValueError(f"parameter {name!r} is not one of {PARAMETERS}")
    # A shallow copy: only the top-level values and the stations' diameters
    # change, and the stations are copied where they do.
    case = dict(base_case)
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
        case["stations"] = [
            dict(station, id_in=float(values["id_in"])) for station in case["stations"]
        ]
    return case


# A task runs a chunk of cases; chunks are sized so that a task takes about
# 0.1-1 s (a traverse of a typical well takes about a millisecond), with at
# least a few chunks per worker to share the load.
_CHUNK_MOST = 500
_CHUNKS_PER_WORKER = 4

_NO_RESULT = {
    "complete": False,
    "computed_end_pressure_psia": np.nan,
    "total_friction_dp_psi": np.nan,
    "total_elevation_dp_psi": np.nan,
    "loading_md_ft": np.nan,
}


def run_chunk(chunk):
    """Runs a (base case, list of value dicts) chunk with traverse_many on one
    thread and returns one result row per value dict; module-level so that
    workers can import it. The cases are made here, one chunk at a time, so
    that a large study never holds all its cases at once."""
    base_case, value_sets = chunk
    rows = [dict(values) for values in value_sets]
    texts, where = [], []
    for i, values in enumerate(value_sets):
        try:
            texts.append(_case_text(apply_parameters(base_case, values), {})[1])
            where.append(i)
        except ValueError as e:
            rows[i].update(_NO_RESULT, error=str(e))
    summaries, _ = _pdrop.traverse_many_json(texts, 1, False)
    for i, s in zip(where, summaries):
        if s["error"]:
            rows[i].update(_NO_RESULT, error=s["error"])
            continue
        rows[i].update(
            {
                "complete": s["complete"],
                "computed_end_pressure_psia": s["computed_end_pressure_psia"],
                "total_friction_dp_psi": s["total_friction_dp_psi"],
                "total_elevation_dp_psi": s["total_elevation_dp_psi"],
                "loading_md_ft": s["loading_md_ft"] if s["loading_md_ft"] is not None else np.nan,
                "error": s["reason"],
            }
        )
    return rows


def _chunks(base_case, value_sets, workers):
    n = len(value_sets)
    size = max(1, min(_CHUNK_MOST, -(-n // (workers * _CHUNKS_PER_WORKER))))
    return [(base_case, value_sets[i : i + size]) for i in range(0, n, size)]


# While a study starts its LocalCluster, the file in which a worker process
# that refuses to start leaves its reason (the worker processes inherit the
# environment), so that the study fails at once instead of waiting for them.
_REFUSAL_FILE_ENV = "PDROP_STUDY_REFUSAL_FILE"
_GUARD_MESSAGE = (
    "pdrop.study: a study cannot start a Dask cluster while a worker process "
    "imports the main script; put the study under "
    "'if __name__ == \"__main__\":' in the script"
)


def _in_main_of_spawned_process():
    """True when called from the top level of the main script as a process
    started by multiprocessing re-imports it (under the name __mp_main__), as
    every Dask worker process does with a script that lacks the
    ``if __name__ == "__main__":`` guard."""
    frame: Optional[types.FrameType] = sys._getframe(1)
    while frame is not None:
        if frame.f_code.co_name == "<module>" and frame.f_globals.get("__name__") == "__mp_main__":
            return True
        frame = frame.f_back
    return False


def _close_quietly(client, cluster):
    """Closes a cluster whose workers did not start, on the way out with an
    error of our own that a failing close must not hide."""
    # A nanny whose worker process dies at start-up restarts it without end,
    # and the cluster cannot close while its start-up waits for that nanny:
    # close the nannies first (the cluster keeps them in `_created`; without
    # it the close below is still bounded by its timeout).
    for nanny in list(getattr(cluster, "_created", ())):
        try:
            cluster.sync(nanny.close, timeout=2)
        except Exception:  # noqa: BLE001
            pass
    for thing in (client, cluster):
        try:
            thing.close(timeout=10)
        except Exception:  # noqa: BLE001
            pass


def _local_cluster(workers, startup_timeout):
    """A LocalCluster of single-threaded worker processes and its client,
    once every worker runs; RuntimeError when a worker refuses to start or
    they do not all run within startup_timeout [s]."""
    from dask.distributed import Client, LocalCluster

    if _in_main_of_spawned_process():
        path = os.environ.get(_REFUSAL_FILE_ENV)
        if path:
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(_GUARD_MESSAGE)
            except OSError:
                pass
        raise RuntimeError(_GUARD_MESSAGE)
    n = workers or os.cpu_count() or 1
    with tempfile.TemporaryDirectory(prefix="pdrop-study-") as folder:
        refusal = os.path.join(folder, "refused")
        previous = os.environ.get(_REFUSAL_FILE_ENV)
        os.environ[_REFUSAL_FILE_ENV] = refusal
        try:
            cluster = LocalCluster(
                n_workers=0, threads_per_worker=1, processes=True, dashboard_address=None
            )
            client = Client(cluster)
            cluster.scale(n)
            deadline = time.monotonic() + startup_timeout
            while True:
                # In short waits, to see a worker's refusal soon.
                wait = min(0.25, max(deadline - time.monotonic(), 0.001))
                try:
                    client.wait_for_workers(n, timeout=wait)
                    return cluster, client
                except (TimeoutError, asyncio.TimeoutError):
                    pass
                if os.path.exists(refusal):
                    _close_quietly(client, cluster)
                    raise RuntimeError(_GUARD_MESSAGE)
                if time.monotonic() > deadline:
                    _close_quietly(client, cluster)
                    raise RuntimeError(
                        f"pdrop.study: the {n} Dask worker process(es) did not start within "
                        f"{startup_timeout} s (their own errors are in the output above)"
                    )
        finally:
            if previous is None:
                os.environ.pop(_REFUSAL_FILE_ENV, None)
            else:
                os.environ[_REFUSAL_FILE_ENV] = previous


def _progress(futures):
    """Dask's progress bar, when a person is watching (a terminal or a
    notebook); nothing otherwise."""
    if not (sys.stderr.isatty() or "ipykernel" in sys.modules):
        return
    try:
        from dask.distributed import progress

        progress(futures)
    except (ImportError, ValueError):
        pass


def _run(
    base_case,
    value_sets,
    client=None,
    scheduler=None,
    workers=None,
    serial=False,
    startup_timeout=STARTUP_TIMEOUT_S,
):
    if serial:
        return [row for chunk in _chunks(base_case, value_sets, 1) for row in run_chunk(chunk)]
    from dask.distributed import Client

    own_client = None
    own_cluster = None
    try:
        if client is None:
            if scheduler is not None:
                client = own_client = Client(scheduler)
            else:
                own_cluster, client = _local_cluster(workers, startup_timeout)
                own_client = client
        workers_now = max(1, len(client.scheduler_info().get("workers", {})))
        futures = client.map(run_chunk, _chunks(base_case, value_sets, workers_now), pure=False)
        _progress(futures)
        return [row for chunk in client.gather(futures) for row in chunk]
    finally:
        if own_client is not None:
            own_client.close()
        if own_cluster is not None:
            own_cluster.close()


def run_cases(
    base_case: Case, value_sets: Sequence[Dict[str, Any]], **runner: Any
) -> "pd.DataFrame":
    """Runs base_case once per dict of parameter values.

    Args:
        base_case: case dict or case-file path.
        value_sets: list of {parameter: value} dicts.
        client: a dask.distributed Client to use; scheduler: the address of a
            scheduler to connect to; workers: size of the LocalCluster started
            when neither is given (default: all cores); startup_timeout: how
            long its workers may take to start [s] (default 60); serial: run
            here, in this process, without Dask.

    Returns:
        DataFrame, one row per value set: the values, complete,
        computed_end_pressure_psia [psia], total_friction_dp_psi,
        total_elevation_dp_psi [psi], loading_md_ft [ft], error.
    """
    if isinstance(base_case, (str, os.PathLike)):
        base_case = read_case(base_case)
    value_sets = [dict(v) for v in value_sets]
    for v in value_sets:
        apply_parameters(base_case, v)  # a bad parameter is refused before anything runs
    return pd.DataFrame(_run(base_case, value_sets, **runner))


def sweep(base_case: Case, parameters: Dict[str, Sequence[Any]], **runner: Any) -> "pd.DataFrame":
    """Every combination of the given parameter values.

    Args:
        base_case: case dict or path.
        parameters: {parameter: list of values}, see the module docstring.
        **runner: client, scheduler, workers, startup_timeout, serial (see
            run_cases).
    """
    names = list(parameters)
    value_sets = [dict(zip(names, combo)) for combo in itertools.product(*parameters.values())]
    return run_cases(base_case, value_sets, **runner)


def monte_carlo(
    base_case: Case, distributions: Dict[str, tuple], n: int, seed: int = 0, **runner: Any
) -> "pd.DataFrame":
    """n cases with parameters drawn at random.

    Args:
        distributions: {parameter: ("uniform", low, high) | ("loguniform", low,
            high) | ("normal", mean, sd) | ("choice", [values])}.
        n: number of cases; seed: of the random generator (same seed, same cases).
        **runner: client, scheduler, workers, startup_timeout, serial (see
            run_cases).
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
            raise ValueError(
                f"distribution of {name!r}: {kind!r} is not one of "
                "uniform, loguniform, normal, choice"
            )
    value_sets = [{k: v[i].item() for k, v in columns.items()} for i in range(n)]
    return run_cases(base_case, value_sets, **runner)
