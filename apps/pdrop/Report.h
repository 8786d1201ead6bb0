// How the pdrop command shows a traverse: a readable table with a summary,
// CSV and JSON. Column names carry their units.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "pdrop/traverse/Traverse.h"

namespace pdrop::cli {

void PrintTable(std::ostream& out, const TraverseCase& c, const TraverseResult& r);
void PrintSummary(std::ostream& out, const TraverseCase& c, const TraverseResult& r);
void WriteCsv(std::ostream& out, const TraverseResult& r);

// A number with a fixed count of decimals, never "-0.0"; "" when it is not
// set or not finite.
std::string FixedNumber(double v, int decimals);

// Prints columns whose widths follow their widest cell; the first row is the
// header. Columns listed in `left` are aligned left, the others right.
void PrintColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                  const std::vector<bool>& left);

}  // namespace pdrop::cli
