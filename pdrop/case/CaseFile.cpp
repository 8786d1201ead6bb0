#include "pdrop/case/CaseFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"

namespace pdrop {
namespace {

using nlohmann::json;

// Values are echoed in messages up to this many characters.
constexpr std::size_t kShownLength = 60;
// Deeper nesting than any case needs is refused before it can exhaust the
// stack of the code that reads or prints it.
constexpr int kMaxDepth = 32;
// A number too large for a double is kept as a string with this prefix by
// the parser, so that the reader can blame the field that holds it.
constexpr const char* kOverflow = "\x01number too large:";

// A field's path inside a case ("fluid.gas_gravity", "stations[2].id_in").
std::string Join(const std::string& where, const std::string& key) {
  return where.empty() ? key : where + "." + key;
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw InputError(where.empty() ? what : where + ": " + what);
}

// A value as shown in a message: its JSON text, cut short.
std::string Shown(const json& v) {
  std::string text = v.dump();
  if (text.size() > kShownLength) text = text.substr(0, kShownLength) + "...";
  return text;
}

// The path of the first number too large for a double inside j, or "".
bool FindOverflow(const json& j, const std::string& path, std::string& found, std::string& text) {
  if (j.is_string()) {
    const std::string& s = j.get_ref<const std::string&>();
    if (s.rfind(kOverflow, 0) != 0) return false;
    found = path;
    text = s.substr(std::char_traits<char>::length(kOverflow));
    return true;
  }
  if (j.is_object()) {
    for (auto it = j.begin(); it != j.end(); ++it) {
      if (FindOverflow(it.value(), Join(path, it.key()), found, text)) return true;
    }
  } else if (j.is_array()) {
    for (std::size_t i = 0; i < j.size(); ++i) {
      if (FindOverflow(j[i], path + "[" + std::to_string(i) + "]", found, text)) return true;
    }
  }
  return false;
}

void CheckFields(const json& j, const std::string& where, const std::set<std::string>& allowed) {
  if (!j.is_object()) Fail(where, "expected an object, found " + Shown(j));
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (allowed.count(it.key()) == 0) Fail(where, "unknown field '" + it.key() + "'");
  }
}

const json& Required(const json& j, const std::string& where, const std::string& key) {
  auto it = j.find(key);
  if (it == j.end()) Fail(where, "missing field '" + key + "'");
  return *it;
}

double Number(const json& v, const std::string& field) {
  if (!v.is_number()) Fail(field, "expected a number, found " + Shown(v));
  return v.get<double>();
}

double NumberOr(const json& j, const std::string& where, const std::string& key, double fallback) {
  auto it = j.find(key);
  return it == j.end() ? fallback : Number(*it, Join(where, "") + key);
}

std::string Text(const json& v, const std::string& field) {
  if (!v.is_string()) Fail(field, "expected a text, found " + Shown(v));
  return v.get<std::string>();
}

ProfileEnd End(const json& v, const std::string& field) {
  const std::string s = Text(v, field);
  if (s == "top" || s == "inlet" || s == "first") return ProfileEnd::kFirst;
  if (s == "bottom" || s == "outlet" || s == "last") return ProfileEnd::kLast;
  Fail(field, "'" + s + "' is not one of top, bottom, inlet, outlet, first, last");
}

Station StationFromJson(const json& j, const std::string& where) {
  CheckFields(j, where,
              {"md_ft", "tvd_ft", "elevation_ft", "id_in", "inner_od_in", "roughness_in"});
  Station s;
  s.md_ft = Number(Required(j, where, "md_ft"), Join(where, "md_ft"));
  const bool tvd = j.contains("tvd_ft");
  const bool elevation = j.contains("elevation_ft");
  if (tvd == elevation) Fail(where, "give exactly one of 'tvd_ft' and 'elevation_ft'");
  s.tvd_ft = tvd ? Number(j["tvd_ft"], Join(where, "tvd_ft"))
                 : 0.0 - Number(j["elevation_ft"], Join(where, "elevation_ft"));  // no -0
  s.id_in = Number(Required(j, where, "id_in"), Join(where, "id_in"));
  s.inner_od_in = NumberOr(j, where, "inner_od_in", 0.0);
  s.roughness_in = NumberOr(j, where, "roughness_in", 0.0006);
  return s;
}

void ReadTemperature(const json& j, const std::string& where, TemperatureModel& t) {
  const std::string model = Text(Required(j, where, "model"), Join(where, "model"));
  if (model == "linear") {
    CheckFields(j, where, {"model", "first_F", "last_F"});
    t.kind = TemperatureModel::Kind::kLinear;
    t.first_F = Number(Required(j, where, "first_F"), Join(where, "first_F"));
    t.last_F = Number(Required(j, where, "last_F"), Join(where, "last_F"));
  } else if (model == "geothermal") {
    CheckFields(j, where, {"model", "surface_F", "gradient_F_per_ft"});
    t.kind = TemperatureModel::Kind::kGeothermal;
    t.surface_F = Number(Required(j, where, "surface_F"), Join(where, "surface_F"));
    t.gradient_F_per_ft =
        Number(Required(j, where, "gradient_F_per_ft"), Join(where, "gradient_F_per_ft"));
  } else {
    Fail(Join(where, "model"), "'" + model + "' is not one of linear, geothermal");
  }
}

void ReadFluid(const json& j, const std::string& where, TraverseCase& c) {
  CheckFields(j, where,
              {"gas_gravity", "oil_api", "water_salinity_wt_pct", "water_gravity",
               "water_yield_bbl_per_MMscf", "bubble_point_psia", "separator_pressure_psia",
               "separator_temperature_F", "z_correlation", "bubble_point_correlation", "mode"});
  if (j.contains("water_salinity_wt_pct") && j.contains("water_gravity")) {
    Fail(where,
         "give one of 'water_salinity_wt_pct' and 'water_gravity', not both "
         "(the gravity decides the salinity)");
  }
  BlackOilFluid& f = c.fluid;
  f.gasGravity = NumberOr(j, where, "gas_gravity", f.gasGravity);
  f.oilApi = NumberOr(j, where, "oil_api", f.oilApi);
  f.waterSalinity = NumberOr(j, where, "water_salinity_wt_pct", f.waterSalinity);
  f.waterGravity = NumberOr(j, where, "water_gravity", f.waterGravity);
  f.waterYield = NumberOr(j, where, "water_yield_bbl_per_MMscf", f.waterYield);
  f.bubblePoint = NumberOr(j, where, "bubble_point_psia", f.bubblePoint);
  f.separatorPressure = NumberOr(j, where, "separator_pressure_psia", f.separatorPressure);
  f.separatorTemperature = NumberOr(j, where, "separator_temperature_F", f.separatorTemperature);
  if (j.contains("z_correlation")) {
    const std::string z = Text(j["z_correlation"], Join(where, "z_correlation"));
    if (z == "dranchuk-abou-kassem") {
      f.zCorrelation = ZCorrelation::kDranchukAbouKassem;
    } else if (z == "hall-yarborough") {
      f.zCorrelation = ZCorrelation::kHallYarborough;
    } else {
      Fail(Join(where, "z_correlation"),
           "'" + z + "' is not one of dranchuk-abou-kassem, hall-yarborough");
    }
  }
  if (j.contains("bubble_point_correlation")) {
    const std::string b =
        Text(j["bubble_point_correlation"], Join(where, "bubble_point_correlation"));
    if (b == "standing") {
      f.bubblePointCorrelation = BubblePointCorrelation::kStanding;
    } else if (b == "vasquez-beggs") {
      f.bubblePointCorrelation = BubblePointCorrelation::kVasquezBeggs;
    } else {
      Fail(Join(where, "bubble_point_correlation"),
           "'" + b + "' is not one of standing, vasquez-beggs");
    }
  }
  if (j.contains("mode")) {
    const std::string m = Text(j["mode"], Join(where, "mode"));
    if (m == "black-oil") {
      c.fluid_mode = FluidMode::kBlackOil;
    } else if (m == "stream") {
      c.fluid_mode = FluidMode::kStream;
    } else {
      Fail(Join(where, "mode"), "'" + m + "' is not one of black-oil, stream");
    }
  }
}

void ReadOptions(const json& j, const std::string& where, TraverseCase& c) {
  CheckFields(j, where,
              {"flow_over", "static_phase", "subdivide", "max_subdivisions", "friction_efficiency",
               "hydrostatic_efficiency"});
  if (j.contains("flow_over")) {
    const json& v = j["flow_over"];
    if (!v.is_boolean())
      Fail(Join(where, "flow_over"), "expected true or false, found " + Shown(v));
    c.flow_over = v.get<bool>() ? 1 : 0;
  }
  if (j.contains("subdivide")) {
    const json& v = j["subdivide"];
    if (!v.is_boolean())
      Fail(Join(where, "subdivide"), "expected true or false, found " + Shown(v));
    c.subdivide = v.get<bool>();
  }
  c.max_subdivisions = NumberOr(j, where, "max_subdivisions", c.max_subdivisions);
  c.friction_efficiency = NumberOr(j, where, "friction_efficiency", c.friction_efficiency);
  c.hydrostatic_efficiency = NumberOr(j, where, "hydrostatic_efficiency", c.hydrostatic_efficiency);
  if (j.contains("static_phase")) {
    const std::string s = Text(j["static_phase"], Join(where, "static_phase"));
    if (s == "gas") {
      c.static_phase = 0;
    } else if (s == "oil") {
      c.static_phase = 1;
    } else if (s == "water") {
      c.static_phase = 2;
    } else {
      Fail(Join(where, "static_phase"), "'" + s + "' is not one of gas, oil, water");
    }
  }
}

}  // namespace

