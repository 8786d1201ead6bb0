// Many traverses at once: cases from a JSON list or a CSV table that points
// at case files, run on several threads, one result row per case.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "pdrop/traverse/Traverse.h"

namespace pdrop::cli {

// One case of a batch as read: the case, or why it could not be read.
struct BatchEntry {
  std::string where;     // "cases.csv line 3", "cases.json: cases[2]"
  std::string name;      // the name a CSV line gives, or ""
  std::string caseFile;  // the case file a CSV line names, or ""
  std::optional<TraverseCase> c;
  std::string error;
};

struct BatchOutcome {
  std::string name;
  std::string status;  // "complete", "incomplete" or "error"
  TraverseResult result;
  std::string error;
};

// CASES.json: a list of cases or {"cases": [...]}. CASES.csv: a column
// case_file (relative to the table) and optional columns that override the
// file: name, correlation (code or name), known_pressure_psia, gas_MMscfd,
// oil_STBd, water_bbld. A case that cannot be read is an entry with its
// error; only a batch file that cannot be read at all is an InputError.
std::vector<BatchEntry> ReadBatch(const std::string& path);
// The files a batch reads: the batch file and the case files it names.
std::vector<std::string> BatchInputs(const std::string& path,
                                     const std::vector<BatchEntry>& entries);

// Runs the cases on `threads` workers, each with its own engines and fluid
// objects; with `progress` a bar on standard error. An entry without a case
// gives an outcome with the status "error" and its reason.
std::vector<BatchOutcome> RunBatch(const std::vector<BatchEntry>& entries, int threads,
                                   bool progress);

std::string BatchCsv(const std::vector<BatchOutcome>& outcomes);
nlohmann::json BatchJson(const std::vector<BatchOutcome>& outcomes);

}  // namespace pdrop::cli
