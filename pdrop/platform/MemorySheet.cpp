#include "pdrop/platform/MemorySheet.h"

namespace pdrop {

void MemorySheet::SetValue(int col, int row, const CellValue& value) {
  Cell& c = cells_[{row, col}];
  c.hasValue = true;
  c.value = value;
}

void MemorySheet::SetFontColor(int col, int row, unsigned long color) {
  Cell& c = cells_[{row, col}];
  c.hasColor = true;
  c.color = color;
}

void MemorySheet::SetBold(int col, int row, bool bold) { cells_[{row, col}].bold = bold; }

const MemorySheet::Cell* MemorySheet::At(int col, int row) const {
  auto it = cells_.find({row, col});
  return it == cells_.end() ? nullptr : &it->second;
}

std::string MemorySheet::Text(int col, int row) const {
  const Cell* c = At(col, row);
  if (c == nullptr || !c->hasValue) return std::string();
  const std::string* s = std::get_if<std::string>(&c->value);
  return s != nullptr ? *s : std::string();
}

double MemorySheet::Number(int col, int row) const {
  const Cell* c = At(col, row);
  if (c == nullptr || !c->hasValue) return kNotSet;
  const double* d = std::get_if<double>(&c->value);
  return d != nullptr ? *d : kNotSet;
}

int MemorySheet::LastRow() const { return cells_.empty() ? 0 : cells_.rbegin()->first.first; }

std::string CellAddress(int col, int row) {
  if (col < 1 || row < 1) return std::string();
  std::string letters;
  for (int c = col; c > 0; c = (c - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  }
  return letters + std::to_string(row);
}

}  // namespace pdrop
