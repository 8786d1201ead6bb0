# The Python API: catalogue, engines, fluids written in Python, traverses,
# not-set values and error messages.

import concurrent.futures
import json
import math
import re
import threading

import numpy as np
import pandas as pd
import pytest

import pdrop
from pdrop import study

SEGMENT = dict(dz_ft=1000.0, pressure_psia=1500.0, temperature_F=150.0)
SEGMENT.update(gas_MMscfd=0.5, oil_STBd=1000.0, water_bbld=200.0)
# Short names of Engine.solve's arguments, to keep the tables of segments below one row a line.
SHORT = dict(id="pipe_id_in", dx="dx_ft", dz="dz_ft", p="pressure_psia", T="temperature_F")
SHORT.update(qg="gas_MMscfd", qo="oil_STBd", qw="water_bbld", sign="flow_sign")


def solve(code, **short):
    return pdrop.solve_segment(code, **{SHORT.get(k, k): v for k, v in short.items()})


def test_catalogue_lists_every_correlation():
    native = pdrop._pdrop.CPressDrop
    native.SetMechModel(0)
    df = pdrop.correlations().set_index("code")
    # Listing the correlations leaves the engine's process-wide lists alone.
    assert 9 not in native.Enumerate("all")[1]
    assert sorted(df.index) == list(range(10))
    assert df.loc[5, "name"] == "Hagedorn & Brown" and df.loc[5, "help"] == "Predominantly Oil"
    assert df.loc[6, "default_efficiency"] == pytest.approx(1.15)
    assert not df.loc[9, "gas"]
    assert pdrop.flow_regimes()[13] == "Froth"
    # Names in any letter case, as in case files.
    names = {"Modified Beggs & Brill": 3, "Fanning Liquid": 0, "hagedorn & BROWN": 5}
    names["Petalas & Aziz"] = 9
    assert {name: pdrop.correlation_code(name) for name in names} == names
    for bad in ("Moody", 12, 2.5, True):
        with pytest.raises(ValueError, match="correlation"):
            pdrop.correlation_code(bad)


def test_segment_result_and_record():
    r = pdrop.solve_segment("Hagedorn & Brown", pipe_id_in=2.441, **SEGMENT)
    assert r.outlet_pressure_psia == pytest.approx(1500.0 + r.total_dp_psi)
    assert r.total_dp_psi == pytest.approx(r.friction_dp_psi + r.elevation_dp_psi)
    assert 0.0 < r.holdup <= 1.0
    assert r.record["p1_psia"] == 1500.0
    assert set(r.as_dict()) >= {"outlet_pressure_psia", "regime", "record"}
    # Reversing the flow sign reverses only the friction change.
    back, fwd = (
        pdrop.solve_segment(5, pipe_id_in=2.441, **SEGMENT, flow_sign=sign, subdivide=False)
        for sign in (-1, 1)
    )
    assert back.friction_dp_psi < 0.0 < fwd.friction_dp_psi


# fmt: off
NO_RESULT = [  # (code, segment, the reason given)
    (0, dict(id=1.0, dx=5000.0, p=100.0, T=80.0, qw=3000.0, sign=-1), "falls below 5"),
    # A pressure the correlation returns but no pipe could hold is no answer.
    (3, dict(id=2.441, dz=1000.0, p=300.0, T=100.0, qg=1e4, qo=800.0), "rises above 30000"),
]
# fmt: on


def test_values_not_computed_are_nan_never_the_marker():
    # Gas alone: the oil and water fields of the record were never computed.
    r = solve(0, id=4.0, dx=1000.0, p=800.0, T=80.0, qg=3.0, sign=-1)
    assert np.isnan([r.record["oil_density_lbmft3"], r.record["water_viscosity_cP"]]).all()
    assert not any(v == -32600.0 for v in r.record.values())
    # A segment that cannot be solved: NaN outlet and changes, and the reason.
    for code, segment, reason in NO_RESULT:
        r = solve(code, **segment)
        assert r.no_result == f"the pressure {reason} psia"
        assert np.isnan([r.outlet_pressure_psia, r.friction_dp_psi, r.total_dp_psi]).all()


