"""pdrop.gradient against fluids.two_phase.Beggs_Brill in the same run (a
measurement, not a test), at the conditions of Brill & Mukherjee's Example
4.7: vsl 3.97 and vsg 3.86 ft/s up a 6 in vertical pipe, liquid 47.61 and gas
5.88 lbm/ft3, 0.97 and 0.016 cP, 8.41 dyn/cm, roughness 0.00072 in, 1700 psia,
180 degF. Each figure runs from the Python call to the returned result.

    PYTHONPATH=build/python /usr/bin/python3 python/bench/bench_gradient.py
"""

import math
import time

import numpy as np

import pdrop

STATE = dict(
    vsg_ftps=3.86,
    vsl_ftps=3.97,
    liquid_density_lbmft3=47.61,
    gas_density_lbmft3=5.88,
    liquid_viscosity_cP=0.97,
    gas_viscosity_cP=0.016,
    tension_dyncm=8.41,
    pipe_id_in=6.0,
    angle_deg=90.0,
    pressure_psia=1700.0,
    temperature_F=180.0,
    roughness_in=0.00072,
)
FT, LBM_FT3, PSI = 0.3048, 16.01846337, 6894.757293


def best(fn, repeats=5):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        fn()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    n = 100_000
    points = dict(STATE, vsg_ftps=np.full(n, STATE["vsg_ftps"]))
    for threads in (1, 2):
        t = best(lambda: pdrop.gradient(3, threads=threads, **points))
        print(f"pdrop.gradient(3), {n} points, {threads} thread(s): {t / n * 1e9:8.1f} ns/point")
    one = pdrop.gradient(3, **STATE).iloc[0]
    print(
        f"  pdrop, modified Beggs & Brill: {one['total_psi_per_ft']:.5f} psi/ft "
        f"(holdup {one['holdup']:.4f}, {one['regime']})"
    )
    try:
        from fluids.two_phase import Beggs_Brill
    except ImportError:
        print("fluids is not installed (Debian package python3-fluids): no comparison")
        return
    d = STATE["pipe_id_in"] * 0.0254
    area = math.pi * d * d / 4
    rhol, rhog = STATE["liquid_density_lbmft3"] * LBM_FT3, STATE["gas_density_lbmft3"] * LBM_FT3
    ml, mg = rhol * STATE["vsl_ftps"] * FT * area, rhog * STATE["vsg_ftps"] * FT * area
    args = dict(
        m=ml + mg,
        x=mg / (ml + mg),
        rhol=rhol,
        rhog=rhog,
        mul=STATE["liquid_viscosity_cP"] * 1e-3,
        mug=STATE["gas_viscosity_cP"] * 1e-3,
        sigma=STATE["tension_dyncm"] * 1e-3,
        P=STATE["pressure_psia"] * PSI,
        D=d,
        angle=STATE["angle_deg"],
        roughness=STATE["roughness_in"] * 0.0254,
        acceleration=False,
    )
    calls = 20_000
    t = best(lambda: [Beggs_Brill(**args) for _ in range(calls)])
    print(f"fluids.two_phase.Beggs_Brill, one call at a time:  {t / calls * 1e9:8.1f} ns/point")
    print(f"  fluids, Beggs & Brill: {Beggs_Brill(**args) / PSI * FT:.5f} psi/ft")


if __name__ == "__main__":
    main()
