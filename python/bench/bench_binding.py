"""Overhead of the binding and study throughput (a measurement, not a test).

    PYTHONPATH=build/python /usr/bin/python3 python/bench/bench_binding.py
"""

import os
import subprocess
import sys
import time

import pdrop
from pdrop import study

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")


def per_call(fn, n, repeats=5):
    """The best of `repeats` runs of n calls, per call [s]: the least
    disturbed by the other work on the machine."""
    fn()
    best = float("inf")
    for _ in range(repeats):
        start = time.perf_counter()
        for _ in range(n):
            fn()
        best = min(best, (time.perf_counter() - start) / n)
    return best


def main():
    engine = pdrop.Engine(3)
    fluid = pdrop.BlackOilFluid(gas_gravity=0.7, oil_api=32.0)
    engine.bind(fluid)
    args = dict(
        pipe_id_in=2.441,
        dz_ft=50.0,
        pressure_psia=1500.0,
        temperature_F=180.0,
        gas_MMscfd=0.5,
        oil_STBd=1000.0,
        water_bbld=300.0,
    )
    t_py = per_call(lambda: engine.solve(**args), 20000)
    print(f"segment from Python (Engine.solve):      {t_py * 1e6:8.2f} us")

    # The same call in C++ through the command-line benchmark, when built.
    bench = os.path.join(ROOT, "build", "bench", "pdrop_bench")
    if os.path.exists(bench):
        out = subprocess.run(
            [bench, "--benchmark_filter=BM_CalBlackOil/3$", "--benchmark_format=csv"],
            capture_output=True,
            text=True,
        ).stdout.splitlines()
        row = [line for line in out if line.startswith('"BM_CalBlackOil')]
        if row:
            ns = float(row[0].split(",")[2])
            print(f"same segment in C++ (Cal, code 3):         {ns / 1000:8.1f} us")

    case = pdrop.read_case(os.path.join(ROOT, "examples", "oil_well.json"))
    n = 4000
    cases = [dict(case, oil_STBd=400.0 + 0.4 * i) for i in range(n)]
    for threads in (1, 2):
        start = time.perf_counter()
        pdrop.traverse_many(cases, threads=threads)
        elapsed = time.perf_counter() - start
        print(f"traverse_many, {n} traverses, {threads} thread(s): {n / elapsed:8.0f} cases/s")

    # A study on a two-worker LocalCluster: start-up apart from the run.
    from dask.distributed import Client, LocalCluster

    values = [{"oil_STBd": 400.0 + 0.4 * i} for i in range(n)]
    start = time.perf_counter()
    cluster = LocalCluster(
        n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None
    )
    client = Client(cluster)
    client.wait_for_workers(2)
    study.run_cases(case, values[:4], client=client)  # the workers import pdrop
    up = time.perf_counter() - start
    start = time.perf_counter()
    study.run_cases(case, values, client=client)
    elapsed = time.perf_counter() - start
    print(
        f"study of {n} traverses on 2 workers: {n / elapsed:8.0f} cases/s "
        f"(start-up {up:.2f} s apart)"
    )
    client.close()
    cluster.close()


if __name__ == "__main__":
    sys.exit(main())
