// One segment from Python in one call: the checks every pdrop tool shares,
// the engine's set-up, Cal and the result, with no Python object touched
// while the GIL is released. The result keeps the record as numbers and
// makes its dict and its notes only when they are asked for.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "Binding.h"
#include "pdrop/pdrop.h"
#include "pdrop/platform/Units.h"

namespace py = pybind11;

namespace pdrop::python {
namespace {

constexpr double kRankine = units::kRankineOffset;

// The inputs of one segment, as Engine.solve and solve_segments take them.
struct SegmentRow {
  double pipeId = 0.0, innerOd = 0.0, dx = 0.0, dz = 0.0, p = 0.0, tF = 0.0, gradient = 0.0;
  double gas = 0.0, oil = 0.0, water = 0.0, direction = 1.0, flowSign = 1.0;
  double roughness = 0.0006, fe = 1.0, hfe = 1.0;
  bool subdivide = true;
  double maxSubdiv = 20.0;
  double pieces = std::numeric_limits<double>::quiet_NaN();  // NaN: automatic
  bool flowOver = false;
  int staticPhase = 0;
  double pipelineFe = std::numeric_limits<double>::quiet_NaN();  // NaN: the default
};

// CheckRange, with the field's name made into a string only for a value
// that is refused.
void CheckIn(const char* field, double value, const Range& range) {
  if (!range.Contains(value)) CheckRange(field, value, range);
}

// The limits every pdrop tool shares, naming Engine.solve's arguments.
void CheckRow(const SegmentRow& r) {
  static const SegmentFieldNames kFieldNames;  // made once, not on every call
  CheckSegment({r.pipeId, r.innerOd, r.roughness, r.dx, r.dz, r.p, r.tF, r.gradient, r.gas, r.oil,
                r.water, r.direction, r.flowSign},
               kFieldNames);
  CheckIn("friction_efficiency", r.fe, limits::kEfficiency);
  CheckIn("hydrostatic_efficiency", r.hfe, limits::kEfficiency);
  CheckIn("max_subdivisions", r.maxSubdiv, {1.0, 1000.0, false, "1 to 1000"});
  if (!std::isnan(r.pieces) &&
      !(limits::kPieces.Contains(r.pieces) && r.pieces == std::floor(r.pieces))) {
    std::ostringstream m;
    m << "pieces = " << r.pieces << " must be a whole number from 1 to 1000";
    throw std::invalid_argument(m.str());
  }
  if (!std::isnan(r.pipelineFe)) {
    CheckIn("pipeline_efficiency", r.pipelineFe, {0.0, 2.0, true, "above 0 and at most 2"});
  }
}

// Sets the segment up on the engine and solves it: the outlet pressure or kNotSet.
double SolveRow(CPressDrop& e, const SegmentRow& r) {
  e.Init(r.innerOd, r.pipeId, r.dx, r.dz);
  // Options after Init, which resets the signs and may reset others.
  e.SetDir(static_cast<int>(r.direction));
  e.SetFlw(static_cast<int>(r.flowSign));
  e.SetFf(r.roughness);
  e.SetFe(r.fe);
  e.SetHFe(r.hfe);
  e.SetSubdiv(r.subdivide ? 1 : 0);
  e.SetFlowOver(r.flowOver ? 1 : 0);
  e.SetGradientType(r.staticPhase);
  e.m_dMaxSubdiv = r.maxSubdiv;
  e.m_dNumSubdiv = std::isnan(r.pieces) ? kNotSet : r.pieces;
  if (!std::isnan(r.pipelineFe)) e.SetFE(r.pipelineFe);
  return e.Cal(r.p, r.tF + kRankine, r.gradient, r.gas, r.oil, r.water);
}

// What a solved segment shows: NaN for every value when it has no result,
// which is also the case when its pressure leaves the accepted range.
struct RowValues {
  double outlet, friction, elevation, total, holdup, vsg, vsl, vg, vl, mixtureDensity, reynolds,
      frictionFactor;
  int regimeCode, pieces;
  std::string noResult;
};

RowValues ReadRow(const CPressDrop& e, double p2) {
  RowValues v;
  v.noResult = IsSet(p2) ? PressureOutOfRange(p2) : NoResultReason(e);
  const bool ok = v.noResult.empty();
  auto shown = [ok](double x) { return ok ? Nan(x) : std::numeric_limits<double>::quiet_NaN(); };
  v.outlet = shown(p2);
  v.friction = shown(e.m_dFrictionDP);
  v.elevation = shown(e.m_dElevationDP);
  v.total = shown(e.m_dTotalDP);
  v.holdup = shown(e.m_dHoldup);
  v.vsg = shown(e.m_dVsg);
  v.vsl = shown(e.m_dVsl);
  v.vg = shown(e.m_dVg);
  v.vl = shown(e.m_dVl);
  v.mixtureDensity = shown(e.m_dRhoS);
  v.reynolds = shown(e.m_dReM);
  v.frictionFactor = shown(e.m_dFm);
  v.regimeCode = e.GetCode();
  v.pieces = e.m_nSubdivUsed;
  return v;
}

struct SegmentOutcome : RowValues {
  std::string calculationNote;
  double record[CPressData::kCopyDataSize];
  // What the fitted-range notes are judged on.
  std::optional<BlackOilFluid> fluid;
  int code = 0;
  OperatingEnvelope envelope;

