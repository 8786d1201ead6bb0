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
    args = dict(pipe_id_in=2.441, dz_ft=50.0, pressure_psia=1500.0, temperature_F=180.0,
                gas_MMscfd=0.5, oil_STBd=1000.0, water_bbld=300.0)
    t_py = per_call(lambda: engine.solve(**args), 20000)
    print(f"segment from Python (Engine.solve):      {t_py * 1e6:8.2f} us")

    # The same call in C++ through the command-line benchmark, when built.
    bench = os.path.join(ROOT, "build", "bench", "pdrop_bench")
    if os.path.exists(bench):
        out = subprocess.run([bench, "--benchmark_filter=BM_CalBlackOil/3$", "--benchmark_format=csv"],
                             capture_output=True, text=True).stdout.splitlines()
        row = [line for line in out if line.startswith('"BM_CalBlackOil')]
        if row:
            ns = float(row[0].split(",")[2])
            print(f"same segment in C++ (Cal, code 3):         {ns / 1000:8.1f} us")

    case = pdrop.read_case(os.path.join(ROOT, "examples", "oil_well.json"))
    values = [{"oil_STBd": 400.0 + 5.0 * i} for i in range(200)]
    for workers in (1, 2):
        start = time.perf_counter()
        study.run_cases(case, values, workers=workers)
        elapsed = time.perf_counter() - start
        print(f"study of 200 traverses on {workers} worker(s): {elapsed:6.2f} s "
              f"({200 / elapsed:6.1f} cases/s, cluster start-up included)")


if __name__ == "__main__":
    sys.exit(main())
