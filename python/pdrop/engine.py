"""One engine, one segment: the engine API with keyword arguments."""

import math
import threading
from dataclasses import dataclass, field

from . import _pdrop
from .catalogue import correlation_code
from .fluids import BlackOilFluid

_STATIC = {"gas": 0, "oil": 1, "water": 2}

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

def _sign(name, value):
    if value not in (1, -1):
        raise ValueError(f"{name} = {value!r} must be +1 or -1")
    return int(value)

@dataclass
class SegmentResult:
    """The result of one segment.

    Attributes:
        outlet_pressure_psia: pressure at the computed end [psia]; NaN when the
            segment has no result or it leaves 5-30000 psia (no_result says why).
        friction_dp_psi, elevation_dp_psi, total_dp_psi: changes as added to the
            known-end pressure [psi].
        holdup: in-situ liquid holdup [-].
        regime_code, regime: flow-regime code and name.
        vsg_ftps, vsl_ftps, vg_ftps, vl_ftps: superficial and in-situ velocities [ft/s].
        mixture_density_lbmft3: in-situ mixture density [lbm/ft3].
        reynolds [-], friction_factor [Fanning, -], pieces: sub-segments used.
        record: every field of the engine's segment record as the engine left
            it (NaN = not computed), even when the segment has no result.
        no_result: why there is no outlet pressure, or "" (then every value
            above is NaN).
        notes: the calculation a gas equation ran instead of its own for this
            stream (e.g. Panhandle on a liquid stream runs Fanning liquid flow),
            and the published ranges of the built-in fluid's correlations that
            the segment leaves (warnings, never refusals).
    """

    outlet_pressure_psia: float
    friction_dp_psi: float
    elevation_dp_psi: float
    total_dp_psi: float
    holdup: float
    regime_code: int
    regime: str
    vsg_ftps: float
    vsl_ftps: float
    vg_ftps: float
    vl_ftps: float
    mixture_density_lbmft3: float
    reynolds: float
    friction_factor: float
    pieces: int
    record: dict = field(repr=False)
    no_result: str = ""
    notes: list = field(default_factory=list)

    def as_dict(self):
        """The result as a plain dict (record included)."""
        d = dict(self.__dict__)
        d["record"] = dict(self.record)
        return d

