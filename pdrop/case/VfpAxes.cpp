#include "pdrop/case/VfpAxes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <stdexcept>

#include "pdrop/case/CaseFile.h"
#include "pdrop/traverse/Limits.h"

namespace pdrop {
namespace {

using nlohmann::json;

// Volume and pressure conversions (exact by definition: 1 ft = 0.3048 m,
// 1 bbl = 42 US gal, 1 lbf/in2 = 6894.757293168 Pa).
constexpr double kM3PerStb = 0.158987294928;
constexpr double kM3PerMscf = 28.316846592;
constexpr double kMPerFt = 0.3048;
constexpr double kPsiPerBar = 1.0e5 / 6894.757293168361;
// sm3/sm3 per Mscf/stb (about 178.1).
constexpr double kM3RatioPerGor = kM3PerMscf / kM3PerStb;

constexpr int kMaxTable = 9999;
constexpr std::size_t kMaxAxisValues = 100;
constexpr std::size_t kMaxCells = 100000;
// The prefix the case-file parser gives a number too large for a double.
constexpr const char* kOverflow = "\x01number too large:";

std::string Shown(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

std::string Item(const std::string& field, std::size_t i) {
  return field + "[" + std::to_string(i) + "]";
}

[[noreturn]] void Fail(const std::string& field, const std::string& what) {
  throw InputError(field + ": " + what);
}

// FLO in stb/d (liquids) or Mscf/d (gas).
double FloField(const VfpAxes& a, double v) {
  if (a.units == VfpUnits::kField) return v;
  return a.flo == VfpFlo::kGas ? v / kM3PerMscf : v / kM3PerStb;
}

// WOR and WCT are the same in both systems; WGR in stb/Mscf.
double WfrField(const VfpAxes& a, double v) {
  if (a.units == VfpUnits::kField || a.wfr != VfpWfr::kWaterGasRatio) return v;
  return v * kM3RatioPerGor;
}

// GOR and GLR in Mscf/stb, OGR in stb/Mscf.
double GfrField(const VfpAxes& a, double v) {
  if (a.units == VfpUnits::kField) return v;
  return a.gfr == VfpGfr::kOilGasRatio ? v * kM3RatioPerGor : v / kM3RatioPerGor;
}

std::string CellName(const VfpAxes& a, std::size_t w, std::size_t g, std::size_t f) {
  std::string s = Item("flo_values", f) + " = " + Shown(a.flo_values[f]);
  if (a.type == VfpType::kProducer) {
    s += ", " + Item("wfr_values", w) + " = " + Shown(a.wfr_values[w]) + ", " +
         Item("gfr_values", g) + " = " + Shown(a.gfr_values[g]) + " (" + DeckWord(a.flo) + ", " +
         DeckWord(a.wfr) + ", " + DeckWord(a.gfr) + ")";
  }
  return s;
}

double Det3(const double m[3][3]) {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

void CheckAxis(const std::vector<double>& values, const std::string& field) {
  if (values.empty()) Fail(field, "the axis is empty (give at least one value)");
  if (values.size() > kMaxAxisValues) {
    Fail(field, std::to_string(values.size()) + " values; an axis takes at most " +
                    std::to_string(kMaxAxisValues));
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!std::isfinite(values[i])) Fail(Item(field, i), "must be a finite number");
    if (i == 0) continue;
    // Compared as written, so that the deck never shows a repeated value.
    const double shown = std::strtod(DeckNumber(values[i]).c_str(), nullptr);
    const double before = std::strtod(DeckNumber(values[i - 1]).c_str(), nullptr);
    if (!(shown > before)) {
      Fail(Item(field, i), Shown(values[i]) + " does not exceed " + Item(field, i - 1) + " = " +
                               Shown(values[i - 1]) + " (axis values must increase strictly)");
    }
  }
}

void CheckEach(const std::vector<double>& values, const std::string& field, double low, double high,
               bool lowOpen, const std::string& text) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double v = values[i];
    const bool ok = (lowOpen ? v > low : v >= low) && v <= high;
    if (!ok) Fail(Item(field, i), Shown(v) + " is outside the accepted range " + text);
  }
}

// JSON helpers in the manner of the case reader.
std::string Text(const json& v, const std::string& field) {
  if (!v.is_string()) Fail(field, "expected a text, found " + v.dump());
  return v.get<std::string>();
}

double Number(const json& v, const std::string& field) {
  if (v.is_string() && v.get_ref<const std::string&>().rfind(kOverflow, 0) == 0) {
    Fail(field, "the number " + v.get<std::string>().substr(std::string(kOverflow).size()) +
                    " is too large for a double");
  }
  if (!v.is_number()) Fail(field, "expected a number, found " + v.dump().substr(0, 60));
  return v.get<double>();
}

std::vector<double> Numbers(const json& v, const std::string& field) {
  if (!v.is_array()) Fail(field, "expected a list of numbers");
  std::vector<double> out;
  for (std::size_t i = 0; i < v.size(); ++i) out.push_back(Number(v[i], Item(field, i)));
  return out;
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return s;
}

VfpAxes ReadAxes(const json& j) {
  if (!j.is_object()) throw InputError("expected an object with the table's axes");
  VfpAxes a;
  // The units decide the names of the unit-bearing fields, so they come first.
  if (j.contains("units")) {
    const std::string u = Upper(Text(j["units"], "units"));
    if (u == "FIELD") {
      a.units = VfpUnits::kField;
    } else if (u == "METRIC") {
      a.units = VfpUnits::kMetric;
    } else {
      Fail("units", "'" + j["units"].get<std::string>() + "' is not one of FIELD, METRIC");
    }
  }
  if (!j.contains("type")) throw InputError("missing field 'type' (prod or inj)");
  const std::string type = Text(j["type"], "type");
  if (type == "prod") {
    a.type = VfpType::kProducer;
  } else if (type == "inj") {
    a.type = VfpType::kInjector;
  } else {
    Fail("type", "'" + type + "' is not one of prod, inj");
  }
  const bool prod = a.type == VfpType::kProducer;

  std::set<std::string> allowed = {"table",      "type",       "units",       "flo",
                                   "flo_values", a.ThpField(), a.DatumField()};
  if (prod) allowed.insert({"wfr", "wfr_values", "gfr", "gfr_values"});
  for (auto it = j.begin(); it != j.end(); ++it) {
    const std::string& key = it.key();
    if (allowed.count(key) != 0) continue;
    if (!prod && (key.rfind("wfr", 0) == 0 || key.rfind("gfr", 0) == 0)) {
      Fail(key, "a VFPINJ table has no water or gas fraction axis");
    }
    if (key == "thp_psia" || key == "thp_barsa" || key == "datum_ft" || key == "datum_m") {
      Fail(key, std::string("is for ") + (a.units == VfpUnits::kField ? "METRIC" : "FIELD") +
                    " tables; a " + DeckWord(a.units) + " table takes '" +
                    (key.rfind("thp", 0) == 0 ? a.ThpField() : a.DatumField()) + "'");
    }
    throw InputError("unknown field '" + key + "'");
  }
  auto required = [&j](const std::string& key) -> const json& {
    auto it = j.find(key);
    if (it == j.end()) throw InputError("missing field '" + key + "'");
    return *it;
  };

  const json& table = required("table");
  const double number = Number(table, "table");
  if (!table.is_number_integer() || number < 1 || number > kMaxTable) {
    Fail("table", table.dump().substr(0, 60) + " is not a whole number 1 to 9999");
  }
  a.table = static_cast<int>(number);

  const std::string flo = Upper(Text(required("flo"), "flo"));
  if (prod && flo == "OIL") {
    a.flo = VfpFlo::kOil;
  } else if (prod && flo == "LIQ") {
    a.flo = VfpFlo::kLiquid;
  } else if (flo == "GAS") {
    a.flo = VfpFlo::kGas;
  } else if (!prod && flo == "WAT") {
    a.flo = VfpFlo::kWater;
  } else if (!prod && flo == "OIL") {
    a.flo = VfpFlo::kOil;
  } else {
    Fail("flo", "'" + j["flo"].get<std::string>() + "' is not one of " +
                    (prod ? "OIL, LIQ, GAS (VFPPROD)" : "WAT, GAS, OIL (VFPINJ)"));
  }
  a.flo_values = Numbers(required("flo_values"), "flo_values");
  a.thp_values = Numbers(required(a.ThpField()), a.ThpField());
  if (prod) {
    const std::string wfr = Upper(Text(required("wfr"), "wfr"));
    if (wfr == "WOR") {
      a.wfr = VfpWfr::kWaterOilRatio;
    } else if (wfr == "WCT") {
      a.wfr = VfpWfr::kWaterCut;
    } else if (wfr == "WGR") {
      a.wfr = VfpWfr::kWaterGasRatio;
    } else {
      Fail("wfr", "'" + j["wfr"].get<std::string>() + "' is not one of WOR, WCT, WGR");
    }
    const std::string gfr = Upper(Text(required("gfr"), "gfr"));
    if (gfr == "GOR") {
      a.gfr = VfpGfr::kGasOilRatio;
    } else if (gfr == "GLR") {
      a.gfr = VfpGfr::kGasLiquidRatio;
    } else if (gfr == "OGR") {
      a.gfr = VfpGfr::kOilGasRatio;
    } else {
      Fail("gfr", "'" + j["gfr"].get<std::string>() + "' is not one of GOR, GLR, OGR");
    }
    a.wfr_values = Numbers(required("wfr_values"), "wfr_values");
    a.gfr_values = Numbers(required("gfr_values"), "gfr_values");
  }
  if (j.contains(a.DatumField())) a.datum = Number(j[a.DatumField()], a.DatumField());
  a.Validate();
  return a;
}

}  // namespace