int CorrelationCode(const json& v, const std::string& field) {
  if (v.is_number_integer()) {
    // Compared as 64-bit values, so that a huge code cannot wrap into range.
    const bool inRange = v.is_number_unsigned()
                             ? v.get<std::uint64_t>() <= 9
                             : v.get<std::int64_t>() >= 0 && v.get<std::int64_t>() <= 9;
    if (!inRange) {
      Fail(field, "unknown correlation code " + Shown(v) + " (codes 0 to 9, see 'pdrop list')");
    }
    return static_cast<int>(v.get<std::int64_t>());
  }
  if (v.is_string()) {
    const std::string name = v.get<std::string>();
    auto folded = [](std::string s) {
      std::transform(s.begin(), s.end(), s.begin(),
                     [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
      return s;
    };
    const std::string wanted = folded(name);
    for (int code = 0; code <= 9; ++code) {
      if (folded(CorrelationName(code)) == wanted) return code;
    }
    std::vector<std::string> names;
    std::vector<std::uint16_t> codes;
    for (auto list : {&CPressDrop::EnumerateAll, &CPressDrop::EnumerateLiquid,
                      &CPressDrop::EnumerateMultiphase2}) {
      list(names, codes);
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (folded(names[i]) == wanted) return codes[i];
      }
    }
    Fail(field, "unknown correlation '" + name + "' (see 'pdrop list')");
  }
  Fail(field, "expected a correlation code or name, found " + Shown(v));
}

namespace {

TraverseCase ReadCase(const json& j) {
  const std::string where;  // field paths start at the case itself
  std::string overflowPath, overflowText;
  if (FindOverflow(j, where, overflowPath, overflowText)) {
    Fail(overflowPath, "the number " + overflowText + " is too large for a double");
  }
  CheckFields(
      j, where,
      {"name", "correlation", "known_end", "flow_to", "known_pressure_psia", "gas_MMscfd",
       "oil_STBd", "water_bbld", "temperature", "fluid", "options", "max_segment_ft", "stations"});
  TraverseCase c;
  if (j.contains("name")) c.name = Text(j["name"], "name");
  c.correlation = CorrelationCode(Required(j, where, "correlation"), "correlation");
  c.known_end = End(Required(j, where, "known_end"), "known_end");
  c.flow_to = End(Required(j, where, "flow_to"), "flow_to");
  c.known_pressure_psia = Number(Required(j, where, "known_pressure_psia"), "known_pressure_psia");
  c.gas_MMscfd = Number(Required(j, where, "gas_MMscfd"), "gas_MMscfd");
  c.oil_STBd = Number(Required(j, where, "oil_STBd"), "oil_STBd");
  c.water_bbld = Number(Required(j, where, "water_bbld"), "water_bbld");
  ReadTemperature(Required(j, where, "temperature"), "temperature", c.temperature);
  if (j.contains("fluid")) ReadFluid(j["fluid"], "fluid", c);
  if (j.contains("options")) ReadOptions(j["options"], "options", c);
  c.max_segment_ft = NumberOr(j, where, "max_segment_ft", 0.0);
  const json& st = Required(j, where, "stations");
  if (!st.is_array()) Fail("stations", "expected a list of stations");
  for (std::size_t i = 0; i < st.size(); ++i) {
    c.stations.push_back(StationFromJson(st[i], "stations[" + std::to_string(i) + "]"));
  }
  try {
    c.Validate();
  } catch (const std::invalid_argument& e) {
    Fail(where, e.what());
  }
  return c;
}

// Copies JSON text, replacing each number too large for a double (outside
// strings) by a string that carries it, so that the parser accepts the text
// and the case reader can name the field.
std::string MarkOverflows(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (inString) {
      out += ch;
      if (ch == '\\' && i + 1 < text.size()) {
        out += text[++i];
      } else if (ch == '"') {
        inString = false;
      }
      continue;
    }
    if (ch == '"') inString = true;
    if (ch != '-' && !std::isdigit(static_cast<unsigned char>(ch))) {
      out += ch;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                 std::strchr("+-.eE", text[end]) != nullptr)) {
      ++end;
    }
    const std::string token = text.substr(i, end - i);
    const double v = std::strtod(token.c_str(), nullptr);
    if (std::isinf(v)) {
      // The marker's control character is written escaped, as JSON wants.
      out += "\"\\u0001" + std::string(kOverflow + 1) + token.substr(0, kShownLength) + "\"";
    } else {
      out += token;
    }
    i = end - 1;
  }
  return out;
}

}  // namespace

