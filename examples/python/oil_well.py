"""The oil-well example from Python: run it, plot it, compare correlations.

    PYTHONPATH=build/python /usr/bin/python3 examples/python/oil_well.py [OUTPUT_DIR]
"""

import os
import sys

import pdrop
from pdrop import plots

here = os.path.dirname(os.path.abspath(__file__))
out_dir = sys.argv[1] if len(sys.argv) > 1 else "."
case = pdrop.read_case(os.path.join(here, "..", "oil_well.json"))

# %% One traverse with the case's own correlation.
result = pdrop.traverse(case)
print(
    result.rows[["md_ft", "pressure_psia", "temperature_F", "holdup", "regime"]].to_string(
        index=False
    )
)
print(f"\nbottom-hole pressure: {result.summary['computed_end_pressure_psia']:.1f} psia")
_, files = plots.plot_traverse(result, os.path.join(out_dir, "oil_well"))
print("plots:", ", ".join(files))

# %% The same well with every correlation that suits a multiphase well.
table = pdrop.correlations()
wells = table[table["multiphase1"]]
print("\ncorrelation                bottom-hole [psia]   friction [psi]")
for code, name in zip(wells["code"], wells["name"]):
    r = pdrop.traverse(case, correlation=int(code))
    s = r.summary
    print(f"{name:26s} {s['computed_end_pressure_psia']:18.1f} {s['total_friction_dp_psi']:16.1f}")