# fmt: off
NOTES = [  # (code, segment, words of each note)
    (3, dict(id=7.981, dx=2000.0, p=700.0, T=65.0, qg=30.0, qo=300.0, sign=-1),
     ["Standing's bubble-point correlation was fitted on", "Lee, Gonzalez & Eakin's gas"]),
    (3, dict(id=2.441, dz=1000.0, p=1500.0, T=150.0, qg=0.5, qo=1000.0), []),
    (1, dict(id=7.981, dx=2000.0, p=700.0, T=150.0, qo=3000.0, sign=-1),
     ["Panhandle on a liquid stream: Fanning liquid flow was used"]),
]
# fmt: on


@pytest.mark.parametrize("code, segment, words", NOTES)
def test_segment_notes_name_the_fitted_ranges_left_and_the_calculation_used(code, segment, words):
    notes = solve(code, **segment).notes
    assert len(notes) == len(words) and all(w in n for w, n in zip(words, notes)), notes


# fmt: off
BAD_ARGUMENTS = [
    ("pipe_id_in", -2.0), ("pressure_psia", 3.0), ("temperature_F", float("nan")),
    ("gas_MMscfd", float("inf")), ("roughness_in", -0.1), ("direction", 0),
    ("static_phase", "mud"), ("pieces", 0), ("pieces", 2.5),
    # The limits every pdrop tool shares (the command and case files refuse these too).
    ("pressure_psia", 40000.0), ("temperature_F", 900.0), ("pipe_id_in", 1e-6), ("dz_ft", 1e9),
]
# fmt: on


@pytest.mark.parametrize("argument, value", BAD_ARGUMENTS)
def test_invalid_arguments_raise_value_error_naming_them(argument, value):
    args = dict(pipe_id_in=2.441, dz_ft=100.0, pressure_psia=500.0, temperature_F=100.0)
    with pytest.raises(ValueError, match=argument):
        pdrop.solve_segment(3, **dict(args, **{argument: value}))


@pytest.mark.parametrize(
    "per_thread",
    [
        [dict(pipe_id_in=d) for d in (1.995, 2.441, 2.992, 3.5)],
        [dict(pipe_id_in=2.441, fluid=pdrop.BlackOilFluid(oil_api=a)) for a in (22, 30, 38, 46)],
    ],
    ids=["diameters", "fluids"],
)
def test_an_engine_shared_by_threads_gives_the_serial_results(per_thread):
    engine = pdrop.Engine(3)

    def values(request):
        r = engine.solve(**SEGMENT, **request)
        return [r.outlet_pressure_psia, r.regime_code, r.pieces, *r.record.values()]

    serial = [values(request) for request in per_thread]
    start = threading.Barrier(len(per_thread))

    def run(request):
        start.wait()
        return [values(request) for _ in range(300)]

    with concurrent.futures.ThreadPoolExecutor(len(per_thread)) as pool:
        shared = list(pool.map(run, per_thread))
    # Bit for bit, NaN (not computed) included.
    np.testing.assert_array_equal(np.array(shared), np.array([[s] * 300 for s in serial]))


# fmt: off
BAD_FLUIDS = [
    (dict(oil_api=100.0), "oil_api = 100"),
    (dict(z_correlation="ideal"), "z_correlation"),
    (dict(separator_pressure_psia=100.0), "separator_temperature_F is missing"),
    (dict(water_salinity_wt_pct=3.0, water_gravity=1.05), "water_salinity_wt_pct and water_gravity"),
]
# fmt: on


@pytest.mark.parametrize("fields, message", BAD_FLUIDS)
def test_fluid_validation_names_the_python_field(fields, message):
    with pytest.raises(ValueError, match=message) as error:
        pdrop.BlackOilFluid(**fields).phases()
    assert "32600" not in str(error.value)


class Delegate(pdrop.Phase):
    """A phase written in Python that answers with another phase object's
    values: the engine must see exactly the same fluid."""

    def __init__(self, inner):
        super().__init__()
        self.inner = inner


