#include "Batch.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <set>
#include <sstream>

#include "pdrop/case/CaseFile.h"
#include "pdrop/traverse/Parallel.h"

namespace pdrop::cli {
namespace {

std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  bool quoted = false;
  for (char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      cells.push_back(cell);
      cell.clear();
    } else if (ch != '\r') {
      cell += ch;
    }
  }
  cells.push_back(cell);
  return cells;
}

// One CSV cell as the case-file value of its column.
nlohmann::json CellValue(const std::string& key, const std::string& text,
                         const std::string& where) {
  if (key == "name") return text;
  double v = 0.0;
  const bool number = ParseNumber(text, v);
  if (key == "correlation") {
    // A code or a name, as in case files.
    if (!number) return text;
    if (v != std::floor(v) || v < 0.0 || v > 9.0) {
      throw InputError(where + ": correlation = '" + text + "' is not a correlation code 0 to 9");
    }
    return static_cast<unsigned>(v);
  }
  if (!number) throw InputError(where + ": " + key + " = '" + text + "' is not a number");
  return v;
}

BatchEntry CsvEntry(const std::vector<std::string>& header, const std::string& line,
                    const std::filesystem::path& base, const std::string& where) {
  BatchEntry entry;
  entry.where = where;
  try {
    const std::vector<std::string> cells = SplitCsvLine(line);
    if (cells.size() != header.size()) {
      throw InputError(where + ": " + std::to_string(cells.size()) + " cells for " +
                       std::to_string(header.size()) + " columns");
    }
    nlohmann::json overrides = nlohmann::json::object();
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (header[i] == "name") entry.name = cells[i];
      if (header[i] == "case_file") {
        entry.caseFile = (base / cells[i]).string();
      } else if (!cells[i].empty()) {
        overrides[header[i]] = CellValue(header[i], cells[i], where);
      }
    }
    nlohmann::json j;
    try {
      j = ReadJsonFile(entry.caseFile);
    } catch (const InputError& e) {
      throw InputError(where + ": " + e.what());
    }
    if (!j.is_object())
      throw InputError(where + ": " + entry.caseFile + ": expected a case object");
    for (auto it = overrides.begin(); it != overrides.end(); ++it) j[it.key()] = it.value();
    entry.c = CaseFromJson(j, where);
  } catch (const InputError& e) {
    entry.error = e.what();
  }
  return entry;
}

std::vector<BatchEntry> ReadCsvBatch(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    throw InputError("cannot read batch file " + path);
  std::ifstream in(path);
  if (!in) throw InputError("cannot read batch file " + path);
  std::string line;
  if (!std::getline(in, line)) throw InputError(path + ": empty table");
  // A byte-order mark, as spreadsheet programs write, is not part of the name.
  if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
  const std::vector<std::string> header = SplitCsvLine(line);
  const std::set<std::string> allowed = {"case_file",           "name",       "correlation",
                                         "known_pressure_psia", "gas_MMscfd", "oil_STBd",
                                         "water_bbld"};
  bool hasFile = false;
  for (const std::string& h : header) {
    if (allowed.count(h) == 0) throw InputError(path + ": unknown column '" + h + "'");
    hasFile = hasFile || h == "case_file";
  }
  if (!hasFile) throw InputError(path + ": missing column 'case_file'");
  const std::filesystem::path base = std::filesystem::path(path).parent_path();
  std::vector<BatchEntry> entries;
  int lineNo = 1;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    entries.push_back(CsvEntry(header, line, base, path + " line " + std::to_string(lineNo)));
  }
  return entries;
}

}  // namespace

std::vector<BatchEntry> ReadBatch(const std::string& path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (ext == ".csv") return ReadCsvBatch(path);
  const nlohmann::json j = ReadJsonFile(path, "batch file");
  const nlohmann::json* list = &j;
  if (j.is_object()) {
    if (!j.contains("cases") || j.size() != 1) {
      throw InputError(path + ": expected a list of cases or an object with the one field 'cases'");
    }
    list = &j["cases"];
  }
  if (!list->is_array()) throw InputError(path + ": 'cases' must be a list");
  std::vector<BatchEntry> entries;
  for (std::size_t i = 0; i < list->size(); ++i) {
    BatchEntry entry;
    entry.where = path + ": cases[" + std::to_string(i) + "]";
    try {
      entry.c = CaseFromJson((*list)[i], entry.where);
    } catch (const InputError& e) {
      entry.error = e.what();
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::string> BatchInputs(const std::string& path,
                                     const std::vector<BatchEntry>& entries) {
  std::vector<std::string> inputs{path};
  for (const BatchEntry& e : entries) {
    if (!e.caseFile.empty()) inputs.push_back(e.caseFile);
  }
  return inputs;
}

std::vector<BatchOutcome> RunBatch(const std::vector<BatchEntry>& cases, int threads,
                                   bool progress) {
  std::vector<BatchOutcome> out(cases.size());
  auto run = [&](std::size_t i) {
    BatchOutcome& o = out[i];
    if (!cases[i].c) {
      o.name = cases[i].name.empty() ? cases[i].where : cases[i].name;
      o.status = "error";
      o.error = cases[i].error;
      return;
    }
    o.name = cases[i].c->name;
    try {
      o.result = RunTraverse(*cases[i].c);
      o.status = o.result.complete ? "complete" : "incomplete";
    } catch (const std::exception& e) {
      o.status = "error";
      o.error = e.what();
    }
  };
  ParallelFor(cases.size(), threads, run,
              progress ? std::function<void(std::size_t, std::size_t)>(&ProgressBar) : nullptr);
  return out;
}

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  return out + "\"";
}

}  // namespace

std::string BatchCsv(const std::vector<BatchOutcome>& outcomes) {
  std::ostringstream s;
  s << "name,status,computed_end_pressure_psia,total_friction_dp_psi,total_elevation_dp_psi,"
       "loading_md_ft,reason\n";
  s << std::fixed << std::setprecision(4);
  for (const BatchOutcome& o : outcomes) {
    s << Quoted(o.name) << ',' << o.status << ',';
    if (o.status == "complete") s << o.result.computed_end_pressure_psia;
    s << ',';
    if (o.status != "error") {
      s << o.result.total_friction_dp_psi << ',' << o.result.total_elevation_dp_psi << ',';
      if (o.result.has_loading) s << o.result.loading_md_ft;
    } else {
      s << ",,";
    }
    s << ',' << Quoted(o.status == "error" ? o.error : o.result.reason) << '\n';
  }
  return s.str();
}

nlohmann::json BatchJson(const std::vector<BatchOutcome>& outcomes) {
  nlohmann::json list = nlohmann::json::array();
  for (const BatchOutcome& o : outcomes) {
    nlohmann::json j = {{"name", o.name}, {"status", o.status}};
    if (o.status == "error") {
      j["error"] = o.error;
    } else {
      j["computed_end_pressure_psia"] = o.result.complete
                                            ? nlohmann::json(o.result.computed_end_pressure_psia)
                                            : nlohmann::json();
      j["total_friction_dp_psi"] = o.result.total_friction_dp_psi;
      j["total_elevation_dp_psi"] = o.result.total_elevation_dp_psi;
      j["loading_md_ft"] =
          o.result.has_loading ? nlohmann::json(o.result.loading_md_ft) : nlohmann::json();
      if (!o.result.complete) j["reason"] = o.result.reason;
    }
    list.push_back(j);
  }
  return list;
}

}  // namespace pdrop::cli
