"""Pictures of a traverse and of a flow-pattern map (matplotlib)."""

import os

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib.patches import Patch  # noqa: E402

_REGIME_COLOURS = {
    0: "#d9d9d9", 1: "#bdbdbd", 2: "#8dd3c7", 3: "#fdb462", 4: "#80b1d3", 5: "#bebada",
    6: "#b3de69", 7: "#fccde5", 8: "#ffffb3", 9: "#fb8072", 10: "#bc80bd", 11: "#ccebc5",
    12: "#ffed6f", 13: "#e5c494",
}
# A segment whose correlation does not classify the flow (Gray, the gas
# pipeline equations, Hagedorn & Brown's chart branch) has no regime to show.
_UNCLASSIFIED_CODE = 666
_UNCLASSIFIED_NAMES = ("Undefined", "\u2014")  # its name, or an em dash


def _save(fig, path, formats):
    written = []
    if path is not None:
        base, ext = os.path.splitext(os.fspath(path))
        exts = [ext.lstrip(".")] if ext else list(formats)
        for e in exts:
            out = f"{base}.{e}"
            fig.savefig(out, dpi=120, bbox_inches="tight")
            written.append(out)
    return written


def plot_traverse(result, path=None, formats=("png", "svg")):
    """Pressure [psia], temperature [degF] and liquid holdup [-] against
    measured depth [ft], with the flow regimes as coloured bands and the
    liquid-loading depth marked.

    Args:
        result: a pdrop.TraverseResult.
        path: file to write; without an extension one file per format.
        formats: the formats written when path has no extension.

    Returns:
        (figure, list of files written).
    """
    rows = result.rows
    fig, axes = plt.subplots(1, 3, figsize=(12, 7), sharey=True)
    depth = rows["md_ft"]
    series = [("pressure_psia", "Pressure [psia]"), ("temperature_F", "Temperature [degF]"),
              ("holdup", "Liquid holdup [-]")]
    for ax, (column, label) in zip(axes, series):
        ax.plot(rows[column], depth, color="black", linewidth=1.5)
        ax.set_xlabel(label)
        ax.grid(True, alpha=0.3)
    axes[0].set_ylabel("Measured depth [ft]")
    axes[0].invert_yaxis()
    # A band per segment in the colour of its regime; none where the
    # correlation does not classify the flow.
    seen = {}
    for i in range(1, len(rows)):
        code = int(rows["regime_code"].iloc[i])
        name = rows["regime"].iloc[i]
        if code == _UNCLASSIFIED_CODE or name in _UNCLASSIFIED_NAMES:
            continue
        colour = _REGIME_COLOURS.get(code, "#ffffff")
        for ax in axes:
            ax.axhspan(depth.iloc[i - 1], depth.iloc[i], color=colour, alpha=0.5, linewidth=0)
        seen.setdefault(code, name)
    handles = [Patch(color=_REGIME_COLOURS.get(c, "#ffffff"), label=n) for c, n in seen.items()]
    loading = result.summary.get("loading_md_ft")
    if loading is not None:
        for ax in axes:
            ax.axhline(loading, color="red", linestyle="--", linewidth=1.2)
        handles.append(plt.Line2D([], [], color="red", linestyle="--", label="liquid loading"))
    if handles:
        fig.legend(handles=handles, loc="lower center", ncol=min(len(handles), 5))
    fig.suptitle(result.summary.get("name", ""))
    fig.tight_layout(rect=(0, 0.06, 1, 0.96))
    return fig, _save(fig, path, formats)


def plot_flow_map(flow_map, operating_point=None, path=None, formats=("png", "svg")):
    """A flow-pattern map as coloured regions over superficial velocities.

    Args:
        flow_map: a pdrop.FlowMap (pdrop.flow_map), or {regime name: (vsg
            [ft/s], vsl [ft/s]) arrays of the points in that regime}.
        operating_point: (vsg [ft/s], vsl [ft/s]) to mark; default: that of a
            FlowMap, none for a dict.
        path, formats: as for plot_traverse.

    Returns:
        (figure, list of files written).
    """
    from .catalogue import flow_regimes
    from .traverse import FlowMap

    if isinstance(flow_map, FlowMap):
        if operating_point is None:
            operating_point = flow_map.operating_point
        flow_map = flow_map.regions()

    codes = {name: code for code, name in flow_regimes().items()}
    palette = plt.get_cmap("tab10").colors
    fig, ax = plt.subplots(figsize=(8, 6))
    for i, (name, (vsg, vsl)) in enumerate(flow_map.items()):
        if len(vsg) == 0:
            continue
        # The mechanistic patterns 6 to 13 each keep one colour across maps.
        code = codes.get(name, 6 + i)
        colour = palette[(code - 6) % len(palette)]
        ax.scatter(vsg, vsl, s=14, marker="s", color=colour, label=name, linewidths=0)
    if operating_point is not None:
        ax.plot(*operating_point, marker="*", markersize=16, color="black", label="operating point")
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("Superficial gas velocity [ft/s]")
    ax.set_ylabel("Superficial liquid velocity [ft/s]")
    ax.legend(loc="best", fontsize=8)
    fig.tight_layout()
    return fig, _save(fig, path, formats)


def plot_match(result, path=None, formats=("png", "svg"), max_panels=4):
    """The measured survey points over each correlation's traverse, with the
    case's efficiencies (dashed) and the fitted ones (solid), one panel per
    correlation in ranking order.

    Args:
        result: the DataFrame of pdrop.match.
        path, formats: as for plot_traverse.
        max_panels: at most this many correlations, the best ones.

    Returns:
        (figure, list of files written).
    """
    survey = result.attrs["survey"]
    traverses = result.attrs["traverses"]
    ranked = result[result["ok"]].head(max_panels)
    if ranked.empty:
        raise ValueError("result: no correlation has a pressure at every survey depth")
    fig, axes = plt.subplots(1, len(ranked), figsize=(3.6 * len(ranked) + 1, 6.5), sharey=True,
                             squeeze=False)
    axes = axes[0]
    fitted = result.attrs.get("fit", "none") != "none"
    for ax, (_, row) in zip(axes, ranked.iterrows()):
        given, after = traverses[row["correlation_code"]]
        ax.plot(given.rows["pressure_psia"], given.rows["md_ft"], color="tab:blue",
                linestyle="--" if fitted else "-", linewidth=1.3,
                label=f"as given, RMS {row['rms_psi']:.1f} psi")
        if fitted:
            ax.plot(after.rows["pressure_psia"], after.rows["md_ft"], color="tab:red",
                    linewidth=1.5,
                    label=(f"Fe {row['friction_efficiency']:.3f}, "
                           f"HFe {row['hydrostatic_efficiency']:.3f}, "
                           f"RMS {row['fitted_rms_psi']:.1f} psi"))
        ax.plot(survey["pressure_psia"], survey["md_ft"], linestyle="none", marker="o",
                markersize=5, markerfacecolor="none", markeredgecolor="black", label="measured")
        ax.set_title(f"{int(row['rank'])}. {row['correlation']}", fontsize=10)
        ax.set_xlabel("Pressure [psia]")
        ax.grid(True, alpha=0.3)
        ax.legend(loc="lower left", fontsize=7)
    axes[0].set_ylabel("Measured depth [ft]")
    axes[0].invert_yaxis()
    name = traverses[ranked["correlation_code"].iloc[0]][0].summary.get("name", "")
    fig.suptitle(f"Survey match: {name}" if name else "Survey match")
    fig.tight_layout()
    return fig, _save(fig, path, formats)