for _name in (
    "FormationVolumeFactor SolutionGasRatio BubblePointPressure ZFactor SpecificGravity "
    "OilGravity Density SurfaceTension LiquidYield Viscosity BubblePointParameter"
).split():
    setattr(Delegate, _name, lambda self, *args, _name=_name: getattr(self.inner, _name)(*args))


def test_python_fluid_gives_the_same_result_as_the_same_properties_in_cpp():
    fluid = pdrop.BlackOilFluid(gas_gravity=0.7, oil_api=32.0, water_salinity_wt_pct=3.0)
    args = dict(SEGMENT, pipe_id_in=2.441)
    native = pdrop.solve_segment(3, fluid=fluid, **args)
    ph = fluid.phases()
    python = pdrop.solve_segment(3, fluid=tuple(map(Delegate, (ph.gas, ph.oil, ph.water))), **args)
    assert python.outlet_pressure_psia == native.outlet_pressure_psia
    assert python.holdup == native.holdup
    # The engine filled in the bubble point during the call and put it back.
    assert ph.oil.BubblePointParameter().value == -32600.0


def test_traverse_as_a_dataframe(oil_well_case):
    t = pdrop.traverse(oil_well_case)
    assert t.complete
    assert len(t.rows) == 41
    assert list(t.rows.columns[:4]) == ["md_ft", "tvd_ft", "pressure_psia", "temperature_F"]
    assert np.all(np.diff(t.rows["pressure_psia"]) > 0.0)
    assert t.summary["computed_end_pressure_psia"] == pytest.approx(t.rows.pressure_psia.iloc[-1])
    assert not (t.rows.select_dtypes("number") == -32600.0).any().any()
    # Overrides, and a case that stops early keeps its rows and says why.
    low = pdrop.traverse(oil_well_case, known_end="bottom", known_pressure_psia=1500.0)
    assert not low.complete
    assert low.summary["reason"] == "the pressure falls below 5 psia"
    assert math.isnan(low.summary["computed_end_pressure_psia"])
    assert len(low.rows) > 0


def test_traverse_rejects_a_bad_case_naming_the_field(oil_well_case):
    oil_well_case["stations"][1]["md_ft"] = -5.0
    with pytest.raises(ValueError, match=r"stations\[1\]\.md_ft"):
        pdrop.traverse(oil_well_case)
    with pytest.raises(ValueError, match="unknown field 'colour'"):
        pdrop.traverse({**oil_well_case, "colour": "red"})


def numpy_typed(value):
    """The same value with every number a NumPy scalar."""
    if isinstance(value, dict):
        return {k: numpy_typed(v) for k, v in value.items()}
    if isinstance(value, list):
        return [numpy_typed(v) for v in value]
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        return value
    return np.int64(value) if isinstance(value, int) else np.float64(value)


@pytest.mark.parametrize("entry", ["engine", "traverse", "flow_map", "study"])
def test_numpy_numbers_work_as_plain_numbers(entry, oil_well_case):
    def run(case, o):
        if entry == "engine":
            args = dict(SEGMENT, pipe_id_in=2.441, oil_STBd=o["oil_STBd"], pieces=o["pieces"])
            r = pdrop.Engine(o["correlation"]).solve(**args)
            return [r.outlet_pressure_psia, r.pieces]
        o = {k: v for k, v in o.items() if k != "pieces"}
        if entry == "traverse":
            return pdrop.traverse(case, **o).rows.select_dtypes("number").to_numpy()
        if entry == "flow_map":
            m = pdrop.flow_map(case, **o)
            return np.concatenate([m.operating_point, *(p["holdup"] for p in m.patterns.values())])
        df = study.sweep(case, {k: [v] for k, v in o.items()}, serial=True)
        return df.drop(columns="error").to_numpy(dtype=float)

    o = {"correlation": 5, "oil_STBd": 900.0, "pieces": 2}
    np.testing.assert_array_equal(
        run(numpy_typed(oil_well_case), numpy_typed(o)), run(oil_well_case, o)
    )


