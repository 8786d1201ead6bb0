#pragma once

#include <array>

#include "pdrop/traverse/Traverse.h"

namespace pdrop {

// The columns of a traverse row, in the order every output gives them: the
// command's CSV, JSON and text table and the Python frame read this one table.
struct RowColumn {
  enum class Kind {
    kNumber,    // a value that is always set
    kOptional,  // a value that may be unset (not-set sentinel or not finite)
    kCode,      // a whole number
    kText,      // the regime name, the one text column
    kFlag,      // yes or no
  };
  const char* name;   // key in CSV, JSON and Python: snake case with the unit
  const char* label;  // text-table heading; nullptr: not in the text table
  Kind kind;
  int csv_decimals;                      // decimals in CSV
  int table_decimals;                    // decimals in the text table
  double (*number)(const TraverseRow&);  // kNumber, kOptional, kCode, kFlag
};

const std::array<RowColumn, 17>& TraverseColumns();

}  // namespace pdrop
