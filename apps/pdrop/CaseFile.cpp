#include "CaseFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"

namespace pdrop::cli {
namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw InputError(where + ": " + what);
}

void CheckFields(const json& j, const std::string& where, const std::set<std::string>& allowed) {
  if (!j.is_object()) Fail(where, "expected an object, found " + j.dump());
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
  if (!v.is_number()) Fail(field, "expected a number, found " + v.dump());
  return v.get<double>();
}

double NumberOr(const json& j, const std::string& where, const std::string& key, double fallback) {
  auto it = j.find(key);
  return it == j.end() ? fallback : Number(*it, where + "." + key);
}

std::string Text(const json& v, const std::string& field) {
  if (!v.is_string()) Fail(field, "expected a text, found " + v.dump());
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
  s.md_ft = Number(Required(j, where, "md_ft"), where + ".md_ft");
  const bool tvd = j.contains("tvd_ft");
  const bool elevation = j.contains("elevation_ft");
  if (tvd == elevation) Fail(where, "give exactly one of 'tvd_ft' and 'elevation_ft'");
  s.tvd_ft = tvd ? Number(j["tvd_ft"], where + ".tvd_ft")
                 : -Number(j["elevation_ft"], where + ".elevation_ft");
  s.id_in = Number(Required(j, where, "id_in"), where + ".id_in");
  s.inner_od_in = NumberOr(j, where, "inner_od_in", 0.0);
  s.roughness_in = NumberOr(j, where, "roughness_in", 0.0006);
  return s;
}

void ReadTemperature(const json& j, const std::string& where, TemperatureModel& t) {
  const std::string model = Text(Required(j, where, "model"), where + ".model");
  if (model == "linear") {
    CheckFields(j, where, {"model", "first_F", "last_F"});
    t.kind = TemperatureModel::Kind::kLinear;
    t.first_F = Number(Required(j, where, "first_F"), where + ".first_F");
    t.last_F = Number(Required(j, where, "last_F"), where + ".last_F");
  } else if (model == "geothermal") {
    CheckFields(j, where, {"model", "surface_F", "gradient_F_per_ft"});
    t.kind = TemperatureModel::Kind::kGeothermal;
    t.surface_F = Number(Required(j, where, "surface_F"), where + ".surface_F");
    t.gradient_F_per_ft =
        Number(Required(j, where, "gradient_F_per_ft"), where + ".gradient_F_per_ft");
  } else {
    Fail(where + ".model", "'" + model + "' is not one of linear, geothermal");
  }
}

void ReadFluid(const json& j, const std::string& where, TraverseCase& c) {
  CheckFields(j, where,
              {"gas_gravity", "oil_api", "water_salinity_wt_pct", "water_gravity",
               "water_yield_bbl_per_MMscf", "bubble_point_psia", "separator_pressure_psia",
               "separator_temperature_F", "z_correlation", "bubble_point_correlation", "mode"});
  if (j.contains("water_salinity_wt_pct") && j.contains("water_gravity")) {
    Fail(where, "give one of 'water_salinity_wt_pct' and 'water_gravity', not both "
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
    const std::string z = Text(j["z_correlation"], where + ".z_correlation");
    if (z == "dranchuk-abou-kassem") {
      f.zCorrelation = ZCorrelation::kDranchukAbouKassem;
    } else if (z == "hall-yarborough") {
      f.zCorrelation = ZCorrelation::kHallYarborough;
    } else {
      Fail(where + ".z_correlation",
           "'" + z + "' is not one of dranchuk-abou-kassem, hall-yarborough");
    }
  }
  if (j.contains("bubble_point_correlation")) {
    const std::string b = Text(j["bubble_point_correlation"], where + ".bubble_point_correlation");
    if (b == "standing") {
      f.bubblePointCorrelation = BubblePointCorrelation::kStanding;
    } else if (b == "vasquez-beggs") {
      f.bubblePointCorrelation = BubblePointCorrelation::kVasquezBeggs;
    } else {
      Fail(where + ".bubble_point_correlation", "'" + b + "' is not one of standing, vasquez-beggs");
    }
  }
  if (j.contains("mode")) {
    const std::string m = Text(j["mode"], where + ".mode");
    if (m == "black-oil") {
      c.fluid_mode = FluidMode::kBlackOil;
    } else if (m == "stream") {
      c.fluid_mode = FluidMode::kStream;
    } else {
      Fail(where + ".mode", "'" + m + "' is not one of black-oil, stream");
    }
  }
}

void ReadOptions(const json& j, const std::string& where, TraverseCase& c) {
  CheckFields(j, where, {"flow_over", "static_phase", "subdivide", "max_subdivisions"});
  if (j.contains("flow_over")) {
    const json& v = j["flow_over"];
    if (!v.is_boolean()) Fail(where + ".flow_over", "expected true or false, found " + v.dump());
    c.flow_over = v.get<bool>() ? 1 : 0;
  }
  if (j.contains("subdivide")) {
    const json& v = j["subdivide"];
    if (!v.is_boolean()) Fail(where + ".subdivide", "expected true or false, found " + v.dump());
    c.subdivide = v.get<bool>();
  }
  c.max_subdivisions = NumberOr(j, where, "max_subdivisions", c.max_subdivisions);
  if (j.contains("static_phase")) {
    const std::string s = Text(j["static_phase"], where + ".static_phase");
    if (s == "gas") {
      c.static_phase = 0;
    } else if (s == "oil") {
      c.static_phase = 1;
    } else if (s == "water") {
      c.static_phase = 2;
    } else {
      Fail(where + ".static_phase", "'" + s + "' is not one of gas, oil, water");
    }
  }
}

}  // namespace

