// _pdrop: the Python binding of the engine API, the built-in black-oil fluid
// and the traverse. The pure-Python package `pdrop` wraps it with keyword
// arguments, units in the docstrings, NaN for results that were not computed
// and pandas frames.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <memory>

#include "Binding.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/ResultJson.h"
#include "pdrop/case/VfpAxes.h"
#include "pdrop/pdrop.h"
#include "pdrop/workflows/Match.h"
#include "pdrop/workflows/Vfp.h"
#include "pdrop/workflows/VlpRequest.h"

namespace py = pybind11;
using namespace pdrop;

namespace {

using python::Nan;

// Lets a Python class implement a phase object: every operation it does not
// define answers "not set", as the C++ base does.
class PyProp : public CProp {
 public:
  using CProp::CProp;
  double FormationVolumeFactor(double T, double p) override {
    PYBIND11_OVERRIDE(double, CProp, FormationVolumeFactor, T, p);
  }
  double SolutionGasRatio(double T, double p, int flag) override {
    PYBIND11_OVERRIDE(double, CProp, SolutionGasRatio, T, p, flag);
  }
  double BubblePointPressure(double T, double gor) override {
    PYBIND11_OVERRIDE(double, CProp, BubblePointPressure, T, gor);
  }
  double ZFactor(double T, double p) override { PYBIND11_OVERRIDE(double, CProp, ZFactor, T, p); }
  double SpecificGravity() override { PYBIND11_OVERRIDE(double, CProp, SpecificGravity, ); }
  double OilGravity() override { PYBIND11_OVERRIDE(double, CProp, OilGravity, ); }
  double Density(double T, double p) override { PYBIND11_OVERRIDE(double, CProp, Density, T, p); }
  double SurfaceTension(double T, double p) override {
    PYBIND11_OVERRIDE(double, CProp, SurfaceTension, T, p);
  }
  double LiquidYield(double T, double p) override {
    PYBIND11_OVERRIDE(double, CProp, LiquidYield, T, p);
  }
  double Viscosity(double T, double p) override {
    PYBIND11_OVERRIDE(double, CProp, Viscosity, T, p);
  }
  double MassFlow() override { PYBIND11_OVERRIDE(double, CProp, MassFlow, ); }
  double VolFlow() override { PYBIND11_OVERRIDE(double, CProp, VolFlow, ); }
  double LiqVolFlow() override { PYBIND11_OVERRIDE(double, CProp, LiqVolFlow, ); }
  double GasStdVolFlow() override { PYBIND11_OVERRIDE(double, CProp, GasStdVolFlow, ); }
  CSynPar* BubblePointParameter() override {
    PYBIND11_OVERRIDE(CSynPar*, CProp, BubblePointParameter, );
  }
};

py::dict Record(const CPressDrop& e) {
  double values[CPressData::kCopyDataSize];
  e.CopyData(values);
  return python::RecordDict(values);
}

py::dict RowsDict(const TraverseResult& r) {
  using K = RowColumn::Kind;
  py::dict rows;
  for (const RowColumn& col : TraverseColumns()) {
    py::list l;
    for (const TraverseRow& row : r.rows) {
      switch (col.kind) {
        case K::kNumber:
          l.append(col.number(row));
          break;
        case K::kOptional:
          l.append(Nan(col.number(row)));
          break;
        case K::kCode:
          l.append(static_cast<int>(col.number(row)));
          break;
        case K::kText:
          l.append(row.regime_name);
          break;
        case K::kFlag:
          l.append(col.number(row) != 0.0);
          break;
      }
    }
    rows[col.name] = l;
  }
  return rows;
}

py::dict SummaryDict(const TraverseCase& c, const TraverseResult& r) {
  py::dict summary;
  summary["name"] = c.name;
  summary["correlation"] = c.correlation;
  summary["complete"] = r.complete;
  summary["reason"] = r.reason;
  summary["stopped_at_md_ft"] =
      r.complete ? py::object(py::none()) : py::float_(r.stopped_at_md_ft);
  summary["computed_end_pressure_psia"] = Nan(r.computed_end_pressure_psia);
  summary["total_friction_dp_psi"] = r.total_friction_dp_psi;
  summary["total_elevation_dp_psi"] = r.total_elevation_dp_psi;
  summary["loading_md_ft"] = r.has_loading ? py::object(py::float_(r.loading_md_ft)) : py::none();
  summary["warnings"] = r.warnings;
  return summary;
}

py::dict TraverseDict(const TraverseCase& c, const TraverseResult& r) {
  py::dict out;
  out["rows"] = RowsDict(r);
  out["summary"] = SummaryDict(c, r);
  return out;
}

TraverseCase ParseCase(const std::string& text) {
  try {
    return CaseFromJson(ParseJsonText(text, "case"), "case");
  } catch (const InputError& e) {
    throw std::invalid_argument(e.what());
  }
}

py::dict VfpDict(const VfpTable& t) {
  const VfpAxes& a = t.axes;
  const bool prod = a.type == VfpType::kProducer;
  py::dict d;
  d["keyword"] = prod ? "VFPPROD" : "VFPINJ";
  d["table"] = a.table;
  d["units"] = DeckWord(a.units);
  d["flo"] = DeckWord(a.flo);
  d["wfr"] = prod ? py::object(py::str(DeckWord(a.wfr))) : py::none();
  d["gfr"] = prod ? py::object(py::str(DeckWord(a.gfr))) : py::none();
  d["flo_values"] = a.flo_values;
  d["thp_values"] = a.thp_values;
  d["wfr_values"] = a.wfr_values;
  d["gfr_values"] = a.gfr_values;
  d["datum"] = t.datum;
  py::dict units;
  units["flo"] = FloUnit(a);
  units["thp"] = PressureUnit(a.units);
  units["bhp"] = PressureUnit(a.units);
  units["datum"] = DepthUnit(a.units);
  if (prod) {
    units["wfr"] = WfrUnit(a);
    units["gfr"] = GfrUnit(a);
  }
  d["unit_names"] = units;
  d["bhp"] = t.bhp;
  py::list adjustments;
  for (const VfpAdjustment& adj : t.adjustments) {
    py::dict e;
    e["index"] = adj.index;
    e["kind"] = adj.kind == VfpAdjustment::Kind::kFilled ? "filled" : "raised";
    e["bhp"] = adj.bhp;
    e["reason"] = adj.reason;
    adjustments.append(e);
  }
  d["adjustments"] = adjustments;
  d["messages"] = VfpAdjustmentLines(t);
  d["deck"] = VfpDeckText(t);
  return d;
}

py::dict ErrorsDict(const MatchErrors& e, const std::string& prefix) {
  py::dict d;
  d[(prefix + "mean_psi").c_str()] = e.mean_psi;
  d[(prefix + "mean_abs_psi").c_str()] = e.mean_abs_psi;
  d[(prefix + "rms_psi").c_str()] = e.rms_psi;
  d[(prefix + "mean_pct").c_str()] = e.mean_pct;
  d[(prefix + "mean_abs_pct").c_str()] = e.mean_abs_pct;
  d[(prefix + "rms_pct").c_str()] = e.rms_pct;
  return d;
}

// The survey match as plain Python objects for pdrop.match.
py::dict MatchDict(const TraverseCase& c, const MatchResult& r) {
  py::list ranking, traverses;
  for (const CorrelationMatch& m : r.ranked) {
    py::dict row;
    row["correlation_code"] = m.correlation;
    row["correlation"] = m.title;
    row["ok"] = m.ok;
    row["reason"] = m.reason;
    row["fitted"] = m.fitted;
    row["errors"] = ErrorsDict(m.errors, "");
    row["fitted_errors"] = ErrorsDict(m.fitted_errors, "fitted_");
    row["friction_efficiency"] = m.friction_efficiency;
    row["hydrostatic_efficiency"] = m.hydrostatic_efficiency;
    for (const auto& [name, d] :
         {std::pair<const char*, const Determination*>{"friction", &m.friction},
          {"hydrostatic", &m.hydrostatic}}) {
      const std::string n(name);
      row[(n + "_fitted").c_str()] = d->fitted;
      row[(n + "_effect_psi").c_str()] = d->effect_psi;
      row[(n + "_rms_down_psi").c_str()] = Nan(d->rms_down_psi);
      row[(n + "_rms_up_psi").c_str()] = Nan(d->rms_up_psi);
      row[(n + "_at_bound").c_str()] = d->at_bound;
      row[(n + "_determined").c_str()] = d->determined;
      row[(n + "_note").c_str()] = d->note;
    }
    row["friction_share"] = m.friction_share;
    row["traverses"] = m.evaluations;
    row["fit_note"] = m.fit_note;
    row["predicted_psia"] = m.predicted_psia;
    row["fitted_psia"] = m.fitted_psia;
    ranking.append(row);
    TraverseCase given = c;
    given.correlation = m.correlation;
    py::dict pair;
    pair["given"] = TraverseDict(given, m.traverse);
    pair["fitted"] = TraverseDict(given, m.fitted_traverse);
    traverses.append(pair);
  }
  py::dict out;
  out["fit"] = FitModeName(r.fit);
  out["ranking"] = ranking;
  out["traverses"] = traverses;
  out["warnings"] = r.warnings;
  return out;
}

}  // namespace

