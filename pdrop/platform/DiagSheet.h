// The diagnostic sheet that the mechanistic model writes its working values
// into: cells addressed by column and row (both 1-based, column 1 is "A").
#pragma once

#include <string>
#include <variant>

#include "pdrop/platform/NotSet.h"

namespace pdrop {

// What a cell holds: a number or a text.
using CellValue = std::variant<double, std::string>;

class CDiagSheet {
 public:
  virtual ~CDiagSheet() = default;
  virtual void SetValue(int col, int row, const CellValue& value) = 0;
  virtual void SetFontColor(int col, int row, unsigned long color) = 0;
  virtual void SetBold(int col, int row, bool bold) = 0;
};

}  // namespace pdrop
