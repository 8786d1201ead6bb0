"""Pictures of a traverse and of a flow-pattern map (matplotlib)."""

import os
from typing import Any, Optional, Sequence, Tuple

# The backend is matplotlib's own choice: a notebook keeps its inline
# backend, a desktop its window, and a machine without a display falls back
# to Agg by itself.
import matplotlib.pyplot as plt
from matplotlib.patches import Patch

from ._types import Drawn, Path

_REGIME_COLOURS = {
    0: "#d9d9d9",
    1: "#bdbdbd",
    2: "#8dd3c7",
    3: "#fdb462",
    4: "#80b1d3",
    5: "#bebada",
    6: "#b3de69",
    7: "#fccde5",
    8: "#ffffb3",
    9: "#fb8072",
    10: "#bc80bd",
    11: "#ccebc5",
    12: "#ffed6f",
    13: "#e5c494",
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


def plot_traverse(
    result: Any, path: Optional[Path] = None, formats: Sequence[str] = ("png", "svg")
) -> Drawn:
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
    series = [
        ("pressure_psia", "Pressure [psia]"),
        ("temperature_F", "Temperature [degF]"),
        ("holdup", "Liquid holdup [-]"),
    ]
    for ax, (column, label) in zip(axes, series):
        ax.plot(rows[column], depth, color="black", linewidth=1.5)
        ax.set_xlabel(label)
        ax.grid(True, alpha=0.3)
    axes[0].set_ylabel("Measured depth [ft]")
    axes[0].invert_yaxis()
    # A band per segment in the colour of its regime; none where the
    # correlation does not classify the flow.
    seen: dict = {}
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


def plot_flow_map(
    flow_map: Any,
    operating_point: Optional[Sequence[float]] = None,
    path: Optional[Path] = None,
    formats: Sequence[str] = ("png", "svg"),
) -> Drawn:
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

    import numpy as np
    from matplotlib.colors import ListedColormap

    codes = {name: code for code, name in flow_regimes().items()}
    palette = plt.get_cmap("tab10").colors
    # The map's points lie on a grid of superficial velocities: rebuild it
    # and fill each cell with its pattern, as maps are drawn in the papers.
    vsg_all = np.unique(np.concatenate([np.asarray(v[0], float) for v in flow_map.values()]))
    vsl_all = np.unique(np.concatenate([np.asarray(v[1], float) for v in flow_map.values()]))
    names = [n for n, (vsg, _) in flow_map.items() if len(vsg)]
    grid = np.full((len(vsl_all), len(vsg_all)), np.nan)
    for k, name in enumerate(names):
        vsg, vsl = (np.asarray(a, float) for a in flow_map[name])
        grid[np.searchsorted(vsl_all, vsl), np.searchsorted(vsg_all, vsg)] = k

    def edges(centres):
        # Cell edges halfway between centres, in log10.
        logs = np.log10(centres)
        if len(logs) == 1:
            return 10.0 ** np.array([logs[0] - 0.05, logs[0] + 0.05])
        mid = (logs[1:] + logs[:-1]) / 2
        return 10.0 ** np.concatenate([[2 * logs[0] - mid[0]], mid, [2 * logs[-1] - mid[-1]]])

    colours = [palette[(codes.get(n, 6 + k) - 6) % len(palette)] for k, n in enumerate(names)]
    fig, ax = plt.subplots(figsize=(9, 6))
    if names:
        ax.pcolormesh(
            edges(vsg_all),
            edges(vsl_all),
            np.ma.masked_invalid(grid),
            cmap=ListedColormap(colours),
            vmin=-0.5,
            vmax=len(names) - 0.5,
            shading="flat",
        )
        # Boundaries between patterns along the cell edges, and each
        # pattern's name in its region.
        from matplotlib.collections import LineCollection

        xe, ye = edges(vsg_all), edges(vsl_all)
        same = np.nan_to_num(grid, nan=-1.0)
        segments = []
        for i, j in zip(*np.nonzero(same[:, 1:] != same[:, :-1])):
            segments.append([(xe[j + 1], ye[i]), (xe[j + 1], ye[i + 1])])
        for i, j in zip(*np.nonzero(same[1:, :] != same[:-1, :])):
            segments.append([(xe[j], ye[i + 1]), (xe[j + 1], ye[i + 1])])
        ax.add_collection(LineCollection(segments, colors="black", linewidths=0.6))
        for k, name in enumerate(names):
            rows, cols = np.nonzero(grid == k)
            x = 10.0 ** np.median(np.log10(vsg_all[cols]))
            y = 10.0 ** np.median(np.log10(vsl_all[rows]))
            ax.text(
                x,
                y,
                name,
                ha="center",
                va="center",
                fontsize=8,
                bbox=dict(boxstyle="round,pad=0.2", facecolor="white", alpha=0.7, linewidth=0),
            )
    handles = [
        Patch(facecolor=c, edgecolor="black", linewidth=0.5, label=n)
        for n, c in zip(names, colours)
    ]
    if operating_point is not None:
        handles += ax.plot(
            *operating_point,
            marker="*",
            markersize=16,
            color="black",
            linestyle="none",
            label="operating point",
        )
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("Superficial gas velocity [ft/s]")
    ax.set_ylabel("Superficial liquid velocity [ft/s]")
    # The legend stands beside the map, never over it.
    ax.legend(
        handles=handles, loc="upper left", bbox_to_anchor=(1.02, 1.0), fontsize=8, borderaxespad=0.0
    )
    fig.tight_layout()
    return fig, _save(fig, path, formats)


def _correlation_name(code):
    from .catalogue import correlations

    table = correlations()
    return dict(zip(table["code"], table["name"])).get(code, f"code {code}")


def plot_vlp(
    curves: Any, path: Optional[Path] = None, formats: Sequence[str] = ("png", "svg")
) -> Drawn:
    """A family of lift curves: bottomhole pressure [psia] against rate, one
    line per curve, its minimum marked (below it the well heads) and the
    points where a gas well loads up ringed.

    Args:
        curves: the DataFrame of pdrop.vlp.
        path: file to write (its extension, or each of formats); None: none.

    Returns:
        (figure, list of files written).
    """
    rates = [c for c in ("liquid_STBd", "gas_MMscfd", "water_bbld") if c in curves.columns]
    if not rates or "curve" not in curves.columns:
        raise ValueError("curves is not a frame of pdrop.vlp (no rate or curve column)")
    rate = rates[0]
    unit = {
        "liquid_STBd": "liquid [STB/d]",
        "gas_MMscfd": "gas [MMscf/d]",
        "water_bbld": "water [bbl/d]",
    }[rate]
    skip = {
        "curve",
        rate,
        "bhp_psia",
        "complete",
        "reason",
        "bottom_regime",
        "loading",
        "coleman_loading",
        "minimum",
        "unstable",
    }
    varied = [c for c in curves.columns if c not in skip]
    names = {
        "wellhead_pressure_psia": ("WHP", "psia"),
        "water_cut": ("water cut", ""),
        "gor_scf_per_STB": ("GOR", "scf/STB"),
        "glr_scf_per_STB": ("GLR", "scf/STB"),
        "id_in": ("tubing ID", "in"),
    }

    def label_of(points):
        parts = []
        for c in varied:
            v = points[c].iloc[0]
            if c == "correlation":
                parts.append(_correlation_name(int(v)))
            else:
                name, unit_text = names.get(c, (c, ""))
                parts.append(f"{name} {v:g} {unit_text}".strip())
        return ", ".join(parts) or "case"

    fig, ax = plt.subplots(figsize=(7, 5))
    for _, points in curves.groupby("curve", sort=True):
        done = points[points["complete"]]
        (line,) = ax.plot(done[rate], done["bhp_psia"], marker=".", label=label_of(points))
        low = done[done["minimum"]]
        ax.plot(
            low[rate],
            low["bhp_psia"],
            marker="v",
            markersize=9,
            linestyle="none",
            color=line.get_color(),
        )
        loads = done[done["loading"]]
        ax.plot(
            loads[rate],
            loads["bhp_psia"],
            marker="o",
            markersize=10,
            linestyle="none",
            markerfacecolor="none",
            color="crimson",
        )
    if curves["minimum"].any():
        ax.plot([], [], marker="v", linestyle="none", color="grey", label="minimum")
    if curves["loading"].any():
        ax.plot(
            [],
            [],
            marker="o",
            linestyle="none",
            markerfacecolor="none",
            color="crimson",
            label="liquid loading (Turner)",
        )
    ax.set_xlabel(f"rate, {unit}")
    ax.set_ylabel("bottomhole pressure [psia]")
    ax.grid(True, alpha=0.3)
    ax.legend(fontsize=8)
    fig.tight_layout()
    return fig, _save(fig, path, formats)


def plot_vfp(
    table: Any,
    wfr: Optional[float] = None,
    gfr: Optional[float] = None,
    path: Optional[Path] = None,
    formats: Sequence[str] = ("png", "svg"),
) -> Drawn:
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
            ax.plot(
                [flo[j] for j in hollow],
                values[hollow],
                linestyle="none",
                marker="o",
                markersize=10,
                markerfacecolor="white",
                color=colour,
            )
    axes = table.axes
    title = f"{table.keyword} table {axes.get('table')}"
    if producer:
        title += (
            f": {axes['wfr'].upper()} {wfr:g} {units['wfr']}, "
            f"{axes['gfr'].upper()} {gfr:g} {units['gfr']}"
        ).replace(" fraction", "")
    ax.set_title(title)
    ax.set_xlabel(f"{axes['flo'].upper()} [{units['flo']}]")
    ax.set_ylabel(f"BHP at the datum, {table.datum:g} {units['datum']} [{units['bhp']}]")
    ax.grid(True, alpha=0.3)
    ax.legend(loc="best", fontsize=8)
    fig.tight_layout()
    return fig, _save(fig, path, formats)


def plot_match(
    result: Any,
    path: Optional[Path] = None,
    formats: Sequence[str] = ("png", "svg"),
    max_panels: int = 4,
) -> Drawn:
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
    fig, axes = plt.subplots(
        1, len(ranked), figsize=(3.6 * len(ranked) + 1, 6.5), sharey=True, squeeze=False
    )
    axes = axes[0]
    fitted = result.attrs.get("fit", "none") != "none"
    for ax, (_, row) in zip(axes, ranked.iterrows()):
        given, after = traverses[row["correlation_code"]]
        ax.plot(
            given.rows["pressure_psia"],
            given.rows["md_ft"],
            color="tab:blue",
            linestyle="--" if fitted else "-",
            linewidth=1.3,
            label=f"as given, RMS {row['rms_psi']:.1f} psi",
        )
        if fitted:
            ax.plot(
                after.rows["pressure_psia"],
                after.rows["md_ft"],
                color="tab:red",
                linewidth=1.5,
                label=(
                    f"Fe {row['friction_efficiency']:.3f}, "
                    f"HFe {row['hydrostatic_efficiency']:.3f}, "
                    f"RMS {row['fitted_rms_psi']:.1f} psi"
                ),
            )
        ax.plot(
            survey["pressure_psia"],
            survey["md_ft"],
            linestyle="none",
            marker="o",
            markersize=5,
            markerfacecolor="none",
            markeredgecolor="black",
            label="measured",
        )
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