TraverseCase CaseFromJson(const json& j, const std::string& where) {
  try {
    TraverseCase c = ReadCase(j);
    if (c.name.empty()) c.name = where;
    return c;
  } catch (const InputError& e) {
    throw InputError(where + ": " + e.what());
  }
}

json ParseJsonText(const std::string& text, const std::string& where) {
  const json::parser_callback_t limitDepth = [&where](int depth, json::parse_event_t, json&) {
    if (depth > kMaxDepth) {
      throw InputError(where + ": nested more than " + std::to_string(kMaxDepth) +
                       " levels deep (not a case file)");
    }
    return true;
  };
  try {
    return json::parse(MarkOverflows(text), limitDepth);
  } catch (const json::exception& e) {
    throw InputError(where + ": not valid JSON (" + e.what() + ")");
  }
}

std::string ReadTextFile(const std::string& path, const std::string& kind) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  std::string why;
  if (!fs::exists(status)) {
    why = "no such file";
  } else if (fs::is_directory(status)) {
    why = "it is a directory";
  } else if (!fs::is_regular_file(status)) {
    why = "not a regular file";
  }
  std::ifstream in;
  if (why.empty()) {
    in.open(path, std::ios::binary);
    if (!in) why = std::strerror(errno);
  }
  if (!why.empty()) throw InputError("cannot read " + kind + " " + path + " (" + why + ")");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw InputError("cannot read " + kind + " " + path);
  return text;
}

json ReadJsonFile(const std::string& path, const std::string& kind) {
  return ParseJsonText(ReadTextFile(path, kind), path);
}

bool ParseNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || std::isinf(v)) return false;
  value = v;
  return true;
}

TraverseCase ReadCaseFile(const std::string& path) {
  return CaseFromJson(ReadJsonFile(path), path);
}

}  // namespace pdrop
