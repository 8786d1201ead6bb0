// How the pdrop command shows a traverse: a readable table with a summary,
// CSV and JSON. Column names carry their units.
#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "pdrop/traverse/Traverse.h"

namespace pdrop::cli {

void PrintTable(std::ostream& out, const TraverseCase& c, const TraverseResult& r);
void PrintSummary(std::ostream& out, const TraverseCase& c, const TraverseResult& r);
void WriteCsv(std::ostream& out, const TraverseResult& r);
nlohmann::json ResultJson(const TraverseCase& c, const TraverseResult& r);

// Writes a file whole or not at all: the text goes to a temporary file that
// replaces the target only once it is complete.
void WriteFileAtomically(const std::string& path, const std::string& text);

}  // namespace pdrop::cli
