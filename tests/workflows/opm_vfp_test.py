# OPM Flow runs the VFP tables pdrop writes.
#
# Writes VFPPROD 1 of examples/oil_well.json and VFPINJ 2 of
# examples/water_injector.json with `pdrop vfp`, runs OPM Flow on a box of
# 3 x 3 x 1 cells (tests/workflows/opm_box.DATA) with a producer and a water
# injector on tubing-head pressure control through them, and checks that
#
#   - OPM reads back each table with the axes of its axes file, strictly
#     increasing, and one BHP per cell;
#   - both wells stay on THP control at every report (summary WMCTL = 6, OPM's
#     code for THP control; flow exits 0 even when it shuts a well) and flow;
#   - the WBHP OPM reports equals the table's own multilinear interpolation
#     (linear in each axis, extrapolated linearly beyond the ends) at the
#     reported rate, THP, water cut and gas-oil ratio, within 0.5 psi.
#
# Usage: opm_vfp_test.py PDROP EXAMPLES_DIR [FLOW]

import itertools
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

import numpy as np
from opm.io.ecl import ESmry
from opm.io.parser import Parser

HERE = os.path.dirname(os.path.abspath(__file__))
THP_CONTROL = 6  # WMCTL of a well on THP control
TOLERANCE_PSI = 0.5  # the summary holds 32-bit values
FLOW_TIMEOUT_S = 120

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def values(item):
    return np.array(item.get_raw_data_list(), dtype=float)


def read_table(folder, name, keyword, n_axes):
    """(header, axes [flo, thp, ...], bhp[thp, ..., flo], BHP record count) of
    the table in folder/name: a VFPPROD has five axes (flo, thp, wfr, gfr, alq),
    a VFPINJ two (flo, thp)."""
    table = Parser().parse_string(pathlib.Path(folder, name).read_text())[keyword]
    recs = [table[i] for i in range(len(table))]
    axes = [values(recs[i][0]) for i in range(1, n_axes + 1)]
    bhp = np.full([len(a) for a in axes[1:]] + [len(axes[0])], np.nan)
    for r in recs[n_axes + 1 :]:
        bhp[tuple(r[j].get_int(0) - 1 for j in range(n_axes - 1))] = values(r[n_axes - 1])
    return recs[0], axes, bhp, len(recs) - n_axes - 1


def bracket(x, axis):
    """Interval and weight of x on a sorted axis; beyond the ends, the end
    interval (linear extrapolation); a single value, weight 0."""
    if len(axis) == 1:
        return 0, 0, 0.0
    i = int(np.clip(np.searchsorted(axis, x) - 1, 0, len(axis) - 2))
    return i, i + 1, (x - axis[i]) / (axis[i + 1] - axis[i])


def interpolate(table, point, axes):
    """Multilinear interpolation of table (one dimension per axis) at point."""
    brackets = [bracket(x, ax) for x, ax in zip(point, axes)]
    total = 0.0
    for corner in itertools.product((0, 1), repeat=len(brackets)):
        weight, index = 1.0, []
        for c, (i0, i1, f) in zip(corner, brackets):
            weight *= f if c else 1.0 - f
            index.append(i1 if c else i0)
        if weight:
            total += weight * table[tuple(index)]
    return total


def main(pdrop, examples, flow="flow"):
    with tempfile.TemporaryDirectory(prefix="pdrop-opm-") as work:
        run(pdrop, examples, flow, work)
    print(f"{len(failures)} checks failed" if failures else "all checks passed")
    return 1 if failures else 0


