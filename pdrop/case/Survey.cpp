#include "pdrop/case/Survey.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <nlohmann/json.hpp>

#include "pdrop/case/CaseFile.h"
#include "pdrop/traverse/Limits.h"

namespace pdrop {
namespace {

using nlohmann::json;

// Text cells are echoed in messages up to this many characters.
constexpr std::size_t kShownLength = 40;
// A list of flat objects needs two levels; anything deeper is not a survey.
constexpr int kMaxJsonDepth = 4;

// One row as read, with the name messages give it.
struct Row {
  std::string where;
  SurveyPoint point;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw InputError(where + ": " + what);
}

std::string Trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  const std::size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string Shown(const std::string& s) {
  return s.size() > kShownLength ? s.substr(0, kShownLength) + "..." : s;
}

std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  std::string cell;
  while (std::getline(in, cell, ',')) cells.push_back(Trim(cell));
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

// A cell that must hold a finite number.
double CellNumber(const std::string& cell, const std::string& where, const std::string& column) {
  if (cell.empty()) Fail(where, column + " is empty");
  double v = 0.0;
  if (!ParseNumber(cell, v) || !std::isfinite(v)) {
    Fail(where, column + " = '" + Shown(cell) + "' is not a number");
  }
  return v;
}

std::vector<Row> CsvRows(const std::string& text, const std::string& where) {
  std::stringstream in(text);
  std::string line;
  int lineNo = 0;
  std::vector<std::string> header;
  int md = -1, pressure = -1, temperature = -1;
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    ++lineNo;
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // byte-order mark
    if (Trim(line).empty()) continue;
    const std::string at = where + " line " + std::to_string(lineNo);
    std::vector<std::string> cells = SplitCsv(line);
    if (header.empty()) {
      for (std::string& name : cells) {
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
          name = name.substr(1, name.size() - 2);
        }
        int* column = name == "md_ft"           ? &md
                      : name == "pressure_psia" ? &pressure
                      : name == "temperature_F" ? &temperature
                                                : nullptr;
        if (column == nullptr) {
          Fail(at, "unknown column '" + Shown(name) +
                       "' (the columns are md_ft, pressure_psia and optionally temperature_F)");
        }
        if (*column >= 0) Fail(at, "column '" + name + "' appears twice");
        *column = static_cast<int>(&name - cells.data());
      }
      if (md < 0 || pressure < 0) {
        Fail(at, "the header must name the columns md_ft and pressure_psia");
      }
      header = cells;
      continue;
    }
    if (cells.size() != header.size()) {
      Fail(at, "expected " + std::to_string(header.size()) + " values, found " +
                   std::to_string(cells.size()));
    }
    if (rows.size() == kMaxSurveyPoints) {
      Fail(at, "more than " + std::to_string(kMaxSurveyPoints) + " points");
    }
    Row r;
    r.where = at;
    r.point.md_ft = CellNumber(cells[md], at, "md_ft");
    r.point.pressure_psia = CellNumber(cells[pressure], at, "pressure_psia");
    if (temperature >= 0 && !cells[temperature].empty()) {
      r.point.temperature_F = CellNumber(cells[temperature], at, "temperature_F");
    }
    rows.push_back(r);
  }
  if (header.empty()) Fail(where, "no header line (md_ft,pressure_psia[,temperature_F])");
  return rows;
}

double JsonNumber(const json& entry, const std::string& key, const std::string& where) {
  const json& v = entry.at(key);
  if (!v.is_number() || !std::isfinite(v.get<double>())) {
    std::string shown = v.dump();
    Fail(where + "." + key, "expected a number, found " + Shown(shown));
  }
  return v.get<double>();
}

std::vector<Row> JsonRows(const std::string& text, const std::string& where) {
  const json::parser_callback_t limitDepth = [&where](int depth, json::parse_event_t, json&) {
    if (depth > kMaxJsonDepth) Fail(where, "nested too deep for a survey");
    return true;
  };
  json j;
  try {
    j = json::parse(text, limitDepth);
  } catch (const json::exception& e) {
    Fail(where, std::string("not valid JSON (") + e.what() + ")");
  }
  if (!j.is_array()) {
    Fail(where, "expected a list of {\"md_ft\", \"pressure_psia\"[, \"temperature_F\"]} objects");
  }
  if (j.size() > kMaxSurveyPoints) {
    Fail(where, "more than " + std::to_string(kMaxSurveyPoints) + " points");
  }
  std::vector<Row> rows;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string at = where + "[" + std::to_string(i) + "]";
    const json& e = j[i];
    if (!e.is_object()) Fail(at, "expected an object, found " + Shown(e.dump()));
    for (auto it = e.begin(); it != e.end(); ++it) {
      if (it.key() != "md_ft" && it.key() != "pressure_psia" && it.key() != "temperature_F") {
        Fail(at, "unknown field '" + Shown(it.key()) + "'");
      }
    }
    for (const char* key : {"md_ft", "pressure_psia"}) {
      if (!e.contains(key)) Fail(at, std::string("missing field '") + key + "'");
    }
    Row r;
    r.where = at;
    r.point.md_ft = JsonNumber(e, "md_ft", at);
    r.point.pressure_psia = JsonNumber(e, "pressure_psia", at);
    if (e.contains("temperature_F")) r.point.temperature_F = JsonNumber(e, "temperature_F", at);
    rows.push_back(r);
  }
  return rows;
}