namespace pdrop::python {

py::dict RecordDict(const double (&values)[CPressData::kCopyDataSize]) {
  const char* const* names = CopyDataNames();
  py::dict d;
  for (int i = 0; i < CPressData::kCopyDataSize; ++i) d[names[i]] = Nan(values[i]);
  return d;
}

}  // namespace pdrop::python

namespace {

// Runs many cases (JSON texts) on threads; (summaries, rows or None).
py::tuple TraverseMany(const std::vector<std::string>& texts, int threads, bool withRows) {
  // Cases that cannot be read are reported in their row; the others
  // run on the threads with the GIL released.
  std::vector<TraverseCase> cases;
  std::vector<std::size_t> index;
  std::vector<std::string> errors(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    try {
      cases.push_back(ParseCase(texts[i]));
      index.push_back(i);
    } catch (const std::invalid_argument& e) {
      errors[i] = e.what();
    }
  }
  // In slices, so that the rows of a large run are never all held at
  // once when only the summaries are wanted.
  constexpr std::size_t kSlice = 1024;
  py::list summaries, rows;
  std::size_t next = 0;  // the next case to report, in input order
  auto unreadable = [&](std::size_t i) {
    py::dict summary;
    summary["complete"] = false;
    summary["error"] = errors[i];
    summaries.append(summary);
    rows.append(py::none());
  };
  for (std::size_t from = 0; from < cases.size(); from += kSlice) {
    const std::size_t to = std::min(cases.size(), from + kSlice);
    const std::vector<TraverseCase> slice(cases.begin() + from, cases.begin() + to);
    std::vector<TraverseResult> results;
    {
      py::gil_scoped_release release;
      results = RunTraverses(slice, threads);
    }
    for (std::size_t r = 0; r < slice.size(); ++r) {
      const std::size_t i = index[from + r];
      while (next < i) unreadable(next++);
      py::dict summary = SummaryDict(slice[r], results[r]);
      summary["error"] = "";
      summaries.append(summary);
      rows.append(withRows ? py::object(RowsDict(results[r])) : py::none());
      next = i + 1;
    }
  }
  while (next < texts.size()) unreadable(next++);
  return py::make_tuple(summaries, rows);
}

// The phase interface, the built-in black-oil fluid and its phase objects.
void BindFluids(py::module_& m) {
  py::class_<CSynPar>(m, "CSynPar")
      .def(py::init<>())
      .def(py::init<double>())
      .def_property(
          "value", [](const CSynPar& s) { return s.Value(); }, [](CSynPar& s, double v) { s = v; });

  py::class_<CProp, PyProp>(m, "CProp")
      .def(py::init<>())
      .def("FormationVolumeFactor", &CProp::FormationVolumeFactor)
      .def("SolutionGasRatio", &CProp::SolutionGasRatio)
      .def("BubblePointPressure", &CProp::BubblePointPressure)
      .def("ZFactor", &CProp::ZFactor)
      .def("SpecificGravity", &CProp::SpecificGravity)
      .def("OilGravity", &CProp::OilGravity)
      .def("Density", &CProp::Density)
      .def("SurfaceTension", &CProp::SurfaceTension)
      .def("LiquidYield", &CProp::LiquidYield)
      .def("Viscosity", &CProp::Viscosity)
      .def("MassFlow", &CProp::MassFlow)
      .def("VolFlow", &CProp::VolFlow)
      .def("LiqVolFlow", &CProp::LiqVolFlow)
      .def("GasStdVolFlow", &CProp::GasStdVolFlow)
      .def("BubblePointParameter", &CProp::BubblePointParameter,
           py::return_value_policy::reference_internal);

  py::class_<BlackOilGas, CProp>(m, "BlackOilGas");
  py::class_<BlackOilOil, CProp>(m, "BlackOilOil");
  py::class_<BlackOilWater, CProp>(m, "BlackOilWater");

  py::class_<BlackOilPhases>(m, "BlackOilPhases")
      .def_property_readonly(
          "gas", [](BlackOilPhases& p) { return p.gas.get(); },
          py::return_value_policy::reference_internal)
      .def_property_readonly(
          "oil", [](BlackOilPhases& p) { return p.oil.get(); },
          py::return_value_policy::reference_internal)
      .def_property_readonly(
          "water", [](BlackOilPhases& p) { return p.water.get(); },
          py::return_value_policy::reference_internal);

  py::enum_<ZCorrelation>(m, "ZCorrelation")
      .value("DRANCHUK_ABOU_KASSEM", ZCorrelation::kDranchukAbouKassem)
      .value("HALL_YARBOROUGH", ZCorrelation::kHallYarborough);
  py::enum_<BubblePointCorrelation>(m, "BubblePointCorrelation")
      .value("STANDING", BubblePointCorrelation::kStanding)
      .value("VASQUEZ_BEGGS", BubblePointCorrelation::kVasquezBeggs);

  py::class_<BlackOilFluid>(m, "BlackOilFluid")
      .def(py::init<>())
      .def_readwrite("gasGravity", &BlackOilFluid::gasGravity)
      .def_readwrite("oilApi", &BlackOilFluid::oilApi)
      .def_readwrite("waterSalinity", &BlackOilFluid::waterSalinity)
      .def_readwrite("waterGravity", &BlackOilFluid::waterGravity)
      .def_readwrite("waterYield", &BlackOilFluid::waterYield)
      .def_readwrite("bubblePoint", &BlackOilFluid::bubblePoint)
      .def_readwrite("separatorPressure", &BlackOilFluid::separatorPressure)
      .def_readwrite("separatorTemperature", &BlackOilFluid::separatorTemperature)
      .def_readwrite("zCorrelation", &BlackOilFluid::zCorrelation)
      .def_readwrite("bubblePointCorrelation", &BlackOilFluid::bubblePointCorrelation)
      .def("Validate", py::overload_cast<>(&BlackOilFluid::Validate, py::const_))
      .def("MakePhases", &BlackOilFluid::MakePhases);
}

// The engine class with its catalogue of correlations and regimes.
void BindEngine(py::module_& m) {
  py::class_<CPressDrop, std::unique_ptr<CPressDrop>>(m, "CPressDrop")
      .def_static("New",
                  [](int code) { return std::unique_ptr<CPressDrop>(CPressDrop::New(code)); })
      .def("Init", &CPressDrop::Init)
      .def("SetFlw", &CPressDrop::SetFlw)
      .def("SetDir", &CPressDrop::SetDir)
      .def("SetSubdiv", &CPressDrop::SetSubdiv)
      .def("SetFe", &CPressDrop::SetFe)
      .def("SetHFe", &CPressDrop::SetHFe)
      .def("SetFf", &CPressDrop::SetFf)
      .def("SetFlowOver", &CPressDrop::SetFlowOver)
      .def("SetGradientType", &CPressDrop::SetGradientType)
      .def("SetFE", &CPressDrop::SetFE)
      .def("GetFE", &CPressDrop::GetFE)
      .def("GetCode", &CPressDrop::GetCode)
      .def("SetProps", py::overload_cast<CProp*, CProp*, CProp*>(&CPressDrop::SetProps),
           py::keep_alive<1, 2>(), py::keep_alive<1, 3>(), py::keep_alive<1, 4>())
      .def("Cal",
           py::overload_cast<double, double, double, double, double, double>(&CPressDrop::Cal),
           py::call_guard<py::gil_scoped_release>())
      .def_readwrite("m_dNumSubdiv", &CPressDrop::m_dNumSubdiv)
      .def_readwrite("m_dMaxSubdiv", &CPressDrop::m_dMaxSubdiv)
      .def_readwrite("m_nMaxIter", &CPressDrop::m_nMaxIter)
      .def_readwrite("m_bWaterInGas", &CPressDrop::m_bWaterInGas)
      .def_readonly("m_nSubdivUsed", &CPressDrop::m_nSubdivUsed)
      .def_readonly("m_nCode", &CPressDrop::m_nCode)
      .def("record", &Record)
      .def("NoResultReason", [](const CPressDrop& e) { return NoResultReason(e); })
      .def("CalculationNote", [](CPressDrop& e) { return CalculationNote(e); })
      .def_static("GetCodeName", &CPressDrop::GetCodeName)
      .def_static("GetBblHelp", &CPressDrop::GetBblHelp)
      .def_static("GetDefaultFlowEff", &CPressDrop::GetDefaultFlowEff)
      .def_static("Enumerate",
                  [](const std::string& list) {
                    std::vector<std::string> names;
                    std::vector<std::uint16_t> codes;
                    if (list == "all")
                      CPressDrop::EnumerateAll(names, codes);
                    else if (list == "gas")
                      CPressDrop::EnumerateGas(names, codes);
                    else if (list == "liquid")
                      CPressDrop::EnumerateLiquid(names, codes);
                    else if (list == "multiphase1")
                      CPressDrop::EnumerateMultiphase1(names, codes);
                    else if (list == "multiphase2")
                      CPressDrop::EnumerateMultiphase2(names, codes);
                    else if (list == "flow_codes")
                      CPressDrop::EnumerateFlowCodes(names, codes);
                    else
                      throw std::invalid_argument(
                          "list = '" + list +
                          "' is not one of all, gas, liquid, multiphase1, multiphase2, flow_codes");
                    return py::make_tuple(names, codes);
                  })
      .def_static("SetMechModel", [](int on) { CPressDrop::m_bMechModel = on; });
}

// Traverses, many traverses, the flow-pattern map and the case check.
void BindTraverses(py::module_& m) {
  m.def(
      "traverse_json",
      [](const std::string& text) {
        const TraverseCase c = ParseCase(text);
        TraverseResult r;
        {
          py::gil_scoped_release release;
          r = RunTraverse(c);
        }
        return TraverseDict(c, r);
      },
      "Runs a traverse from a case in the JSON case-file format with the built-in fluid.");
  m.def(
      "traverse_json_with_phases",
      [](const std::string& text, CProp* gas, CProp* oil, CProp* water) {
        const TraverseCase c = ParseCase(text);
        TraverseResult r;
        {
          py::gil_scoped_release release;
          r = RunTraverse(c, gas, oil, water);
        }
        return TraverseDict(c, r);
      },
      "Runs a traverse from a JSON case with host phase objects (black-oil mode).");
  m.def("case_json_check", [](const std::string& text) { ParseCase(text); });
  m.def("traverse_many_json", &TraverseMany,
        "Runs many cases (JSON texts) on threads; (summaries, rows or None).");
  m.def(
      "flow_map_json",
      [](const std::string& text) {
        TraverseCase c = ParseCase(text);
        c.correlation = 9;
        CaseFlowMap map;
        {
          py::gil_scoped_release release;
          map = MapFirstSegment(c);
        }
        return FlowMapJson(map).dump();
      },
      "The mechanistic flow-pattern map of a case's first segment.");
}

// Lift curves, VFP tables and survey matches.
void BindWorkflows(py::module_& m) {
  m.def(
      "lift_curves_json",
      [](const std::string& caseText, const std::string& requestText, int threads) {
        const TraverseCase base = ParseCase(caseText);
        VlpRequest request;
        WellKind kind;
        try {
          kind = KindOfWell(base);
          request =
              VlpRequestFromJson(ParseJsonText(requestText, "sensitivities"), "sensitivities");
        } catch (const InputError& e) {
          throw std::invalid_argument(e.what());
        }
        if (request.rates.empty()) request.rates = DefaultRates(base, kind);
        request.threads = threads;
        VlpResult result;
        {
          py::gil_scoped_release release;
          result = LiftCurves(base, request);
        }
        return LiftCurvesJson(base, request, result).dump();
      },
      "Lift curves of a well case (JSON) over sensitivities (JSON), as the command's JSON.");
  m.def(
      "vfp_json",
      [](const std::string& caseText, const std::string& axesText, int threads,
         const std::string& caseFile) {
        const TraverseCase c = ParseCase(caseText);
        VfpTable t;
        try {
          const VfpAxes axes = VfpAxesFromJson(ParseJsonText(axesText, "axes"), "axes");
          py::gil_scoped_release release;
          t = BuildVfpTable(c, axes, threads);
        } catch (const InputError& e) {
          throw std::invalid_argument(e.what());
        }
        t.case_file = caseFile;
        return VfpDict(t);
      },
      "A VFP table of a case from its axes (both JSON); the BHP of every cell, the filled "
      "and raised cells and the deck text.");
  m.def("fitting_available", &FittingAvailable,
        "Whether this build fits efficiencies (it was built with NLopt).");
  m.def(
      "match_json",
      [](const std::string& caseText, const std::string& surveyText, const std::string& where,
         const std::vector<int>& codes, const std::string& fit, double frictionLow,
         double frictionHigh, double hydrostaticLow, double hydrostaticHigh, int threads) {
        const TraverseCase c = ParseCase(caseText);
        try {
          const Survey s = ParseSurvey(surveyText, where, c);
          MatchOptions o;
          o.correlations = codes;
          o.fit = FitModeFromName(fit, "fit");
          o.friction_bounds = {frictionLow, frictionHigh};
          o.hydrostatic_bounds = {hydrostaticLow, hydrostaticHigh};
          o.threads = threads;
          MatchResult r;
          {
            py::gil_scoped_release release;
            r = MatchSurvey(c, s, o);
          }
          py::dict out = MatchDict(c, r);
          py::dict survey;
          std::vector<double> md, p, t;
          for (const SurveyPoint& x : s.points) {
            md.push_back(x.md_ft);
            p.push_back(x.pressure_psia);
            t.push_back(Nan(x.temperature_F));
          }
          survey["md_ft"] = md;
          survey["pressure_psia"] = p;
          survey["temperature_F"] = t;
          out["survey"] = survey;
          return out;
        } catch (const InputError& e) {
          throw std::invalid_argument(e.what());
        }
      },
      "Matches a survey (CSV or JSON text) with the correlations of a JSON case.");
}

// The shared input limits, fitted ranges and names, for the Python layer.
void BindChecks(py::module_& m) {
  m.def(
      "fitted_range_warnings",
      [](const BlackOilFluid& fluid, int code, double tMin, double tMax, double pipeId, double gas,
         double oil, double water) {
        OperatingEnvelope e;
        e.minTemperature_F = tMin;
        e.maxTemperature_F = tMax;
        e.maxPipeId_in = pipeId;
        e.gas_MMscfd = gas;
        e.oil_STBd = oil;
        e.water_bbld = water;
        return FittedRangeWarnings(fluid, code, e);
      },
      "The published ranges of the fluid's and the correlation's data that a segment leaves.");
  m.def("pressure_out_of_range", &PressureOutOfRange,
        "Why a computed pressure [psia] is not shown as an answer, or ''.");
  m.def("regime_name", &RegimeName, "The flow-regime name of a code; '\u2014' for 666.");
  m.def(
      "correlation_code_of_name",
      [](const std::string& name) {
        try {
          return CorrelationCode(nlohmann::json(name), "correlation");
        } catch (const InputError& e) {
          throw std::invalid_argument(e.what());
        }
      },
      "The code of a correlation name, by the case files' rule.");
  m.def(
      "check_segment",
      [](double pipeId, double innerOd, double roughness, double dx, double dz, double p, double t,
         double gradient, double gas, double oil, double water, double direction, double flowSign) {
        CheckSegment({pipeId, innerOd, roughness, dx, dz, p, t, gradient, gas, oil, water,
                      direction, flowSign});
      },
      "Checks the inputs of one segment with the limits every pdrop tool shares; raises "
      "ValueError naming the keyword argument.");
}

}  // namespace

PYBIND11_MODULE(_pdrop, m) {
  m.doc() = "Binding of the pdrop engine; use the pdrop package.";
  m.attr("NOT_SET") = kNotSet;
  m.attr("__version__") = kVersion;
  BindFluids(m);
  BindEngine(m);
  python::BindSegment(m);
  python::BindGradient(m);
  BindTraverses(m);
  BindWorkflows(m);
  BindChecks(m);
}