int CorrelationCode(const json& v, const std::string& field) {
  if (v.is_number_integer()) {
    // Read unsigned (nlohmann keeps non-negative integers so), so that a huge
    // code cannot wrap into range; a signed integer here is negative.
    if (!v.is_number_unsigned() || v.get<std::uint64_t>() > 9) {
      Fail(field, "unknown correlation code " + v.dump() + " (codes 0 to 9, see 'pdrop list')");
    }
    return static_cast<int>(v.get<std::uint64_t>());
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
  Fail(field, "expected a correlation code or name, found " + v.dump());
}

TraverseCase CaseFromJson(const json& j, const std::string& where) {
  CheckFields(j, where,
              {"name", "correlation", "known_end", "flow_to", "known_pressure_psia", "gas_MMscfd",
               "oil_STBd", "water_bbld", "temperature", "fluid", "options", "max_segment_ft",
               "stations"});
  TraverseCase c;
  c.name = j.contains("name") ? Text(j["name"], where + ".name") : where;
  c.correlation = CorrelationCode(Required(j, where, "correlation"), where + ".correlation");
  c.known_end = End(Required(j, where, "known_end"), where + ".known_end");
  c.flow_to = End(Required(j, where, "flow_to"), where + ".flow_to");
  c.known_pressure_psia =
      Number(Required(j, where, "known_pressure_psia"), where + ".known_pressure_psia");
  c.gas_MMscfd = Number(Required(j, where, "gas_MMscfd"), where + ".gas_MMscfd");
  c.oil_STBd = Number(Required(j, where, "oil_STBd"), where + ".oil_STBd");
  c.water_bbld = Number(Required(j, where, "water_bbld"), where + ".water_bbld");
  ReadTemperature(Required(j, where, "temperature"), where + ".temperature", c.temperature);
  if (j.contains("fluid")) ReadFluid(j["fluid"], where + ".fluid", c);
  if (j.contains("options")) ReadOptions(j["options"], where + ".options", c);
  c.max_segment_ft = NumberOr(j, where, "max_segment_ft", 0.0);
  const json& st = Required(j, where, "stations");
  if (!st.is_array()) Fail(where + ".stations", "expected a list of stations");
  for (std::size_t i = 0; i < st.size(); ++i) {
    c.stations.push_back(StationFromJson(st[i], where + ".stations[" + std::to_string(i) + "]"));
  }
  try {
    c.Validate();
  } catch (const std::invalid_argument& e) {
    Fail(where, e.what());
  }
  return c;
}

json ParseJsonText(const std::string& text, const std::string& where) {
  // The path to the value being read, kept by the parser's callback so that
  // a number too large for a double can be blamed on its field.
  struct Frame {
    bool array;
    std::string key;
    long index;
  };
  std::vector<Frame> path;
  auto enter = [&path](bool array) {
    if (!path.empty() && path.back().array) ++path.back().index;
    path.push_back({array, std::string(), -1});
  };
  const json::parser_callback_t track = [&](int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start: enter(false); break;
      case json::parse_event_t::array_start: enter(true); break;
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        if (!path.empty()) path.pop_back();
        break;
      case json::parse_event_t::key:
        if (!path.empty() && parsed.is_string()) path.back().key = parsed.get<std::string>();
        break;
      case json::parse_event_t::value:
        if (!path.empty() && path.back().array) ++path.back().index;
        break;
    }
    return true;
  };
  try {
    return json::parse(text, track);
  } catch (const json::out_of_range& e) {
    std::string field;
    for (std::size_t i = 0; i < path.size(); ++i) {
      const Frame& f = path[i];
      if (f.array) {
        // The innermost list is still at the element that failed.
        field += "[" + std::to_string(f.index + (i + 1 == path.size() ? 1 : 0)) + "]";
      } else if (!f.key.empty()) {
        field += (field.empty() ? "" : ".") + f.key;
      }
    }
    throw InputError(where + ": " + (field.empty() ? std::string("a value") : field) +
                     " is a number too large for a double (" + e.what() + ")");
  } catch (const json::exception& e) {
    throw InputError(where + ": not valid JSON (" + e.what() + ")");
  }
}

json ReadJsonFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    const bool directory = std::filesystem::is_directory(path, ec);
    throw InputError("cannot read case file " + path +
                     (directory ? " (it is a directory)" : " (no such file)"));
  }
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) throw InputError("cannot read case file " + path);
  return ParseJsonText(text, path);
}

TraverseCase ReadCaseFile(const std::string& path) { return CaseFromJson(ReadJsonFile(path), path); }

}  // namespace pdrop::cli