  py::list Notes() const {
    py::list notes;
    if (!calculationNote.empty()) notes.append(calculationNote);
    if (noResult.empty() && fluid) {
      for (const std::string& w : FittedRangeWarnings(*fluid, code, envelope)) notes.append(w);
    }
    return notes;
  }
};

SegmentOutcome Solve(CPressDrop& e, const BlackOilFluid* fluid, double pipeId, double innerOd,
                     double dx, double dz, double p, double tF, double gradient, double gas,
                     double oil, double water, double direction, double flowSign, double roughness,
                     double fe, double hfe, bool subdivide, double maxSubdiv, double pieces,
                     bool flowOver, int staticPhase, double pipelineFe) {
  const SegmentRow row{pipeId, innerOd,   dx,        dz,        p,        tF,          gradient,
                       gas,    oil,       water,     direction, flowSign, roughness,   fe,
                       hfe,    subdivide, maxSubdiv, pieces,    flowOver, staticPhase, pipelineFe};
  CheckRow(row);
  double p2;
  {
    py::gil_scoped_release release;
    p2 = SolveRow(e, row);
  }
  SegmentOutcome out;
  static_cast<RowValues&>(out) = ReadRow(e, p2);
  e.CopyData(out.record);
  if (out.noResult.empty()) out.calculationNote = CalculationNote(e);
  if (fluid != nullptr) {
    out.fluid = *fluid;
    out.code = e.m_nCode;
    const double farEnd = tF + gradient * std::hypot(dx, dz) * direction;
    out.envelope.minTemperature_F = std::min(tF, farEnd);
    out.envelope.maxTemperature_F = std::max(tF, farEnd);
    out.envelope.maxPipeId_in = pipeId - innerOd;
    out.envelope.gas_MMscfd = std::fabs(gas);
    out.envelope.oil_STBd = std::fabs(oil);
    out.envelope.water_bbld = std::fabs(water);
  }
  return out;
}

// The columns of solve_rows, in the order of SegmentRow's numeric fields;
// the other fields keep Engine.solve's defaults.
constexpr const char* kRowColumns[] = {"pipe_id_in",
                                       "inner_od_in",
                                       "dx_ft",
                                       "dz_ft",
                                       "pressure_psia",
                                       "temperature_F",
                                       "gradient_F_per_ft",
                                       "gas_MMscfd",
                                       "oil_STBd",
                                       "water_bbld",
                                       "direction",
                                       "flow_sign",
                                       "roughness_in",
                                       "friction_efficiency",
                                       "hydrostatic_efficiency",
                                       "max_subdivisions",
                                       "pieces"};
constexpr std::size_t kRowColumnCount = sizeof kRowColumns / sizeof kRowColumns[0];

using Column = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Solves rows of segments on threads, each block of rows with an engine and
// phase objects of its own; a row's result never depends on the rows before
// it, so any thread count gives the same results.
py::dict SolveRows(int code, const BlackOilFluid& fluid, const std::vector<Column>& arrays,
                   int threads) {
  if (arrays.size() != kRowColumnCount) throw std::invalid_argument("solve_rows: columns");
  const std::size_t n = static_cast<std::size_t>(arrays[0].size());
  std::vector<const double*> columns;
  for (const Column& a : arrays) {
    if (static_cast<std::size_t>(a.size()) != n) throw std::invalid_argument("solve_rows: lengths");
    columns.push_back(a.data());
  }
  auto rowAt = [&columns](std::size_t i) {
    auto at = [&](std::size_t k) { return columns[k][i]; };
    SegmentRow r;
    r.pipeId = at(0), r.innerOd = at(1), r.dx = at(2), r.dz = at(3), r.p = at(4), r.tF = at(5);
    r.gradient = at(6), r.gas = at(7), r.oil = at(8), r.water = at(9), r.direction = at(10);
    r.flowSign = at(11), r.roughness = at(12), r.fe = at(13), r.hfe = at(14);
    r.maxSubdiv = at(15), r.pieces = at(16);
    return r;
  };
  fluid.Validate();
  for (std::size_t i = 0; i < n; ++i) {
    try {
      CheckRow(rowAt(i));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument("row " + std::to_string(i) + ": " + e.what());
    }
  }
  std::vector<RowValues> values(n);
  const std::size_t blocks = std::max<std::size_t>(1, std::min<std::size_t>(threads, n));
  {
    py::gil_scoped_release release;
    ParallelFor(blocks, static_cast<int>(blocks), [&](std::size_t b) {
      BlackOilPhases ph = fluid.MakePhases();
      std::unique_ptr<CPressDrop> e;
      for (std::size_t i = b * n / blocks; i < (b + 1) * n / blocks; ++i) {
        // The mechanistic searches start from their last bracket: a fresh
        // engine per row keeps each row's result its own. The other
        // correlations carry nothing from one Cal to the next.
        if (!e || code == 9) {
          e.reset(CPressDrop::New(code));
          e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
        }
        values[i] = ReadRow(*e, SolveRow(*e, rowAt(i)));
      }
    });
  }
  py::dict out;
  auto column = [&](const char* name, auto get) {
    using T = decltype(get(values[0]));
    py::array_t<T> a(static_cast<py::ssize_t>(n));
    T* data = a.mutable_data();
    for (std::size_t i = 0; i < n; ++i) data[i] = get(values[i]);
    out[name] = a;
  };
  column("outlet_pressure_psia", [](const RowValues& v) { return v.outlet; });
  column("friction_dp_psi", [](const RowValues& v) { return v.friction; });
  column("elevation_dp_psi", [](const RowValues& v) { return v.elevation; });
  column("total_dp_psi", [](const RowValues& v) { return v.total; });
  column("holdup", [](const RowValues& v) { return v.holdup; });
  column("regime_code", [](const RowValues& v) { return v.regimeCode; });
  column("vsg_ftps", [](const RowValues& v) { return v.vsg; });
  column("vsl_ftps", [](const RowValues& v) { return v.vsl; });
  column("vg_ftps", [](const RowValues& v) { return v.vg; });
  column("vl_ftps", [](const RowValues& v) { return v.vl; });
  column("mixture_density_lbmft3", [](const RowValues& v) { return v.mixtureDensity; });
  column("reynolds", [](const RowValues& v) { return v.reynolds; });
  column("friction_factor", [](const RowValues& v) { return v.frictionFactor; });
  column("pieces", [](const RowValues& v) { return v.pieces; });
  std::vector<std::string> noResult(n);
  for (std::size_t i = 0; i < n; ++i) noResult[i] = values[i].noResult;
  out["no_result"] = noResult;
  return out;
}

}  // namespace

void BindSegment(py::module_& m) {
  py::class_<SegmentOutcome>(m, "SegmentResult", R"(The result of one segment.

Attributes:
    outlet_pressure_psia: pressure at the computed end [psia]; NaN when the
        segment has no result or it leaves 5-30000 psia (no_result says why).
    friction_dp_psi, elevation_dp_psi, total_dp_psi: changes as added to the
        known-end pressure [psi].
    holdup: in-situ liquid holdup [-].
    regime_code, regime: flow-regime code and name ("\u2014" when the method
        classifies none).
    vsg_ftps, vsl_ftps, vg_ftps, vl_ftps: superficial and in-situ velocities [ft/s].
    mixture_density_lbmft3: in-situ mixture density [lbm/ft3].
    reynolds [-], friction_factor [Fanning, -], pieces: sub-segments used.
    no_result: why there is no outlet pressure, or "" (then every value above
        is NaN).
    record: every field of the engine's segment record as the engine left it
        (NaN = not computed), even when the segment has no result.
    notes: the calculation a gas equation ran instead of its own for this
        stream, and the published ranges of the built-in fluid's correlations
        that the segment leaves (warnings, never refusals).)")
      .def_readonly("outlet_pressure_psia", &SegmentOutcome::outlet)
      .def_readonly("friction_dp_psi", &SegmentOutcome::friction)
      .def_readonly("elevation_dp_psi", &SegmentOutcome::elevation)
      .def_readonly("total_dp_psi", &SegmentOutcome::total)
      .def_readonly("holdup", &SegmentOutcome::holdup)
      .def_readonly("regime_code", &SegmentOutcome::regimeCode)
      .def_property_readonly("regime",
                             [](const SegmentOutcome& o) { return RegimeName(o.regimeCode); })
      .def_readonly("vsg_ftps", &SegmentOutcome::vsg)
      .def_readonly("vsl_ftps", &SegmentOutcome::vsl)
      .def_readonly("vg_ftps", &SegmentOutcome::vg)
      .def_readonly("vl_ftps", &SegmentOutcome::vl)
      .def_readonly("mixture_density_lbmft3", &SegmentOutcome::mixtureDensity)
      .def_readonly("reynolds", &SegmentOutcome::reynolds)
      .def_readonly("friction_factor", &SegmentOutcome::frictionFactor)
      .def_readonly("pieces", &SegmentOutcome::pieces)
      .def_readonly("no_result", &SegmentOutcome::noResult)
      .def_property_readonly("record", [](const SegmentOutcome& o) { return RecordDict(o.record); })
      .def_property_readonly("notes", &SegmentOutcome::Notes)
      .def(
          "as_dict",
          [](const SegmentOutcome& o) {
            py::dict d;
            py::object self = py::cast(o);
            for (const char* name :
                 {"outlet_pressure_psia", "friction_dp_psi", "elevation_dp_psi", "total_dp_psi",
                  "holdup", "regime_code", "regime", "vsg_ftps", "vsl_ftps", "vg_ftps", "vl_ftps",
                  "mixture_density_lbmft3", "reynolds", "friction_factor", "pieces", "no_result",
                  "notes", "record"}) {
              d[name] = self.attr(name);
            }
            return d;
          },
          "The result as a plain dict (record included).")
      .def("__repr__", [](const SegmentOutcome& o) {
        return "SegmentResult(outlet_pressure_psia=" +
               py::repr(py::float_(o.outlet)).cast<std::string>() +
               ", regime=" + py::repr(py::str(RegimeName(o.regimeCode))).cast<std::string>() +
               (o.noResult.empty() ? std::string() : ", no_result='" + o.noResult + "'") + ")";
      });

  std::vector<std::string> columns(std::begin(kRowColumns), std::end(kRowColumns));
  m.attr("SOLVE_ROW_COLUMNS") = columns;
  m.def("solve_rows", &SolveRows,
        "Solves rows of segments (columns in SOLVE_ROW_COLUMNS order) on threads.");
  m.def("solve", &Solve, "Checks, sets up and solves one segment on an engine.", py::arg("engine"),
        py::arg("fluid").none(true), py::arg("pipe_id_in"), py::arg("inner_od_in"),
        py::arg("dx_ft"), py::arg("dz_ft"), py::arg("pressure_psia"), py::arg("temperature_F"),
        py::arg("gradient_F_per_ft"), py::arg("gas_MMscfd"), py::arg("oil_STBd"),
        py::arg("water_bbld"), py::arg("direction"), py::arg("flow_sign"), py::arg("roughness_in"),
        py::arg("friction_efficiency"), py::arg("hydrostatic_efficiency"), py::arg("subdivide"),
        py::arg("max_subdivisions"), py::arg("pieces"), py::arg("flow_over"),
        py::arg("static_phase"), py::arg("pipeline_efficiency"));
}

}  // namespace pdrop::python