std::size_t VfpAxes::WfrCount() const { return type == VfpType::kInjector ? 1 : wfr_values.size(); }

std::size_t VfpAxes::GfrCount() const { return type == VfpType::kInjector ? 1 : gfr_values.size(); }

std::size_t VfpAxes::CellCount() const { return FloCount() * ThpCount() * WfrCount() * GfrCount(); }

std::string VfpAxes::ThpField() const {
  return units == VfpUnits::kField ? "thp_psia" : "thp_barsa";
}

std::string VfpAxes::DatumField() const {
  return units == VfpUnits::kField ? "datum_ft" : "datum_m";
}

void VfpAxes::Validate() const {
  if (table < 1 || table > kMaxTable) {
    Fail("table", std::to_string(table) + " is not a whole number 1 to 9999");
  }
  const bool prod = type == VfpType::kProducer;
  if (prod && flo == VfpFlo::kWater)
    Fail("flo", "WAT is a VFPINJ rate (VFPPROD takes OIL, LIQ, GAS)");
  if (!prod && flo == VfpFlo::kLiquid)
    Fail("flo", "LIQ is a VFPPROD rate (VFPINJ takes WAT, GAS, OIL)");
  CheckAxis(flo_values, "flo_values");
  CheckEach(flo_values, "flo_values", 0.0, 1.0e300, true,
            "above 0 (a rate of the flowing direction)");
  CheckAxis(thp_values, ThpField());
  for (std::size_t i = 0; i < thp_values.size(); ++i) {
    const double p = ToPsia(thp_values[i], units);
    if (!limits::kPressure_psia.Contains(p)) {
      Fail(Item(ThpField(), i),
           Shown(thp_values[i]) + " is outside the accepted range " +
               (units == VfpUnits::kField
                    ? std::string(limits::kPressure_psia.text)
                    : Shown(FromPsia(limits::kPressure_psia.low, units)) + " to " +
                          Shown(FromPsia(limits::kPressure_psia.high, units)) + " barsa"));
    }
  }
  if (prod) {
    CheckAxis(wfr_values, "wfr_values");
    if (wfr == VfpWfr::kWaterCut) {
      CheckEach(wfr_values, "wfr_values", 0.0, 1.0, false, "0 to 1 (a water cut)");
    } else {
      CheckEach(wfr_values, "wfr_values", 0.0, 1.0e300, false, "0 and above");
    }
    CheckAxis(gfr_values, "gfr_values");
    CheckEach(gfr_values, "gfr_values", 0.0, 1.0e300, false, "0 and above");
  } else if (!wfr_values.empty() || !gfr_values.empty()) {
    throw InputError("a VFPINJ table has no water or gas fraction axis");
  }
  if (CellCount() > kMaxCells) {
    throw InputError("the table has " + std::to_string(CellCount()) + " cells; at most " +
                     std::to_string(kMaxCells));
  }
  if (IsSet(datum)) {
    const double ft = ToFeet(datum, units);
    if (!std::isfinite(ft) || std::fabs(ft) > limits::kMaxDepth_ft) {
      Fail(DatumField(), Shown(datum) + " is outside the accepted depths (within 1e7 ft)");
    }
  }
  for (std::size_t w = 0; w < WfrCount(); ++w) {
    for (std::size_t g = 0; g < GfrCount(); ++g) {
      for (std::size_t f = 0; f < FloCount(); ++f) CellRates(*this, w, g, f);
    }
  }
}

