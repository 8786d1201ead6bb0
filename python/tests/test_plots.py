"""Plots are written, non-empty, and carry their labels."""

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
    assert "Pressure [psia]" in svg or "Pressure" in svg
    assert len(svg) > 10000


def test_loading_depth_is_marked(tmp_path, oil_well_case):
    gas = dict(oil_well_case, gas_MMscfd=0.2, oil_STBd=0.0, water_bbld=2.0, correlation=4)
    t = pdrop.traverse(gas)
    assert t.summary["loading_md_ft"] is not None
    fig, _ = plots.plot_traverse(t)
    legend = [text.get_text() for text in fig.legends[0].get_texts()]
    assert "liquid loading" in legend


@pytest.mark.parametrize("correlation, spelling", [
    (5, "Undefined"), (5, "\u2014"), (4, "\u2014"), (8, "Undefined"),
])
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


def test_flow_map_plot(tmp_path):
    vsg = np.logspace(-1, 2, 20)
    regions = {"Bubble": (vsg[:10], np.full(10, 1.0)), "Annular Mist": (vsg[10:], np.full(10, 0.1))}
    fig, files = plots.plot_flow_map(regions, operating_point=(3.0, 1.0), path=tmp_path / "map.png")
    assert files == [str(tmp_path / "map.png")]
    ax = fig.axes[0]
    assert ax.get_xlabel() == "Superficial gas velocity [ft/s]"
    assert ax.get_xscale() == "log"
    assert (tmp_path / "map.png").stat().st_size > 5000


def test_flow_map_of_a_case_as_arrays_and_a_plot(tmp_path):
    import os
    case = pdrop.read_case(os.path.join(os.path.dirname(__file__), "..", "..", "examples",
                                        "gas_pipeline.json"))
    m = pdrop.flow_map(case)
    total = sum(len(p["vsg_ftps"]) for p in m.patterns.values())
    assert 2400 < total <= 2500
    assert "Annular Mist" in m.patterns
    assert all(len(p["vsg_ftps"]) == len(p["holdup"]) for p in m.patterns.values())
    vsg, vsl = m.operating_point
    assert vsg > 0 and vsl > 0
    fig, files = plots.plot_flow_map(m, path=tmp_path / "map.svg")
    assert (tmp_path / "map.svg").stat().st_size > 10000
    legend = [t.get_text() for t in fig.axes[0].get_legend().get_texts()]
    assert "operating point" in legend and "Annular Mist" in legend


@pytest.mark.skipif(not pdrop._pdrop.fitting_available(), reason="built without NLopt")
def test_match_plot_shows_the_survey_over_each_traverse(tmp_path):
    r = pdrop.match(os.path.join(EXAMPLES, "oil_well.json"),
                    os.path.join(EXAMPLES, "oil_well_survey.csv"), correlations=[3, 4, 5])
    fig, files = plots.plot_match(r, tmp_path / "match.png")
    assert files == [str(tmp_path / "match.png")]
    assert [ax.get_title() for ax in fig.axes] == [
        f"{rank}. {name}" for rank, name in zip(r["rank"], r["correlation"])]
    for ax in fig.axes:
        # The case's efficiencies, the fitted ones, and the measured points.
        assert [len(line.get_xdata()) for line in ax.get_lines()][2] == 20
        assert len(ax.get_lines()) == 3
    assert (tmp_path / "match.png").stat().st_size > 20000
