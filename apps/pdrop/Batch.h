// Many traverses at once: cases from a JSON list or a CSV table that points
// at case files, run on several threads, one result row per case.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "pdrop/traverse/Traverse.h"

namespace pdrop::cli {

struct BatchOutcome {
  std::string name;
  std::string status;  // "complete", "incomplete" or "error"
  TraverseResult result;
  std::string error;
};

// CASES.json: a list of cases or {"cases": [...]}. CASES.csv: a column
// case_file (relative to the table) and optional columns that override the
// file: name, correlation, known_pressure_psia, gas_MMscfd, oil_STBd,
// water_bbld.
std::vector<TraverseCase> ReadBatch(const std::string& path);

// Runs the cases on `threads` workers, each with its own engines and fluid
// objects; with `progress` a bar on standard error.
std::vector<BatchOutcome> RunBatch(const std::vector<TraverseCase>& cases, int threads,
                                   bool progress);

std::string BatchCsv(const std::vector<BatchOutcome>& outcomes);
nlohmann::json BatchJson(const std::vector<BatchOutcome>& outcomes);

}  // namespace pdrop::cli