const char* DeckWord(VfpFlo flo) {
  switch (flo) {
    case VfpFlo::kOil:
      return "OIL";
    case VfpFlo::kLiquid:
      return "LIQ";
    case VfpFlo::kGas:
      return "GAS";
    case VfpFlo::kWater:
      return "WAT";
  }
  return "";
}

const char* DeckWord(VfpWfr wfr) {
  switch (wfr) {
    case VfpWfr::kWaterOilRatio:
      return "WOR";
    case VfpWfr::kWaterCut:
      return "WCT";
    case VfpWfr::kWaterGasRatio:
      return "WGR";
  }
  return "";
}

const char* DeckWord(VfpGfr gfr) {
  switch (gfr) {
    case VfpGfr::kGasOilRatio:
      return "GOR";
    case VfpGfr::kGasLiquidRatio:
      return "GLR";
    case VfpGfr::kOilGasRatio:
      return "OGR";
  }
  return "";
}

const char* DeckWord(VfpUnits units) { return units == VfpUnits::kField ? "FIELD" : "METRIC"; }

std::string FloUnit(const VfpAxes& a) {
  if (a.units == VfpUnits::kMetric) return "sm3/d";
  return a.flo == VfpFlo::kGas ? "Mscf/d" : "stb/d";
}

std::string WfrUnit(const VfpAxes& a) {
  if (a.wfr == VfpWfr::kWaterCut) return "fraction";
  if (a.units == VfpUnits::kMetric) return "sm3/sm3";
  return a.wfr == VfpWfr::kWaterOilRatio ? "stb/stb" : "stb/Mscf";
}

