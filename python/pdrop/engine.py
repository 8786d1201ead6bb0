"""One engine, one segment: the engine API with keyword arguments."""

import math
import threading
from typing import Any, Optional, Union

from . import _pdrop
from .catalogue import correlation_code
from .fluids import BlackOilFluid

_STATIC = {"gas": 0, "oil": 1, "water": 2}
_NAN = float("nan")


def _number(name, value, low=None, high=None, unit="", low_open=False):
    try:
        v = float(value)
    except (TypeError, ValueError):
        raise ValueError(f"{name} = {value!r} is not a number {unit}".rstrip()) from None
    if not math.isfinite(v):
        raise ValueError(f"{name} = {value!r} must be finite {unit}".rstrip())
    if low is not None and (v <= low if low_open else v < low):
        bound = "above" if low_open else "at least"
        raise ValueError(f"{name} = {v} must be {bound} {low} {unit}".rstrip())
    if high is not None and v > high:
        raise ValueError(f"{name} = {v} must be at most {high} {unit}".rstrip())
    return v


def _whole(name, value, low, high):
    """A whole number from low to high: 2, 2.0 and numpy.int64(2) are 2;
    2.5 is refused rather than cut to 2."""
    v = _number(name, value, low, high)
    if not v.is_integer():
        raise ValueError(f"{name} = {value!r} must be a whole number from {low} to {high}")
    return int(v)


# The result of a segment, made by the native solve.
SegmentResult = _pdrop.SegmentResult


