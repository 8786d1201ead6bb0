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


def plot_vfp(table, wfr=None, gfr=None, path=None, formats=("png", "svg")):
    """A VFP table's bottomhole pressure against FLO, one line per THP, at
    one water fraction and gas fraction; filled or raised cells are drawn
    hollow.

    Args:
        table: a pdrop.VfpTable.
        wfr, gfr: the WFR and GFR values of the curves (producers; default: the
            first of each axis), in the table's units.
        path, formats: as for plot_traverse.

    Returns:
        (figure, list of files written).
    """
    bhp, adjusted, units = table.bhp, table.adjusted, table.units
    producer = table.keyword == "VFPPROD"
    if producer:
        wfr = bhp.index.levels[1][0] if wfr is None else wfr
        gfr = bhp.index.levels[2][0] if gfr is None else gfr
        if (wfr not in bhp.index.levels[1]) or (gfr not in bhp.index.levels[2]):
            raise ValueError(f"wfr = {wfr}, gfr = {gfr} are not values of the table's axes")
        curves = bhp.xs((wfr, gfr), level=("wfr", "gfr"))
        marks = adjusted.xs((wfr, gfr), level=("wfr", "gfr"))
    else:
        curves, marks = bhp, adjusted
    flo = [float(v) for v in curves.columns]
    fig, ax = plt.subplots(figsize=(8, 6))
    colours = plt.get_cmap("viridis")
    for i, thp in enumerate(curves.index):
        colour = colours(i / max(len(curves.index) - 1, 1))
        values = curves.loc[thp].to_numpy()
        ax.plot(flo, values, marker="o", color=colour, label=f"THP {thp:g} {units['thp']}")
        hollow = [j for j, m in enumerate(marks.loc[thp]) if m]
        if hollow:
            ax.plot([flo[j] for j in hollow], values[hollow], linestyle="none", marker="o",
                    markersize=10, markerfacecolor="white", color=colour)
    axes = table.axes
    title = f"{table.keyword} table {axes.get('table')}"
    if producer:
        title += (f": {axes['wfr'].upper()} {wfr:g} {units['wfr']}, "
                  f"{axes['gfr'].upper()} {gfr:g} {units['gfr']}").replace(" fraction", "")
    ax.set_title(title)
    ax.set_xlabel(f"{axes['flo'].upper()} [{units['flo']}]")
    ax.set_ylabel(f"BHP at the datum, {table.datum:g} {units['datum']} [{units['bhp']}]")
    ax.grid(True, alpha=0.3)
    ax.legend(loc="best", fontsize=8)
    fig.tight_layout()
    return fig, _save(fig, path, formats)