std::string GfrUnit(const VfpAxes& a) {
  if (a.units == VfpUnits::kMetric) return "sm3/sm3";
  return a.gfr == VfpGfr::kOilGasRatio ? "stb/Mscf" : "Mscf/stb";
}

const char* PressureUnit(VfpUnits units) { return units == VfpUnits::kField ? "psia" : "barsa"; }
const char* DepthUnit(VfpUnits units) { return units == VfpUnits::kField ? "ft" : "m"; }

double ToPsia(double p, VfpUnits units) { return units == VfpUnits::kField ? p : p * kPsiPerBar; }
double FromPsia(double p, VfpUnits units) { return units == VfpUnits::kField ? p : p / kPsiPerBar; }
double ToFeet(double d, VfpUnits units) { return units == VfpUnits::kField ? d : d / kMPerFt; }
double FromFeet(double d, VfpUnits units) { return units == VfpUnits::kField ? d : d * kMPerFt; }

VfpRates CellRates(const VfpAxes& a, std::size_t w, std::size_t g, std::size_t f) {
  const double q = FloField(a, a.flo_values.at(f));
  VfpRates r;
  if (a.type == VfpType::kInjector) {
    if (a.flo == VfpFlo::kGas) r.gas_MMscfd = q / 1000.0;
    if (a.flo == VfpFlo::kOil) r.oil_STBd = q;
    if (a.flo == VfpFlo::kWater) r.water_bbld = q;
  } else {
    // Oil O [stb/d], water W [stb/d] and gas G [Mscf/d] from three linear
    // equations: the rate, the water fraction and the gas fraction.
    const double rw = WfrField(a, a.wfr_values.at(w));
    const double rg = GfrField(a, a.gfr_values.at(g));
    double m[3][3] = {};
    double b[3] = {q, 0.0, 0.0};
    switch (a.flo) {
      case VfpFlo::kOil:
        m[0][0] = 1.0;
        break;  // O = q
      case VfpFlo::kLiquid:
        m[0][0] = m[0][1] = 1.0;
        break;  // O + W = q
      default:
        m[0][2] = 1.0;
        break;  // G = q
    }
    switch (a.wfr) {
      case VfpWfr::kWaterOilRatio:
        m[1][0] = -rw;
        m[1][1] = 1.0;
        break;  // W = rw O
      case VfpWfr::kWaterCut:
        m[1][0] = -rw;
        m[1][1] = 1.0 - rw;
        break;  // W = rw (O + W)
      case VfpWfr::kWaterGasRatio:
        m[1][1] = 1.0;
        m[1][2] = -rw;
        break;  // W = rw G
    }
    switch (a.gfr) {
      case VfpGfr::kGasOilRatio:
        m[2][0] = -rg;
        m[2][2] = 1.0;
        break;  // G = rg O
      case VfpGfr::kGasLiquidRatio:
        m[2][0] = m[2][1] = -rg;
        m[2][2] = 1.0;
        break;  // G = rg (O + W)
      case VfpGfr::kOilGasRatio:
        m[2][0] = 1.0;
        m[2][2] = -rg;
        break;  // O = rg G
    }
    double scale = 1.0;
    for (const auto& row : m) {
      scale *= std::max({std::fabs(row[0]), std::fabs(row[1]), std::fabs(row[2])});
    }
    const double det = Det3(m);
    double x[3] = {};
    bool ok = std::fabs(det) > 1e-12 * scale;
    for (int k = 0; ok && k < 3; ++k) {
      double mk[3][3];
      for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < 3; ++c) mk[i][c] = c == k ? b[i] : m[i][c];
      }
      x[k] = Det3(mk) / det;
      if (std::fabs(x[k]) < 1e-12 * q) x[k] = 0.0;  // rounding of an exact zero
      ok = std::isfinite(x[k]) && x[k] >= 0.0;
    }
    if (!ok) {
      throw InputError(CellName(a, w, g, f) +
                       ": no standard rates have these three values together");
    }
    r.oil_STBd = x[0];
    r.water_bbld = x[1];
    r.gas_MMscfd = x[2] / 1000.0;
  }
  try {
    CheckRange("gas_MMscfd", r.gas_MMscfd, limits::kGas_MMscfd);
    CheckRange("oil_STBd", r.oil_STBd, limits::kOil_STBd);
    CheckRange("water_bbld", r.water_bbld, limits::kWater_bbld);
  } catch (const std::invalid_argument& e) {
    throw InputError(CellName(a, w, g, f) + ": its " + e.what());
  }
  return r;
}

std::string DeckNumber(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

VfpAxes VfpAxesFromJson(const json& j, const std::string& where) {
  try {
    return ReadAxes(j);
  } catch (const InputError& e) {
    throw InputError(where + ": " + e.what());
  }
}

VfpAxes ReadVfpAxesFile(const std::string& path) {
  return VfpAxesFromJson(ReadJsonFile(path, "axes file"), path);
}

}  // namespace pdrop