// Checks every row against the case and the shared limits, then the order
// of the depths; returns the points in increasing measured depth.
Survey Checked(const std::vector<Row>& rows, const std::string& where, const TraverseCase& c) {
  if (rows.empty()) Fail(where, "no survey points");
  const double top = c.stations.front().md_ft;
  const double bottom = c.stations.back().md_ft;
  Survey s;
  int order = 0;  // +1 increasing, -1 decreasing, set by the first two rows
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& r = rows[i];
    const SurveyPoint& p = r.point;
    if (!(p.md_ft >= top && p.md_ft <= bottom)) {
      std::ostringstream msg;
      msg << "md_ft = " << p.md_ft << " is outside the measured depths of the case, " << top
          << " to " << bottom << " ft";
      Fail(r.where, msg.str());
    }
    try {
      CheckRange("pressure_psia", p.pressure_psia, limits::kPressure_psia);
      if (IsSet(p.temperature_F))
        CheckRange("temperature_F", p.temperature_F, limits::kTemperature_F);
    } catch (const std::invalid_argument& e) {
      Fail(r.where, e.what());
    }
    if (i > 0) {
      const double step = p.md_ft - rows[i - 1].point.md_ft;
      const int sign = step > 0.0 ? 1 : step < 0.0 ? -1 : 0;
      if (order == 0) order = sign;
      if (sign == 0 || sign != order) {
        std::ostringstream msg;
        msg << "md_ft = " << p.md_ft;
        if (sign == 0) {
          msg << " repeats the depth before it";
        } else {
          msg << " does not " << (order > 0 ? "follow" : "precede") << " the depth before it, "
              << rows[i - 1].point.md_ft << " ft";
        }
        msg << " (depths must all increase or all decrease)";
        Fail(r.where, msg.str());
      }
    }
    s.points.push_back(p);
    s.has_temperature = s.has_temperature || IsSet(p.temperature_F);
  }
  if (order < 0) std::reverse(s.points.begin(), s.points.end());
  return s;
}

}  // namespace

Survey ParseSurvey(const std::string& text, const std::string& where, const TraverseCase& c) {
  std::size_t first = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  first = text.find_first_not_of(" \t\r\n", first);
  const bool isJson = first != std::string::npos && (text[first] == '[' || text[first] == '{');
  return Checked(isJson ? JsonRows(text.substr(first), where) : CsvRows(text, where), where, c);
}

Survey ReadSurveyFile(const std::string& path, const TraverseCase& c) {
  return ParseSurvey(ReadTextFile(path, "survey file"), path, c);
}

void CheckSurvey(const Survey& s, const TraverseCase& c) {
  std::vector<Row> rows;
  for (std::size_t i = 0; i < s.points.size(); ++i) {
    const SurveyPoint& p = s.points[i];
    const std::string at = "survey[" + std::to_string(i) + "]";
    for (const auto& [name, v] :
         {std::pair<const char*, double>{"md_ft", p.md_ft}, {"pressure_psia", p.pressure_psia}}) {
      if (!std::isfinite(v)) Fail(at, std::string(name) + " is not a finite number");
    }
    if (IsSet(p.temperature_F) && !std::isfinite(p.temperature_F)) {
      Fail(at, "temperature_F is not a finite number");
    }
    rows.push_back({at, p});
  }
  if (s.points.size() > kMaxSurveyPoints) {
    Fail("survey", "more than " + std::to_string(kMaxSurveyPoints) + " points");
  }
  const Survey checked = Checked(rows, "survey", c);
  if (s.points.size() > 1 && checked.points.front().md_ft != s.points.front().md_ft) {
    Fail("survey[1]", "points must be in increasing measured depth");
  }
}

}  // namespace pdrop