@pytest.mark.parametrize(
    "entry, field, value",
    [
        ("traverse", ("oil_STBd",), math.nan),
        ("traverse", ("stations", 1, "id_in"), math.inf),
        ("flow_map", ("temperature", "last_F"), np.float64("nan")),
    ],
)
def test_numbers_that_are_not_finite_are_refused_by_field(entry, field, value, oil_well_case):
    # A top-level field is given as an override, a nested one in the case.
    overrides = {field[0]: value} if len(field) == 1 else {}
    target = oil_well_case
    for key in field[:-1]:
        target = target[key]
    if not overrides:
        target[field[-1]] = value
    name = "".join(f"[{k}]" if isinstance(k, int) else f".{k}" for k in field)
    with pytest.raises(ValueError, match=f"^case{re.escape(name)} = {value} must be finite"):
        getattr(pdrop, entry)(oil_well_case, **overrides)


def test_traverse_many_equals_one_traverse_at_a_time(oil_well_case):
    cases = [
        dict(oil_well_case, oil_STBd=q, correlation=code)
        for q in (400.0, 900.0, 1600.0)
        for code in (3, 5, 9)
    ]
    cases.append(dict(oil_well_case, colour=1))  # a case that cannot be read
    cases.append("no/such/case.json")  # nor can a file that is not there
    one, rows = pdrop.traverse_many(cases, threads=1, rows=True)
    two = pdrop.traverse_many(cases, threads=2)
    assert one["computed_end_pressure_psia"].equals(two["computed_end_pressure_psia"])
    for i, case in enumerate(cases[:-2]):
        alone = pdrop.traverse(case)
        assert one.computed_end_pressure_psia[i] == alone.summary["computed_end_pressure_psia"]
        assert rows[i]["pressure_psia"].equals(alone.rows["pressure_psia"])
    assert list(one["complete"]) == [True] * 9 + [False] * 2
    assert "unknown field 'colour'" in one.loc[9, "error"]
    assert "no/such/case.json" in one.loc[10, "error"]
    assert rows[-2:] == [None, None]


# fmt: off
SEGMENT_ROWS = [  # pipe_id_in, dz_ft, pressure_psia, temperature_F, gas_MMscfd, oil_STBd
    (1.995, 1000.0, 1500.0, 150.0, 0.5, 1000.0),
    (2.441, 500.0, 800.0, 120.0, 0.2, 300.0),
    (2.992, 2000.0, 2500.0, 200.0, 1.0, 2500.0),
    (2.441, 1000.0, 1200.0, 150.0, 1e4, 800.0),  # no result: above 30000 psia
]
# fmt: on


def test_solve_segments_equals_engine_solve_row_by_row():
    columns = ["pipe_id_in", "dz_ft", "pressure_psia", "temperature_F", "gas_MMscfd", "oil_STBd"]
    frame = pd.DataFrame(SEGMENT_ROWS, columns=columns, index=list("abcd"))
    fluid = pdrop.BlackOilFluid(oil_api=30.0)
    one = pdrop.solve_segments(frame, correlation=5, fluid=fluid, threads=1)
    two = pdrop.solve_segments(frame, correlation="Hagedorn & Brown", fluid=fluid, threads=2)
    assert list(one.index) == list("abcd")
    assert one["outlet_pressure_psia"].equals(two["outlet_pressure_psia"])
    alone = [pdrop.Engine(5).solve(fluid=fluid, **row.to_dict()) for _, row in frame.iterrows()]
    np.testing.assert_array_equal(one.outlet_pressure_psia, [a.outlet_pressure_psia for a in alone])
    assert list(one["no_result"]) == [a.no_result for a in alone]
    assert one.loc["d", "no_result"].startswith("the pressure rises above 30000 psia")
    bad = frame.assign(pressure_psia=[1500.0, -1.0, 800.0, 900.0])
    with pytest.raises(ValueError, match="row 1: pressure_psia = -1"):
        pdrop.solve_segments(bad)
    with pytest.raises(ValueError, match="'colour'"):
        pdrop.solve_segments(frame.assign(colour=1))


