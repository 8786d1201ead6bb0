# Plots are written, non-empty, and carry their labels.

import os

import matplotlib.image as mpimg
import numpy as np
import pytest

import pdrop
from pdrop import plots

EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "examples")


def test_traverse_plot_png_and_svg(tmp_path, oil_well_case):
    t = pdrop.traverse(oil_well_case)
    fig, files = plots.plot_traverse(t, tmp_path / "oil_well")
    assert sorted(f.rsplit(".", 1)[1] for f in files) == ["png", "svg"]
    labels = [ax.get_xlabel() for ax in fig.axes]
    assert labels == ["Pressure [psia]", "Temperature [degF]", "Liquid holdup [-]"]
    assert fig.axes[0].get_ylabel() == "Measured depth [ft]"
    image = mpimg.imread(str(tmp_path / "oil_well.png"))
    assert image.shape[0] > 400 and image.shape[1] > 800
    assert image.std() > 0.05  # not a blank canvas
    svg = (tmp_path / "oil_well.svg").read_text()
    assert "Pressure" in svg and len(svg) > 10000


def test_loading_depth_is_marked(tmp_path, oil_well_case):
    # The line is drawn only at a loading depth the traverse found.
    t = pdrop.traverse(oil_well_case, gas_MMscfd=0.2, oil_STBd=0.0, water_bbld=2.0, correlation=4)
    fig, _ = plots.plot_traverse(t)
    legend = [text.get_text() for text in fig.legends[0].get_texts()]
    assert "liquid loading" in legend


@pytest.mark.parametrize(
    "correlation, spelling",
    [(5, "Undefined"), (5, "\u2014"), (4, "\u2014"), (8, "Undefined")],
)
def test_segments_without_a_regime_draw_no_band(correlation, spelling, oil_well_case):
    # Hagedorn & Brown classifies the bubble-flow segments only; Gray and the
    # Flanigan form classify none.
    t = pdrop.traverse(oil_well_case, correlation=correlation)
    unclassified = t.rows["regime_code"] == 666
    assert unclassified.any()
    t.rows.loc[unclassified, "regime"] = spelling
    fig, _ = plots.plot_traverse(t)
    classified = int((~unclassified).iloc[1:].sum())
    assert [len(ax.patches) for ax in fig.axes] == [classified] * 3
    legend = {text.get_text() for lg in fig.legends for text in lg.get_texts()}
    assert legend == set(t.rows["regime"][~unclassified].iloc[1:])


def test_flow_map_of_a_case_or_of_regions_as_arrays_and_a_plot(tmp_path):
    m = pdrop.flow_map(pdrop.read_case(os.path.join(EXAMPLES, "gas_pipeline.json")))
    total = sum(len(p["vsg_ftps"]) for p in m.patterns.values())
    assert 2400 < total <= 2500
    assert "Annular Mist" in m.patterns
    assert all(len(p["vsg_ftps"]) == len(p["holdup"]) for p in m.patterns.values())
    assert min(m.operating_point) > 0  # both superficial velocities
    fig, files = plots.plot_flow_map(m, path=tmp_path / "map.svg")
    assert (tmp_path / "map.svg").stat().st_size > 10000
    legend = [t.get_text() for t in fig.axes[0].get_legend().get_texts()]
    assert "operating point" in legend and "Annular Mist" in legend
    # Regions given as arrays, with an operating point of their own.
    vsg = np.logspace(-1, 2, 20)
    regions = {"Bubble": (vsg[:10], np.full(10, 1.0)), "Annular Mist": (vsg[10:], np.full(10, 0.1))}
    fig, files = plots.plot_flow_map(regions, operating_point=(3.0, 1.0), path=tmp_path / "map.png")
    assert files == [str(tmp_path / "map.png")]
    assert fig.axes[0].get_xlabel() == "Superficial gas velocity [ft/s]"
    assert fig.axes[0].get_xscale() == "log"
    assert (tmp_path / "map.png").stat().st_size > 5000


def test_lift_curves_frame_and_plot(tmp_path, oil_well_case):
    sensitivities = dict(rates=[300, 600, 1200, 2400], wellhead_pressure_psia=[150, 250])
    curves = pdrop.vlp(oil_well_case, **sensitivities, correlation=[3, "Gray"], threads=2)
    assert len(curves) == 16 and curves["curve"].nunique() == 4
    assert list(curves["correlation"].unique()) == [3, 4]
    # The columns carry the C++ marks: Beggs & Brill's curves each turn once
    # inside the rates, with every unstable rate below the minimum.
    for _, c in curves[curves["correlation"] == 3].groupby("curve"):
        low = c.loc[c["minimum"], "liquid_STBd"]
        assert len(low) == 1 and low.index[0] not in (c.index[0], c.index[-1])
        assert (c["unstable"] == (c["liquid_STBd"] < low.iloc[0])).all()
    fig, files = plots.plot_vlp(curves, path=tmp_path / "vlp.png")
    assert files and os.path.getsize(files[0]) > 10_000
    assert len(fig.axes[0].get_lines()) >= 4 * 3
    with pytest.raises(ValueError, match="rates\\[1\\]"):
        pdrop.vlp(oil_well_case, rates=[600, 300])
    with pytest.raises(ValueError, match="not one of"):
        pdrop.vlp(oil_well_case, rates=[600], tubing=[2.0])


def test_vfp_plot_has_a_curve_per_thp(tmp_path, oil_well_case, vfp_axes):
    axes = dict(
        vfp_axes, flo_values=[800, 1500, 3000], thp_psia=[100, 250, 500], wfr_values=[0, 0.2]
    )
    t = pdrop.vfp_table(oil_well_case, axes)
    fig, files = plots.plot_vfp(t, wfr=0.2, gfr=0.5, path=tmp_path / "vfp.png")
    assert files == [str(tmp_path / "vfp.png")]
    legend = [text.get_text() for text in fig.axes[0].get_legend().get_texts()]
    assert legend == ["THP 100 psia", "THP 250 psia", "THP 500 psia"]
    line = fig.axes[0].get_lines()[1]
    assert list(line.get_ydata()) == list(t.bhp.loc[(250.0, 0.2, 0.5)])
    assert fig.axes[0].get_xlabel() == "LIQ [stb/d]"
    with pytest.raises(ValueError, match="not values of the table's axes"):
        plots.plot_vfp(t, wfr=0.3, gfr=0.5)


@pytest.mark.skipif(not pdrop._pdrop.fitting_available(), reason="built without NLopt")
def test_match_plot_shows_the_survey_over_each_traverse(tmp_path):
    r = pdrop.match(
        os.path.join(EXAMPLES, "oil_well.json"),
        os.path.join(EXAMPLES, "oil_well_survey.csv"),
        correlations=[3, 4, 5],
    )
    fig, files = plots.plot_match(r, tmp_path / "match.png")
    assert files == [str(tmp_path / "match.png")]
    assert [ax.get_title() for ax in fig.axes] == [
        f"{rank}. {name}" for rank, name in zip(r["rank"], r["correlation"])
    ]
    for ax in fig.axes:
        # The case's efficiencies, the fitted ones, and the measured points.
        assert [len(line.get_xdata()) for line in ax.get_lines()][2:] == [20]
    assert (tmp_path / "match.png").stat().st_size > 20000
