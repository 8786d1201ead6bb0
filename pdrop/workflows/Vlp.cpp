#include "pdrop/workflows/Vlp.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "pdrop/platform/Units.h"
#include "pdrop/traverse/Limits.h"
#include "pdrop/traverse/Parallel.h"

namespace pdrop {
namespace {

constexpr double kMaxRatio_scf_per_STB = 1.0e7;

struct Ratios {
  double waterCut = 0.0;     // water / liquid
  double gor = 0.0;          // scf/STB of oil
  double liquidYield = 0.0;  // bbl of liquid per MMscf (gas wells)
};

Ratios BaseRatios(const TraverseCase& c) {
  Ratios r;
  const double liquid = c.oil_STBd + c.water_bbld;
  if (liquid > 0.0) r.waterCut = c.water_bbld / liquid;
  if (c.oil_STBd > 0.0) r.gor = c.gas_MMscfd * units::kScfPerMMscf / c.oil_STBd;
  if (c.gas_MMscfd > 0.0) r.liquidYield = liquid / c.gas_MMscfd;
  return r;
}

// Every combination of the sensitivity values, the first varying slowest.
std::vector<std::vector<double>> Combinations(const std::vector<VlpSensitivity>& sensitivities) {
  std::vector<std::vector<double>> curves(1);
  for (const VlpSensitivity& s : sensitivities) {
    std::vector<std::vector<double>> next;
    for (const auto& combo : curves) {
      for (double v : s.values) {
        next.push_back(combo);
        next.back().push_back(v);
      }
    }
    curves.swap(next);
  }
  return curves;
}

const VlpSensitivity* Find(const std::vector<VlpSensitivity>& s, VlpParameter p) {
  for (const VlpSensitivity& x : s) {
    if (x.parameter == p) return &x;
  }
  return nullptr;
}

}  // namespace

WellKind KindOfWell(const TraverseCase& c) {
  if (c.known_end != ProfileEnd::kFirst) {
    throw std::invalid_argument(
        "known_end: lift curves need the wellhead pressure known (known_end top)");
  }
  if (c.flow_to == ProfileEnd::kLast) {
    if (c.water_bbld > 0.0 && c.gas_MMscfd == 0.0) return WellKind::kWaterInjector;
    if (c.gas_MMscfd > 0.0 && c.water_bbld == 0.0 && c.oil_STBd == 0.0) {
      return WellKind::kGasInjector;
    }
    // Flowing away from the wellhead: an injector, or not a well at all (a
    // pipeline from its inlet).
    throw std::invalid_argument(
        "flow_to: lift curves are for a producer (flow_to top) or an injector of water alone "
        "or gas alone; this case flows away from its known end carrying " +
        std::string(c.oil_STBd > 0.0 ? "oil" : "gas and water"));
  }
  const double liquid = c.oil_STBd + c.water_bbld;
  if (IsGasWellStream(c.gas_MMscfd, liquid)) return WellKind::kGas;
  if (liquid > 0.0) return WellKind::kOil;
  throw std::invalid_argument("oil_STBd, water_bbld, gas_MMscfd: the well produces nothing");
}

const char* RateName(WellKind kind) {
  switch (kind) {
    case WellKind::kOil:
      return "liquid_STBd";
    case WellKind::kWaterInjector:
      return "water_bbld";
    case WellKind::kGas:
    case WellKind::kGasInjector:
      return "gas_MMscfd";
  }
  return "";
}

const char* ParameterName(VlpParameter p) {
  switch (p) {
    case VlpParameter::kWellheadPressure:
      return "wellhead_pressure_psia";
    case VlpParameter::kWaterCut:
      return "water_cut";
    case VlpParameter::kGor:
      return "gor_scf_per_STB";
    case VlpParameter::kGlr:
      return "glr_scf_per_STB";
    case VlpParameter::kTubingId:
      return "id_in";
    case VlpParameter::kCorrelation:
      return "correlation";
  }
  return "";
}

VlpParameter ParameterOfName(const std::string& name) {
  for (VlpParameter p :
       {VlpParameter::kWellheadPressure, VlpParameter::kWaterCut, VlpParameter::kGor,
        VlpParameter::kGlr, VlpParameter::kTubingId, VlpParameter::kCorrelation}) {
    if (name == ParameterName(p)) return p;
  }
  throw std::invalid_argument("'" + name +
                              "' is not one of wellhead_pressure_psia, water_cut, "
                              "gor_scf_per_STB, glr_scf_per_STB, id_in, correlation");
}

TraverseCase PointCase(const TraverseCase& base, WellKind kind, double rate,
                       const std::vector<VlpSensitivity>& sensitivities,
                       const std::vector<double>& values) {
  TraverseCase c = base;
  Ratios r = BaseRatios(base);
  bool glrGiven = false;
  double glr = 0.0;
  for (std::size_t i = 0; i < sensitivities.size(); ++i) {
    const double v = values[i];
    switch (sensitivities[i].parameter) {
      case VlpParameter::kWellheadPressure:
        c.known_pressure_psia = v;
        break;
      case VlpParameter::kWaterCut:
        r.waterCut = v;
        break;
      case VlpParameter::kGor:
        r.gor = v;
        break;
      case VlpParameter::kGlr:
        glrGiven = true;
        glr = v;
        break;
      case VlpParameter::kTubingId:
        for (Station& s : c.stations) s.id_in = v;
        break;
      case VlpParameter::kCorrelation:
        c.correlation = static_cast<int>(v);
        break;
    }
  }
  switch (kind) {
    case WellKind::kOil:
      c.oil_STBd = rate * (1.0 - r.waterCut);
      c.water_bbld = rate * r.waterCut;
      c.gas_MMscfd = (glrGiven ? glr * rate : r.gor * c.oil_STBd) / units::kScfPerMMscf;
      break;
    case WellKind::kGas: {
      c.gas_MMscfd = rate;
      // The liquid the gas carries: from the gas-liquid or gas-oil ratio
      // when one is varied, else the base case's yield; split by water cut.
      double liquid = r.liquidYield * rate;
      if (glrGiven) {
        liquid = glr > 0.0 ? rate * units::kScfPerMMscf / glr : 0.0;
      } else if (Find(sensitivities, VlpParameter::kGor) != nullptr) {
        const double oil = r.gor > 0.0 ? rate * units::kScfPerMMscf / r.gor : 0.0;
        liquid = r.waterCut < 1.0 ? oil / (1.0 - r.waterCut) : 0.0;
      }
      c.oil_STBd = liquid * (1.0 - r.waterCut);
      c.water_bbld = liquid * r.waterCut;
      break;
    }
    case WellKind::kWaterInjector:
      c.water_bbld = rate;
      break;
    case WellKind::kGasInjector:
      c.gas_MMscfd = rate;
      break;
  }
  return c;
}

std::vector<double> DefaultRates(const TraverseCase& c, WellKind kind) {
  const double own = kind == WellKind::kOil             ? c.oil_STBd + c.water_bbld
                     : kind == WellKind::kWaterInjector ? c.water_bbld
                                                        : c.gas_MMscfd;
  std::vector<double> rates;
  for (int k = 0; k < 20; ++k) rates.push_back(own * (0.05 + 2.95 * k / 19.0));
  return rates;
}

void ValidateVlp(const TraverseCase& base, const VlpRequest& request) {
  base.Validate();
  const WellKind kind = KindOfWell(base);
  if (request.rates.empty()) throw std::invalid_argument("rates: give at least one rate");
  static constexpr Range kLiquid{0.0, 1.0e7, true, "above 0 and at most 1e7 STB/d"};
  static constexpr Range kWater{0.0, 1.0e7, true, "above 0 and at most 1e7 bbl/d"};
  static constexpr Range kGas{0.0, 1.0e4, true, "above 0 and at most 10000 MMscf/d"};
  const Range& rateRange = kind == WellKind::kOil             ? kLiquid
                           : kind == WellKind::kWaterInjector ? kWater
                                                              : kGas;
  for (std::size_t i = 0; i < request.rates.size(); ++i) {
    const std::string field = "rates[" + std::to_string(i) + "]";
    const double q = request.rates[i];
    CheckRange(field, q, rateRange);
    if (i > 0 && !(q > request.rates[i - 1])) {
      throw std::invalid_argument(field + " = " + std::to_string(q) +
                                  ": rates must increase strictly");
    }
  }
  for (const VlpSensitivity& s : request.sensitivities) {
    const std::string name = ParameterName(s.parameter);
    if (s.values.empty()) throw std::invalid_argument(name + ": give at least one value");
    for (std::size_t i = 0; i < s.values.size(); ++i) {
      const std::string field = name + "[" + std::to_string(i) + "]";
      const double v = s.values[i];
      switch (s.parameter) {
        case VlpParameter::kWellheadPressure:
          CheckRange(field, v, limits::kPressure_psia);
          break;
        case VlpParameter::kWaterCut:
          CheckRange(field, v, {0.0, 0.999, false, "0 to 0.999"});
          break;
        case VlpParameter::kGor:
        case VlpParameter::kGlr:
          CheckRange(field, v, {0.0, kMaxRatio_scf_per_STB, false, "0 to 1e7 scf/STB"});
          break;
        case VlpParameter::kTubingId:
          CheckRange(field, v, limits::kPipeId_in);
          break;
        case VlpParameter::kCorrelation:
          if (!(v >= 0.0 && v <= 9.0 && v == std::floor(v))) {
            throw std::invalid_argument(field + " = " + std::to_string(v) +
                                        " is not a correlation code 0 to 9");
          }
          break;
      }
    }
  }
  const int glrAndGor = (Find(request.sensitivities, VlpParameter::kGor) != nullptr) +
                        (Find(request.sensitivities, VlpParameter::kGlr) != nullptr);
  if (glrAndGor > 1) {
    throw std::invalid_argument("gor_scf_per_STB, glr_scf_per_STB: vary one of them, not both");
  }
  // Every point's case must be one the traverse takes (a tubing narrower than
  // the inner string, a rate beyond the limits): bad input, not a point
  // without a result.
  for (const std::vector<double>& values : Combinations(request.sensitivities)) {
    for (double q : request.rates) {
      try {
        PointCase(base, kind, q, request.sensitivities, values).Validate();
      } catch (const std::invalid_argument& e) {
        std::ostringstream where;
        for (std::size_t i = 0; i < values.size(); ++i) {
          where << ParameterName(request.sensitivities[i].parameter) << " " << values[i] << ", ";
        }
        where << "rate " << q << ": " << e.what();
        throw std::invalid_argument(where.str());
      }
    }
  }
}

VlpResult LiftCurves(const TraverseCase& base, const VlpRequest& request,
                     const std::function<void(std::size_t, std::size_t)>& progress) {
  ValidateVlp(base, request);
  VlpResult out;
  out.kind = KindOfWell(base);

  const std::vector<std::vector<double>> curves = Combinations(request.sensitivities);

  std::vector<TraverseCase> cases;
  for (std::size_t k = 0; k < curves.size(); ++k) {
    for (double q : request.rates) {
      cases.push_back(PointCase(base, out.kind, q, request.sensitivities, curves[k]));
      VlpPoint p;
      p.curve = k;
      p.values = curves[k];
      p.rate = q;
      out.points.push_back(std::move(p));
    }
  }
  const std::vector<TraverseResult> results = RunTraverses(cases, request.threads, progress);

  for (std::size_t i = 0; i < results.size(); ++i) {
    const TraverseResult& r = results[i];
    VlpPoint& p = out.points[i];
    p.complete = r.complete;
    p.reason = r.reason;
    p.bhp_psia = r.complete ? r.computed_end_pressure_psia : kNotSet;
    if (!r.rows.empty() && r.complete) {
      p.bottom_regime_code = r.rows.back().regime_code;
      p.bottom_regime = r.rows.back().regime_name;
    }
    p.loading = r.has_loading;
    p.loading_md_ft = r.loading_md_ft;
    for (const std::string& w : r.warnings) {
      if (std::find(out.warnings.begin(), out.warnings.end(), w) == out.warnings.end()) {
        out.warnings.push_back(w);
      }
    }
    const TraverseCase& c = cases[i];
    const bool gasWell = out.kind == WellKind::kGas;
    for (const TraverseRow& row : r.rows) {
      if (gasWell && IsSet(row.coleman_MMscfd) && c.gas_MMscfd < row.coleman_MMscfd) {
        p.coleman_loading = true;
      }
    }
  }

  // The minimum of each producer's curve: below its rate the well heads.
  const bool producer = out.kind == WellKind::kOil || out.kind == WellKind::kGas;
  const std::size_t perCurve = request.rates.size();
  for (std::size_t k = 0; producer && k < curves.size(); ++k) {
    VlpPoint* lowest = nullptr;
    for (std::size_t j = 0; j < perCurve; ++j) {
      VlpPoint& p = out.points[k * perCurve + j];
      if (p.complete && (lowest == nullptr || p.bhp_psia < lowest->bhp_psia)) lowest = &p;
    }
    // A lowest point at either end of the rates is no minimum of the curve:
    // it lies beyond them.
    const VlpPoint* first = &out.points[k * perCurve];
    const VlpPoint* last = &out.points[k * perCurve + perCurve - 1];
    if (lowest == nullptr || lowest == first || lowest == last) continue;
    lowest->minimum = true;
    for (std::size_t j = 0; j < perCurve; ++j) {
      VlpPoint& p = out.points[k * perCurve + j];
      p.unstable = p.rate < lowest->rate;
    }
  }
  return out;
}

}  // namespace pdrop