class Engine:
    """A pressure-drop engine for one correlation.

    An engine may be shared between threads: each solve holds the engine's
    lock from its set-up to the reading of its record (also while the
    calculation runs without the GIL), so threads sharing one engine take
    turns. One engine per thread is the fast path: engines are cheap, and
    threads with engines of their own run in parallel.

    Args:
        correlation: code [0-9] or list name, e.g. 3 or "Modified Beggs & Brill";
            ``pdrop.correlations()`` lists them, and its docstring names the
            paper of each.
    """

    def __init__(self, correlation: Union[int, str] = 3) -> None:
        self.code = correlation_code(correlation)
        self._engine = _pdrop.CPressDrop.New(self.code)
        self._phases: Any = None
        self._fluid_key: Any = None
        self._native_fluid: Any = None
        # The native engine keeps the set-up, the bound fluid and the record
        # of the last segment: one solve at a time.
        self._lock = threading.Lock()

    def bind(self, fluid: Any) -> None:
        """Binds a fluid: a BlackOilFluid, or a (gas, oil, water) tuple of phase
        objects (pdrop.Phase subclasses written in Python, or None for an
        absent phase). The engine keeps them alive."""
        with self._lock:
            self._bind(fluid)

    def _bind(self, fluid):
        self._native_fluid = None
        if isinstance(fluid, BlackOilFluid):
            self._native_fluid = fluid.native()
            self._phases = self._native_fluid.MakePhases()
            gas, oil, water = self._phases.gas, self._phases.oil, self._phases.water
        elif isinstance(fluid, (tuple, list)) and len(fluid) == 3:
            for name, ph in zip(("gas", "oil", "water"), fluid):
                if ph is not None and not isinstance(ph, _pdrop.CProp):
                    raise ValueError(f"fluid {name} = {ph!r} is not a pdrop.Phase")
            self._phases = tuple(fluid)
            gas, oil, water = fluid
        else:
            raise ValueError(
                f"fluid = {fluid!r} is not a BlackOilFluid or a (gas, oil, water) tuple"
            )
        self._engine.SetProps(gas, oil, water)
        self._fluid_key = fluid

    def solve(
        self,
        *,
        pipe_id_in: float,
        pressure_psia: float,
        temperature_F: float,
        dz_ft: float = 0.0,
        dx_ft: float = 0.0,
        inner_od_in: float = 0.0,
        gradient_F_per_ft: float = 0.0,
        gas_MMscfd: float = 0.0,
        oil_STBd: float = 0.0,
        water_bbld: float = 0.0,
        fluid: Any = None,
        direction: int = 1,
        flow_sign: int = 1,
        roughness_in: float = 0.0006,
        friction_efficiency: float = 1.0,
        hydrostatic_efficiency: float = 1.0,
        subdivide: bool = True,
        max_subdivisions: float = 20,
        pieces: Optional[int] = None,
        flow_over: bool = False,
        static_phase: str = "gas",
        pipeline_efficiency: Optional[float] = None,
    ) -> "SegmentResult":
        """Solves one segment.

        Args:
            pipe_id_in: pipe inside diameter [in]; inner_od_in: inner-string
                outside diameter for an annulus [in].
            dx_ft, dz_ft: horizontal run and elevation change [ft].
            pressure_psia, temperature_F: known-end conditions [psia, degF].
            gradient_F_per_ft: temperature change per ft of pipe [degF/ft].
            gas_MMscfd, oil_STBd, water_bbld: rates [MMscf/d, STB/d, bbl/d];
                negative rates flow the other way.
            fluid: BlackOilFluid or (gas, oil, water); default: the fluid bound
                before, or a default BlackOilFluid.
            direction: +1 marching down (or level), -1 up.
            flow_sign: +1 marching against the flow, -1 with it.
            roughness_in: absolute roughness [in].
            friction_efficiency, hydrostatic_efficiency: divide the friction and
                elevation changes [-].
            subdivide, max_subdivisions: automatic splitting of large changes;
                pieces: a fixed number of sub-segments instead.
            flow_over: mechanistic model, take dispersed bubble flow.
            static_phase: "gas", "oil" or "water": the column when nothing flows.
            pipeline_efficiency: efficiency of the gas pipeline equations [-].

        Returns:
            SegmentResult.
        """
        phase = _STATIC.get(static_phase) if isinstance(static_phase, str) else None
        if phase is None:
            raise ValueError(f"static_phase = {static_phase!r} is not one of gas, oil, water")
        fixed = _NAN if pieces is None else _whole("pieces", pieces, 1, 1000)
        pipeline = _NAN if pipeline_efficiency is None else pipeline_efficiency
        lock = self._lock
        lock.acquire()
        try:
            if fluid is not None and fluid is not self._fluid_key:
                self._bind(fluid)
            elif self._phases is None:
                self._bind(BlackOilFluid())
            # One native call checks every value with the limits all pdrop
            # tools share (naming the keyword argument), sets up and solves.
            return _pdrop.solve(
                self._engine,
                self._native_fluid,
                pipe_id_in,
                inner_od_in,
                dx_ft,
                dz_ft,
                pressure_psia,
                temperature_F,
                gradient_F_per_ft,
                gas_MMscfd,
                oil_STBd,
                water_bbld,
                direction,
                flow_sign,
                roughness_in,
                friction_efficiency,
                hydrostatic_efficiency,
                bool(subdivide),
                max_subdivisions,
                fixed,
                bool(flow_over),
                phase,
                pipeline,
            )
        except TypeError:
            pass  # a value that is not a number: named below, outside the lock
        finally:
            lock.release()
        for name, value in (
            ("pipe_id_in", pipe_id_in),
            ("inner_od_in", inner_od_in),
            ("dx_ft", dx_ft),
            ("dz_ft", dz_ft),
            ("pressure_psia", pressure_psia),
            ("temperature_F", temperature_F),
            ("gradient_F_per_ft", gradient_F_per_ft),
            ("gas_MMscfd", gas_MMscfd),
            ("oil_STBd", oil_STBd),
            ("water_bbld", water_bbld),
            ("direction", direction),
            ("flow_sign", flow_sign),
            ("roughness_in", roughness_in),
            ("friction_efficiency", friction_efficiency),
            ("hydrostatic_efficiency", hydrostatic_efficiency),
            ("max_subdivisions", max_subdivisions),
            ("pipeline_efficiency", pipeline),
        ):
            _number(name, value)
        raise ValueError("a value is not a number")


