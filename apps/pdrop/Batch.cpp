#include "Batch.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <set>
#include <sstream>
#include <thread>

#include "CaseFile.h"

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

std::vector<TraverseCase> ReadCsvBatch(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw InputError(path + ": cannot be read");
  std::string line;
  if (!std::getline(in, line)) throw InputError(path + ": empty table");
  const std::vector<std::string> header = SplitCsvLine(line);
  const std::set<std::string> allowed = {"case_file",  "name",     "correlation",
                                         "known_pressure_psia", "gas_MMscfd", "oil_STBd",
                                         "water_bbld"};
  bool hasFile = false;
  for (const std::string& h : header) {
    if (allowed.count(h) == 0) throw InputError(path + ": unknown column '" + h + "'");
    hasFile = hasFile || h == "case_file";
  }
  if (!hasFile) throw InputError(path + ": missing column 'case_file'");
  const std::filesystem::path base = std::filesystem::path(path).parent_path();
  std::vector<TraverseCase> cases;
  int lineNo = 1;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    const std::vector<std::string> cells = SplitCsvLine(line);
    const std::string where = path + " line " + std::to_string(lineNo);
    if (cells.size() != header.size()) {
      throw InputError(where + ": " + std::to_string(cells.size()) + " cells for " +
                       std::to_string(header.size()) + " columns");
    }
    nlohmann::json overrides = nlohmann::json::object();
    std::string file;
    for (std::size_t i = 0; i < header.size(); ++i) {
      const std::string& key = header[i];
      const std::string& text = cells[i];
      if (key == "case_file") {
        file = (base / text).string();
      } else if (key == "name") {
        overrides[key] = text;
      } else if (!text.empty()) {
        std::size_t used = 0;
        double v = 0.0;
        try {
          v = std::stod(text, &used);
        } catch (const std::exception&) {
          used = 0;
        }
        if (used != text.size()) throw InputError(where + ": " + key + " = '" + text + "' is not a number");
        if (key == "correlation") {
          overrides[key] = static_cast<int>(v);
          if (v != std::floor(v)) throw InputError(where + ": correlation = '" + text + "' is not a code");
        } else {
          overrides[key] = v;
        }
      }
    }
    nlohmann::json j = ReadJsonFile(file);
    if (!j.is_object()) throw InputError(file + ": expected a case object");
    for (auto it = overrides.begin(); it != overrides.end(); ++it) j[it.key()] = it.value();
    cases.push_back(CaseFromJson(j, where));
  }
  return cases;
}

}  // namespace

std::vector<TraverseCase> ReadBatch(const std::string& path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (ext == ".csv") return ReadCsvBatch(path);
  const nlohmann::json j = ReadJsonFile(path);
  const nlohmann::json* list = &j;
  if (j.is_object()) {
    if (!j.contains("cases") || j.size() != 1) {
      throw InputError(path + ": expected a list of cases or an object with the one field 'cases'");
    }
    list = &j["cases"];
  }
  if (!list->is_array()) throw InputError(path + ": 'cases' must be a list");
  std::vector<TraverseCase> cases;
  for (std::size_t i = 0; i < list->size(); ++i) {
    cases.push_back(CaseFromJson((*list)[i], path + ": cases[" + std::to_string(i) + "]"));
  }
  return cases;
}

std::vector<BatchOutcome> RunBatch(const std::vector<TraverseCase>& cases, int threads,
                                   bool progress) {
  std::vector<BatchOutcome> out(cases.size());
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  auto work = [&] {
    for (std::size_t i = next++; i < cases.size(); i = next++) {
      BatchOutcome& o = out[i];
      o.name = cases[i].name;
      try {
        o.result = RunTraverse(cases[i]);
        o.status = o.result.complete ? "complete" : "incomplete";
      } catch (const std::exception& e) {
        o.status = "error";
        o.error = e.what();
      }
      ++done;
    }
  };
  const int n = std::max(1, threads);
  std::vector<std::thread> pool;
  for (int t = 0; t < n; ++t) pool.emplace_back(work);
  auto bar = [&](std::size_t k) {
    const std::size_t width = 40;
    const std::size_t filled = cases.empty() ? width : k * width / cases.size();
    std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, '.') << "] "
              << k << "/" << cases.size() << std::flush;
  };
  if (progress) {
    while (done < cases.size()) {
      bar(done);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  for (std::thread& t : pool) t.join();
  if (progress) {
    bar(cases.size());
    std::cerr << "\n";
  }
  return out;
}

std::string BatchCsv(const std::vector<BatchOutcome>& outcomes) {
  std::ostringstream s;
  s << "name,status,computed_end_pressure_psia,total_friction_dp_psi,total_elevation_dp_psi,"
       "loading_md_ft,reason\n";
  s << std::fixed << std::setprecision(4);
  for (const BatchOutcome& o : outcomes) {
    s << '"' << o.name << "\"," << o.status << ',';
    if (o.status == "complete") s << o.result.computed_end_pressure_psia;
    s << ',';
    if (o.status != "error") {
      s << o.result.total_friction_dp_psi << ',' << o.result.total_elevation_dp_psi << ',';
      if (o.result.has_loading) s << o.result.loading_md_ft;
    } else {
      s << ",,";
    }
    s << ",\"" << (o.status == "error" ? o.error : o.result.reason) << "\"\n";
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
      j["computed_end_pressure_psia"] =
          o.result.complete ? nlohmann::json(o.result.computed_end_pressure_psia) : nlohmann::json();
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
