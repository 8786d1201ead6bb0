// A diagnostic sheet kept in memory: every value, font colour and bold flag
// as it was given, by column and row. For tests, and for hosts that want the
// trace as data.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "pdrop/platform/DiagSheet.h"

namespace pdrop {

class MemorySheet : public CDiagSheet {
 public:
  struct Cell {
    bool hasValue = false;
    CellValue value;
    bool hasColor = false;
    unsigned long color = 0;  // as given: the BGR value of the automation interface
    bool bold = false;
  };

  void SetValue(int col, int row, const CellValue& value) override;
  void SetFontColor(int col, int row, unsigned long color) override;
  void SetBold(int col, int row, bool bold) override;

  // The cell, or nullptr when nothing was written there.
  const Cell* At(int col, int row) const;
  // The text of a cell ("" when it holds none) and its number (kNotSet when
  // it holds none).
  std::string Text(int col, int row) const;
  double Number(int col, int row) const;
  int LastRow() const;                                                         // 0 when empty
  const std::map<std::pair<int, int>, Cell>& Cells() const { return cells_; }  // by (row, col)
  void Clear() { cells_.clear(); }

 private:
  std::map<std::pair<int, int>, Cell> cells_;
};

// The "A1" address of a cell: column 1 is "A"; beyond column 26, two letters.
std::string CellAddress(int col, int row);

}  // namespace pdrop