def run(pdrop, examples, flow, work):
    axes = {}  # the axes file of each table written
    for out, name in (("vfp_prod.inc", "oil_well"), ("vfp_inj.inc", "water_injector")):
        axes[out] = os.path.join(examples, name + "_vfp.json")
        args = [pdrop, "vfp", os.path.join(examples, name + ".json"), "--axes", axes[out]]
        args += ["-o", os.path.join(work, out), "--threads", "2"]
        done = subprocess.run(args, capture_output=True, text=True)
        check(done.returncode == 0, f"pdrop vfp {name} exits 0: {done.stderr}")
    prod_axes, inj_axes = (json.loads(pathlib.Path(path).read_text()) for path in axes.values())
    head, (flo, thp, wfr, gfr, alq), prod, nrec = read_table(work, "vfp_prod.inc", "VFPPROD", 5)
    ihead, (iflo, ithp), inj, inrec = read_table(work, "vfp_inj.inc", "VFPINJ", 2)

    # The tables as OPM's parser reads them.
    kind = (head[0].get_int(0), head[7].get_str(0), head[2].get_str(0))
    check(kind == (1, "FIELD", "LIQ"), f"VFPPROD 1 is a FIELD LIQ table: {kind}")
    names = ["flo_values", "thp_psia", "wfr_values", "gfr_values"]
    read = [("VFPPROD", n, got, prod_axes[n]) for n, got in zip(names, (flo, thp, wfr, gfr))]
    read += [("VFPINJ", n, got, inj_axes[n]) for n, got in zip(names, (iflo, ithp))]
    for table, name, got, given in read:
        check(np.array_equal(got, given), f"{table} {name} read back as given: {got}")
        check(np.all(np.diff(got) > 0), f"{table} {name} increase strictly")
    check(nrec == len(thp) * len(wfr) * len(gfr), f"one VFPPROD record per curve ({nrec})")
    check(not np.isnan(prod).any(), "every VFPPROD cell has a BHP")
    check(np.all(np.diff(prod, axis=0) > 0), "VFPPROD BHP increases with THP in every column")
    check(ihead[0].get_int(0) == 2 and ihead[2].get_str(0) == "WAT", "VFPINJ 2 is a WAT table")
    check(inrec == len(ithp) and not np.isnan(inj).any(), "one VFPINJ record per THP")

    shutil.copy(os.path.join(HERE, "opm_box.DATA"), os.path.join(work, "BOX.DATA"))
    # The Debian OPM 2022.10 shuts an injector on THP control unless its
    # operability check is off.
    options = "--output-dir=out --threads-per-process=1 --enable-well-operability-check=false"
    command = [flow, "BOX.DATA", *options.split()]
    done = subprocess.run(command, cwd=work, capture_output=True, text=True, timeout=FLOW_TIMEOUT_S)
    check(done.returncode == 0, f"flow exits 0: {done.stdout[-2000:]}{done.stderr[-2000:]}")
    if done.returncode != 0:
        return
    s = ESmry(os.path.join(work, "out", "BOX.SMSPEC"))

    rates = ("WOPR:PROD", "WWPR:PROD", "WGPR:PROD", "WWIR:INJ")
    oil, water, gas, inj_rate = (np.asarray(s[k], float) for k in rates)
    check(np.all(oil > 0), f"the producer flows: WOPR {oil}")
    check(np.all(inj_rate > 0), f"the injector takes water: WWIR {inj_rate}")
    liquid = oil + water
    at = (water / liquid, gas / oil, 0 * oil, liquid)  # the producer's point after its THP
    # fmt: off
    wells = [  # (well, table, its axes, names of the axes, the reported point after the THP)
        ("PROD", prod, (thp, wfr, gfr, alq, flo), "THP WCT GOR ALQ LIQ", at),
        ("INJ", inj, (ithp, iflo), "THP WAT", (inj_rate,)),
    ]
    # fmt: on
    for well, table, axes, names, rest in wells:
        control = s[f"WMCTL:{well}"]
        check(np.all(control == THP_CONTROL), f"{well} stays on THP control: WMCTL {control}")
        points = np.column_stack([np.asarray(s[f"WTHP:{well}"], float), *rest])
        for day, point, got in zip(s["TIME"], points, np.asarray(s[f"WBHP:{well}"], float)):
            expected = interpolate(table, point, axes)
            check(
                abs(got - expected) <= TOLERANCE_PSI,
                f"{well} day {day:g}: WBHP {got:.3f} psia, table {expected:.3f} psia at "
                + ", ".join(f"{n} {x:.5g}" for n, x in zip(names.split(), point)),
            )


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