def test_vfp_table_as_a_frame_and_a_deck(tmp_path, oil_well_case, vfp_axes):
    t = pdrop.vfp_table(oil_well_case, vfp_axes, threads=2)
    assert t.keyword == "VFPPROD" and t.datum == 8000.0
    assert list(t.bhp.index.names) == ["thp", "wfr", "gfr"]
    assert list(t.bhp.columns) == [800.0, 1500.0, 40000.0]
    units = dict(flo="stb/d", thp="psia", bhp="psia", datum="ft", wfr="fraction", gfr="Mscf/stb")
    assert t.units == units
    # The case's own rates (1500 STB/d of liquid, water cut 0.2, GOR 0.5
    # Mscf/STB) at its own wellhead pressure: the cell is its traverse.
    whole = pdrop.traverse(oil_well_case).summary["computed_end_pressure_psia"]
    assert t.bhp.loc[(250.0, 0.2, 0.5), 1500.0] == pytest.approx(whole, abs=1e-6)
    # 40000 STB/d is more than the tubing carries: filled, and reported.
    assert all(m.startswith("filled") for m in t.adjusted[40000.0])
    assert not t.adjusted[[800.0, 1500.0]].any().any()
    assert len([m for m in t.messages if m.startswith("filled")]) == 2
    assert t.to_deck(tmp_path / "t.inc") == tmp_path / "t.inc"
    assert (tmp_path / "t.inc").read_text() == t.deck
    assert "\nVFPPROD\n" in t.deck
    with pytest.raises(ValueError, match="flow_to: a VFPPROD table needs a producer"):
        pdrop.vfp_table({**oil_well_case, "flow_to": "bottom"}, vfp_axes)
    # A table read from files never writes over them.
    case_file = tmp_path / "case.json"
    case_file.write_text(json.dumps(oil_well_case))
    from_files = pdrop.vfp_table(case_file, vfp_axes)
    with pytest.raises(ValueError, match="is an input of the table"):
        from_files.to_deck(case_file)
    assert case_file.read_text() == json.dumps(oil_well_case)
    with pytest.raises(ValueError, match="threads = 0"):
        pdrop.vfp_table(oil_well_case, vfp_axes, threads=0)


@pytest.mark.skipif(not pdrop._pdrop.fitting_available(), reason="built without NLopt")
def test_match_takes_a_survey_as_a_path_a_frame_or_a_list_alike(tmp_path, oil_well_case):
    # A survey made by pdrop with Hagedorn & Brown and a hydrostatic
    # efficiency of 0.95: that correlation ranks first and gets the value back.
    made = pdrop.traverse(oil_well_case, correlation=5, options={"hydrostatic_efficiency": 0.95})
    rows = made.rows[(made.rows.md_ft > 0) & (made.rows.md_ft % 1000 == 0)]
    frame = rows[["md_ft", "pressure_psia"]].iloc[::-1]  # pulled out of the hole
    path = tmp_path / "survey.csv"
    frame.to_csv(path, index=False)
    results = [
        pdrop.match(oil_well_case, s, correlations=[3, "hagedorn & brown"], threads=2)
        for s in (path, frame, frame.to_dict("records"))
    ]
    for r in results:
        assert list(r["correlation_code"]) == [5, 3]
        assert list(r["rank"]) == [1, 2]
        fitted = r["hydrostatic_efficiency"].iloc[0]
        assert fitted == pytest.approx(0.95, abs=1e-3)
        assert r["fitted_rms_psi"].iloc[0] < 0.1 < r["rms_psi"].iloc[0]
        predicted = r.attrs["predictions"]
        assert list(predicted["md_ft"][predicted.correlation_code == 5]) == list(rows["md_ft"])
        before, after = r.attrs["traverses"][5]
        assert before.complete and after.complete
        assert after.case["options"]["hydrostatic_efficiency"] == fitted
    pd.testing.assert_frame_equal(results[0], results[1])
    survey = [dict(md_ft=1000, pressure_psia=400), dict(md_ft=4000, pressure_psia=1200)]
    survey.append(dict(md_ft=3000, pressure_psia=900))
    with pytest.raises(ValueError, match=r"^survey\[2\]: md_ft = 3000 does not follow"):
        pdrop.match(oil_well_case, survey)
    with pytest.raises(ValueError, match="fit = 'all'"):
        pdrop.match(oil_well_case, frame, fit="all")
