// A rows x columns table of doubles with a title and a unit code per column,
// for hosts that keep per-sub-segment results of the legacy calculator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pdrop/platform/NotSet.h"
#include "pdrop/platform/Object.h"

namespace pdrop {

class C2DArray : public CObject {
  PDROP_DECLARE_DYNAMIC(C2DArray)

 public:
  C2DArray(int rows, int cols);

  // Sizes the table; negative counts are taken as 0. The value at every
  // (row, column) that the old and the new shape both have is kept, and so
  // are the title and unit of every kept column; new cells are 0. growRows
  // is the growth step in rows (kept for compatibility; the storage grows as
  // needed).
  void SetSize(int rows, int cols, int growRows);
  // The value at (row, col); kNotSet outside the data the table holds.
  double GetAt(int row, int col) const;
  // Stores v at (row, col); a write outside the data held is ignored.
  void SetAt(double v, int row, int col);
  // The first value of a row, for rows inside the data held; nullptr for
  // any other row. The row has GetCols() values.
  double* operator[](int row);
  // Empties the table: both counts become 1, and it holds no data.
  void RemoveAll();
  void SetColTitle(const std::string& title, int col);
  void SetColUnit(int unit, int col);
  std::string GetColTitle(int col) const;
  int GetColUnit(int col) const;
  int GetRows() const { return m_nRows; }
  int GetCols() const { return m_nCols; }

  int m_nCols = 0;
  int m_nRows = 0;
  std::vector<double> m_aData;          // row-major
  std::vector<std::string> m_aTitles;   // one per column
  std::vector<std::uint16_t> m_aUnits;  // one per column

 private:
  bool Holds(int row, int col) const;
};

}  // namespace pdrop