def solve_segment(correlation: Union[int, str] = 3, **kwargs: Any) -> "SegmentResult":
    """Solves one segment with a new engine; the arguments are those of
    Engine.solve. Returns a SegmentResult."""
    return Engine(correlation).solve(**kwargs)


# The defaults of Engine.solve for the columns solve_segments takes.
_ROW_DEFAULTS = {
    "inner_od_in": 0.0,
    "dx_ft": 0.0,
    "dz_ft": 0.0,
    "gradient_F_per_ft": 0.0,
    "gas_MMscfd": 0.0,
    "oil_STBd": 0.0,
    "water_bbld": 0.0,
    "direction": 1.0,
    "flow_sign": 1.0,
    "roughness_in": 0.0006,
    "friction_efficiency": 1.0,
    "hydrostatic_efficiency": 1.0,
    "max_subdivisions": 20.0,
    "pieces": _NAN,
}


def solve_segments(
    frame: Any,
    correlation: Union[int, str] = 3,
    fluid: Optional[BlackOilFluid] = None,
    threads: Optional[int] = None,
) -> Any:
    """Engine.solve over the rows of a DataFrame, in C++ threads.

    Args:
        frame: a pandas DataFrame (or a dict of equal-length columns) with
            columns named like Engine.solve's numeric arguments: pipe_id_in,
            pressure_psia and temperature_F required; inner_od_in, dx_ft,
            dz_ft, gradient_F_per_ft, gas_MMscfd, oil_STBd, water_bbld,
            direction, flow_sign, roughness_in, friction_efficiency,
            hydrostatic_efficiency, max_subdivisions and pieces (NaN: automatic)
            optional, with solve's defaults. Units as in Engine.solve.
        correlation: code [0-9] or name.
        fluid: a BlackOilFluid (default: the default BlackOilFluid).
        threads: worker threads (default: all cores); the results do not
            depend on it (a row's result never depends on the rows before it).

    Returns:
        DataFrame, one row per input row (same index): the fields of
        SegmentResult (outlet_pressure_psia ... pieces, no_result).
        A row with an invalid value raises ValueError naming the row and the
        column.
    """
    import os

    import numpy as np
    import pandas as pd

    code = correlation_code(correlation)
    if fluid is None:
        fluid = BlackOilFluid()
    if not isinstance(fluid, BlackOilFluid):
        raise ValueError(f"fluid = {fluid!r} is not a BlackOilFluid")
    n_threads = (os.cpu_count() or 1) if threads is None else threads
    if isinstance(n_threads, bool) or not isinstance(n_threads, int) or not 1 <= n_threads <= 1024:
        raise ValueError(f"threads = {threads!r} must be a whole number from 1 to 1024")
    frame = frame if isinstance(frame, pd.DataFrame) else pd.DataFrame(frame)
    known = set(_pdrop.SOLVE_ROW_COLUMNS)
    unknown = [c for c in frame.columns if c not in known]
    if unknown:
        raise ValueError(f"column {unknown[0]!r} is not one of {', '.join(sorted(known))}")
    columns = []
    for name in _pdrop.SOLVE_ROW_COLUMNS:
        if name in frame.columns:
            try:
                values = frame[name].to_numpy(dtype=float)
            except (TypeError, ValueError):
                raise ValueError(f"column {name!r} is not numeric") from None
        elif name in _ROW_DEFAULTS:
            values = np.full(len(frame), _ROW_DEFAULTS[name])
        else:
            raise ValueError(f"column {name!r} is missing")
        columns.append(np.ascontiguousarray(values))
    out = _pdrop.solve_rows(code, fluid.native(), columns, n_threads)
    codes, where = np.unique(out["regime_code"], return_inverse=True)
    names = np.array([_pdrop.regime_name(int(c)) for c in codes], dtype=object)[where]
    frame_out = pd.DataFrame(out, index=frame.index)
    frame_out.insert(list(frame_out.columns).index("regime_code") + 1, "regime", names)
    return frame_out
