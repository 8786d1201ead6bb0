#include "pdrop/legacy/TwoDArray.h"

#include <algorithm>

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(C2DArray, CObject)

C2DArray::C2DArray(int rows, int cols) { SetSize(rows, cols, 1); }

void C2DArray::SetSize(int rows, int cols, int growRows) {
  const int newRows = std::max(rows, 0);
  const int newCols = std::max(cols, 0);
  // Rows actually held in the old shape: after RemoveAll the counts say
  // 1 x 1 but nothing is.
  const std::size_t oldCols = static_cast<std::size_t>(m_nCols);
  const std::size_t heldRows =
      oldCols > 0 ? std::min(static_cast<std::size_t>(m_nRows), m_aData.size() / oldCols) : 0;
  const std::size_t keptRows = std::min(heldRows, static_cast<std::size_t>(newRows));
  const std::size_t keptCols = std::min(oldCols, static_cast<std::size_t>(newCols));

  std::vector<double> data;
  data.reserve(static_cast<std::size_t>(newRows + std::max(growRows, 0)) * newCols);
  data.assign(static_cast<std::size_t>(newRows) * newCols, 0.0);
  for (std::size_t r = 0; r < keptRows; ++r) {
    std::copy_n(m_aData.begin() + r * oldCols, keptCols, data.begin() + r * newCols);
  }
  m_aData.swap(data);
  m_nRows = newRows;
  m_nCols = newCols;
  m_aTitles.resize(static_cast<std::size_t>(newCols));
  m_aUnits.resize(static_cast<std::size_t>(newCols), 0);
}

// Checked against the data actually held, not only the counts: after
// RemoveAll the counts say 1 x 1 but nothing is held.
bool C2DArray::Holds(int row, int col) const {
  if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols) return false;
  return static_cast<std::size_t>(row) * m_nCols + col < m_aData.size();
}

double C2DArray::GetAt(int row, int col) const {
  return Holds(row, col) ? m_aData[static_cast<std::size_t>(row) * m_nCols + col] : kNotSet;
}

void C2DArray::SetAt(double v, int row, int col) {
  if (Holds(row, col)) m_aData[static_cast<std::size_t>(row) * m_nCols + col] = v;
}

double* C2DArray::operator[](int row) {
  return Holds(row, 0) ? &m_aData[static_cast<std::size_t>(row) * m_nCols] : nullptr;
}

void C2DArray::RemoveAll() {
  m_aData.clear();
  m_aTitles.clear();
  m_aUnits.clear();
  m_nRows = m_nCols = 1;
}

void C2DArray::SetColTitle(const std::string& title, int col) {
  if (col >= 0 && static_cast<std::size_t>(col) < m_aTitles.size()) m_aTitles[col] = title;
}

void C2DArray::SetColUnit(int unit, int col) {
  if (col >= 0 && static_cast<std::size_t>(col) < m_aUnits.size()) {
    m_aUnits[col] = static_cast<std::uint16_t>(unit);
  }
}

std::string C2DArray::GetColTitle(int col) const {
  return col >= 0 && static_cast<std::size_t>(col) < m_aTitles.size() ? m_aTitles[col]
                                                                      : std::string();
}

int C2DArray::GetColUnit(int col) const {
  return col >= 0 && static_cast<std::size_t>(col) < m_aUnits.size() ? m_aUnits[col] : 0;
}

}  // namespace pdrop