class Engine:
    """A pressure-drop engine for one correlation.

    An engine may be shared between threads: each solve holds the engine's
    lock from its set-up to the reading of its record (also while the
    calculation runs without the GIL), so threads sharing one engine take
    turns. One engine per thread is the fast path: engines are cheap, and
    threads with engines of their own run in parallel.

    Args:
        correlation: code [0-9] or list name, e.g. 3 or "Modified Beggs & Brill".
    """

    def __init__(self, correlation=3):
        self.code = correlation_code(correlation)
        self._engine = _pdrop.CPressDrop.New(self.code)
        self._phases = None
        self._fluid_key = None
        # The native engine keeps the set-up, the bound fluid and the record
        # of the last segment: one solve at a time.
        self._lock = threading.Lock()

    def bind(self, fluid):
        """Binds a fluid: a BlackOilFluid, or a (gas, oil, water) tuple of phase
        objects (pdrop.Phase subclasses written in Python, or None for an
        absent phase). The engine keeps them alive."""
        with self._lock:
            self._bind(fluid)

    def _bind(self, fluid):
        if isinstance(fluid, BlackOilFluid):
            self._phases = fluid.phases()
            gas, oil, water = self._phases.gas, self._phases.oil, self._phases.water
        elif isinstance(fluid, (tuple, list)) and len(fluid) == 3:
            for name, ph in zip(("gas", "oil", "water"), fluid):
                if ph is not None and not isinstance(ph, _pdrop.CProp):
                    raise ValueError(f"fluid {name} = {ph!r} is not a pdrop.Phase")
            self._phases = tuple(fluid)
            gas, oil, water = fluid
        else:
            raise ValueError(f"fluid = {fluid!r} is not a BlackOilFluid or a (gas, oil, water) tuple")
        self._engine.SetProps(gas, oil, water)
        self._fluid_key = fluid

    def solve(self, *, pipe_id_in, pressure_psia, temperature_F, dz_ft=0.0, dx_ft=0.0,
              inner_od_in=0.0, gradient_F_per_ft=0.0, gas_MMscfd=0.0, oil_STBd=0.0,
              water_bbld=0.0, fluid=None, direction=1, flow_sign=1, roughness_in=0.0006,
              friction_efficiency=1.0, hydrostatic_efficiency=1.0, subdivide=True,
              max_subdivisions=20, pieces=None, flow_over=False, static_phase="gas",
              pipeline_efficiency=None):
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
        # One set of limits for every pdrop tool: the C++ check names the
        # keyword argument, its value and the accepted range.
        pipe_id, inner, rough, dx, dz, p, t, grad, qg, qo, qw = (
            _number(name, value) for name, value in (
                ("pipe_id_in", pipe_id_in), ("inner_od_in", inner_od_in),
                ("roughness_in", roughness_in), ("dx_ft", dx_ft), ("dz_ft", dz_ft),
                ("pressure_psia", pressure_psia), ("temperature_F", temperature_F),
                ("gradient_F_per_ft", gradient_F_per_ft), ("gas_MMscfd", gas_MMscfd),
                ("oil_STBd", oil_STBd), ("water_bbld", water_bbld)))
        sign = _sign("direction", direction)
        flow = _sign("flow_sign", flow_sign)
        _pdrop.check_segment(pipe_id, inner, rough, dx, dz, p, t, grad, qg, qo, qw, sign, flow)
        fe = _number("friction_efficiency", friction_efficiency, 0.0, 10.0, low_open=True)
        hfe = _number("hydrostatic_efficiency", hydrostatic_efficiency, 0.0, 10.0, low_open=True)
        nmax = _number("max_subdivisions", max_subdivisions, 1.0, 1000.0)
        if static_phase not in _STATIC:
            raise ValueError(f"static_phase = {static_phase!r} is not one of gas, oil, water")
        fixed = _pdrop.NOT_SET if pieces is None else _whole("pieces", pieces, 1, 1000)
        pipeline_fe = (None if pipeline_efficiency is None else
                       _number("pipeline_efficiency", pipeline_efficiency, 0.0, 2.0,
                               low_open=True))
        e = self._engine
        lock = self._lock
        lock.acquire()
        try:
            if fluid is not None and fluid is not self._fluid_key:
                self._bind(fluid)
            elif self._phases is None:
                self._bind(BlackOilFluid())
            e.Init(inner, pipe_id, dx, dz)
            # Options after Init, which resets the signs and may reset others.
            e.SetDir(sign)
            e.SetFlw(flow)
            e.SetFf(rough)
            e.SetFe(fe)
            e.SetHFe(hfe)
            e.SetSubdiv(1 if subdivide else 0)
            e.SetFlowOver(1 if flow_over else 0)
            e.SetGradientType(_STATIC[static_phase])
            e.m_dMaxSubdiv = nmax
            e.m_dNumSubdiv = fixed
            if pipeline_fe is not None:
                e.SetFE(pipeline_fe)
            p2 = e.Cal(p, t + 459.67, grad, qg, qo, qw)
            rec = e.record()
            code = e.GetCode()
            used = e.m_nSubdivUsed
            # A pressure outside the accepted range is not an answer.
            no_result = (e.NoResultReason() if p2 == _pdrop.NOT_SET
                         else _pdrop.pressure_out_of_range(p2))
            notes = []
            if not no_result:
                note = e.CalculationNote()
                notes = [note] if note else []
                if isinstance(self._fluid_key, BlackOilFluid):
                    far_F = t + grad * math.hypot(dx, dz) * sign
                    notes += _pdrop.fitted_range_warnings(
                        self._fluid_key.native(), self.code, min(t, far_F), max(t, far_F),
                        pipe_id, abs(qg), abs(qo), abs(qw))
        finally:
            lock.release()
        # Without a result, no number of the segment is an answer.
        shown = (lambda v: float("nan")) if no_result else (lambda v: v)
        return SegmentResult(
            outlet_pressure_psia=shown(p2),
            friction_dp_psi=shown(rec["friction_dp_psi"]),
            elevation_dp_psi=shown(rec["elevation_dp_psi"]),
            total_dp_psi=shown(rec["total_dp_psi"]),
            holdup=shown(rec["holdup"]),
            regime_code=code,
            regime=_pdrop.regime_name(code),
            vsg_ftps=shown(rec["vsg_ftps"]),
            vsl_ftps=shown(rec["vsl_ftps"]),
            vg_ftps=shown(rec["vg_ftps"]),
            vl_ftps=shown(rec["vl_ftps"]),
            mixture_density_lbmft3=shown(rec["mixture_density_lbmft3"]),
            reynolds=shown(rec["reynolds"]),
            friction_factor=shown(rec["friction_factor"]),
            pieces=used,
            record=rec,
            no_result=no_result,
            notes=notes,
        )

def solve_segment(correlation=3, **kwargs):
    """Solves one segment with a new engine; the arguments are those of
    Engine.solve. Returns a SegmentResult."""
    return Engine(correlation).solve(**kwargs)
