// One segment from Python in one call: the checks every pdrop tool shares,
// the engine's set-up, Cal and the result, with no Python object touched
// while the GIL is released. The result keeps the record as numbers and
// makes its dict and its notes only when they are asked for.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <optional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "Binding.h"
#include "pdrop/pdrop.h"

namespace py = pybind11;

namespace pdrop::python {
namespace {

constexpr double kRankine = 459.67;

struct SegmentOutcome {
  double outlet = 0.0, friction = 0.0, elevation = 0.0, total = 0.0, holdup = 0.0;
  int regimeCode = 666;
  double vsg = 0.0, vsl = 0.0, vg = 0.0, vl = 0.0, mixtureDensity = 0.0, reynolds = 0.0,
         frictionFactor = 0.0;
  int pieces = 0;
  std::string noResult;
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

double NaN() { return std::numeric_limits<double>::quiet_NaN(); }

SegmentOutcome Solve(CPressDrop& e, const BlackOilFluid* fluid, double pipeId, double innerOd,
                     double dx, double dz, double p, double tF, double gradient, double gas,
                     double oil, double water, double direction, double flowSign,
                     double roughness, double fe, double hfe, bool subdivide,
                     double maxSubdiv, double pieces, bool flowOver, int staticPhase,
                     double pipelineFe) {
  CheckSegment({pipeId, innerOd, roughness, dx, dz, p, tF, gradient, gas, oil, water, direction,
                flowSign});
  CheckRange("friction_efficiency", fe, limits::kEfficiency);
  CheckRange("hydrostatic_efficiency", hfe, limits::kEfficiency);
  CheckRange("max_subdivisions", maxSubdiv, {1.0, 1000.0, false, "1 to 1000"});
  if (!std::isnan(pieces) && !(limits::kPieces.Contains(pieces) && pieces == std::floor(pieces))) {
    throw std::invalid_argument("pieces = " + py::str(py::float_(pieces)).cast<std::string>() +
                                " must be a whole number from 1 to 1000");
  }
  if (!std::isnan(pipelineFe)) {
    CheckRange("pipeline_efficiency", pipelineFe, {0.0, 2.0, true, "above 0 and at most 2"});
  }
  SegmentOutcome out;
  double p2;
  {
    py::gil_scoped_release release;
    e.Init(innerOd, pipeId, dx, dz);
    // Options after Init, which resets the signs and may reset others.
    e.SetDir(static_cast<int>(direction));
    e.SetFlw(static_cast<int>(flowSign));
    e.SetFf(roughness);
    e.SetFe(fe);
    e.SetHFe(hfe);
    e.SetSubdiv(subdivide ? 1 : 0);
    e.SetFlowOver(flowOver ? 1 : 0);
    e.SetGradientType(staticPhase);
    e.m_dMaxSubdiv = maxSubdiv;
    e.m_dNumSubdiv = std::isnan(pieces) ? kNotSet : pieces;
    if (!std::isnan(pipelineFe)) e.SetFE(pipelineFe);
    p2 = e.Cal(p, tF + kRankine, gradient, gas, oil, water);
  }
  // A pressure outside the accepted range is not an answer.
  out.noResult = IsSet(p2) ? PressureOutOfRange(p2) : NoResultReason(e);
  const bool ok = out.noResult.empty();
  auto shown = [ok](double v) { return ok ? Nan(v) : NaN(); };
  out.outlet = shown(p2);
  out.friction = shown(e.m_dFrictionDP);
  out.elevation = shown(e.m_dElevationDP);
  out.total = shown(e.m_dTotalDP);
  out.holdup = shown(e.m_dHoldup);
  out.regimeCode = e.GetCode();
  out.vsg = shown(e.m_dVsg);
  out.vsl = shown(e.m_dVsl);
  out.vg = shown(e.m_dVg);
  out.vl = shown(e.m_dVl);
  out.mixtureDensity = shown(e.m_dRhoS);
  out.reynolds = shown(e.m_dReM);
  out.frictionFactor = shown(e.m_dFm);
  out.pieces = e.m_nSubdivUsed;
  e.CopyData(out.record);
  if (ok) out.calculationNote = CalculationNote(e);
  if (fluid != nullptr) {
    out.fluid = *fluid;
    out.code = e.m_nCode;
    const double farEnd = tF + gradient * std::hypot(dx, dz) * direction;
    out.envelope.minTemperature_F = std::min(tF, farEnd);
    out.envelope.maxTemperature_F = std::max(tF, farEnd);
    out.envelope.maxPipeId_in = pipeId;
    out.envelope.gas_MMscfd = std::fabs(gas);
    out.envelope.oil_STBd = std::fabs(oil);
    out.envelope.water_bbld = std::fabs(water);
  }
  return out;
}

// The columns of solve_rows, in the order of Solve's numeric arguments.
constexpr const char* kRowColumns[] = {
    "pipe_id_in",  "inner_od_in",         "dx_ft",          "dz_ft",     "pressure_psia",
    "temperature_F", "gradient_F_per_ft", "gas_MMscfd",     "oil_STBd",  "water_bbld",
    "direction",   "flow_sign",           "roughness_in",   "friction_efficiency",
    "hydrostatic_efficiency", "max_subdivisions", "pieces"};
constexpr std::size_t kRowColumnCount = sizeof kRowColumns / sizeof kRowColumns[0];

// Solves rows of segments on threads, each block of rows with an engine and
// phase objects of its own; a row's result never depends on the rows before
// it, so any thread count gives the same results.
using Column = py::array_t<double, py::array::c_style | py::array::forcecast>;

py::dict SolveRows(int code, const BlackOilFluid& fluid, const std::vector<Column>& arrays,
                   int threads) {
  if (arrays.size() != kRowColumnCount) throw std::invalid_argument("solve_rows: columns");
  const std::size_t n = static_cast<std::size_t>(arrays[0].size());
  std::vector<const double*> columns;
  for (const Column& a : arrays) {
    if (static_cast<std::size_t>(a.size()) != n) throw std::invalid_argument("solve_rows: lengths");
    columns.push_back(a.data());
  }
  fluid.Validate();
  for (std::size_t i = 0; i < n; ++i) {
    auto at = [&](std::size_t k) { return columns[k][i]; };
    try {
      CheckSegment({at(0), at(1), at(12), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9),
                    at(10), at(11)});
      CheckRange("friction_efficiency", at(13), limits::kEfficiency);
      CheckRange("hydrostatic_efficiency", at(14), limits::kEfficiency);
      CheckRange("max_subdivisions", at(15), {1.0, 1000.0, false, "1 to 1000"});
      if (!std::isnan(at(16)) && !(limits::kPieces.Contains(at(16)) && at(16) == std::floor(at(16)))) {
        throw std::invalid_argument("pieces must be a whole number from 1 to 1000");
      }
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument("row " + std::to_string(i) + ": " + e.what());
    }
  }
  std::vector<double> outlet(n), friction(n), elevation(n), total(n), holdup(n), vsg(n), vsl(n),
      vg(n), vl(n), rho(n), reynolds(n), factor(n);
  std::vector<int> regime(n), pieces(n);
  std::vector<std::string> noResult(n);
  const std::size_t blocks = std::max<std::size_t>(1, std::min<std::size_t>(threads, n));
  {
    py::gil_scoped_release release;
    ParallelFor(blocks, static_cast<int>(blocks), [&](std::size_t b) {
      BlackOilPhases ph = fluid.MakePhases();
      std::unique_ptr<CPressDrop> e;
      for (std::size_t i = b * n / blocks; i < (b + 1) * n / blocks; ++i) {
        auto at = [&](std::size_t k) { return columns[k][i]; };
        // The mechanistic searches start from their last bracket: a fresh
        // engine per row keeps each row's result its own. The other
        // correlations carry nothing from one Cal to the next.
        if (!e || code == 9) {
          e.reset(CPressDrop::New(code));
          e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
        }
        e->Init(at(1), at(0), at(2), at(3));
        e->SetDir(static_cast<int>(at(10)));
        e->SetFlw(static_cast<int>(at(11)));
        e->SetFf(at(12));
        e->SetFe(at(13));
        e->SetHFe(at(14));
        e->SetSubdiv(1);
        e->SetFlowOver(0);
        e->SetGradientType(0);
        e->m_dMaxSubdiv = at(15);
        e->m_dNumSubdiv = std::isnan(at(16)) ? kNotSet : at(16);
        const double p2 = e->Cal(at(4), at(5) + kRankine, at(6), at(7), at(8), at(9));
        noResult[i] = IsSet(p2) ? PressureOutOfRange(p2) : NoResultReason(*e);
        const bool ok = noResult[i].empty();
        auto shown = [ok](double v) { return ok ? Nan(v) : NaN(); };
        outlet[i] = shown(p2);
        friction[i] = shown(e->m_dFrictionDP);
        elevation[i] = shown(e->m_dElevationDP);
        total[i] = shown(e->m_dTotalDP);
        holdup[i] = shown(e->m_dHoldup);
        vsg[i] = shown(e->m_dVsg);
        vsl[i] = shown(e->m_dVsl);
        vg[i] = shown(e->m_dVg);
        vl[i] = shown(e->m_dVl);
        rho[i] = shown(e->m_dRhoS);
        reynolds[i] = shown(e->m_dReM);
        factor[i] = shown(e->m_dFm);
        regime[i] = e->GetCode();
        pieces[i] = e->m_nSubdivUsed;
      }
    });
  }
  auto array = [](const auto& v) {
    using T = typename std::decay_t<decltype(v)>::value_type;
    return py::array_t<T>(static_cast<py::ssize_t>(v.size()), v.data());
  };
  py::dict out;
  out["outlet_pressure_psia"] = array(outlet);
  out["friction_dp_psi"] = array(friction);
  out["elevation_dp_psi"] = array(elevation);
  out["total_dp_psi"] = array(total);
  out["holdup"] = array(holdup);
  out["regime_code"] = array(regime);
  out["vsg_ftps"] = array(vsg);
  out["vsl_ftps"] = array(vsl);
  out["vg_ftps"] = array(vg);
  out["vl_ftps"] = array(vl);
  out["mixture_density_lbmft3"] = array(rho);
  out["reynolds"] = array(reynolds);
  out["friction_factor"] = array(factor);
  out["pieces"] = array(pieces);
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
      .def_property_readonly("record",
                             [](const SegmentOutcome& o) { return RecordDict(o.record); })
      .def_property_readonly("notes", &SegmentOutcome::Notes)
      .def("as_dict",
           [](const SegmentOutcome& o) {
             py::dict d;
             py::object self = py::cast(o);
             for (const char* name :
                  {"outlet_pressure_psia", "friction_dp_psi", "elevation_dp_psi", "total_dp_psi",
                   "holdup", "regime_code", "regime", "vsg_ftps", "vsl_ftps", "vg_ftps",
                   "vl_ftps", "mixture_density_lbmft3", "reynolds", "friction_factor", "pieces",
                   "no_result", "notes", "record"}) {
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
        py::arg("water_bbld"), py::arg("direction"), py::arg("flow_sign"),
        py::arg("roughness_in"), py::arg("friction_efficiency"),
        py::arg("hydrostatic_efficiency"), py::arg("subdivide"), py::arg("max_subdivisions"),
        py::arg("pieces"), py::arg("flow_over"), py::arg("static_phase"),
        py::arg("pipeline_efficiency"));
}

}  // namespace pdrop::python
