// Spreadsheet trace of the Petalas & Aziz model (Petalas & Aziz, J. Can.
// Pet. Tech. 39(6), 2000): the inputs of every flow-pattern decision, a note
// when dispersed bubble flow is chosen, and, with the model's trace flags
// set, one row per residual evaluation of the stratified and annular
// searches. Values are written in the model's own units (ft, in, ft/s,
// lbm/ft3, cP, dyn/cm, rad).
//
// The row cursor m_nDiagRow advances whether or not a sheet is attached, so
// that a trace started in the middle of a run lands where it would have with
// the sheet attached throughout. Nothing is built for a cell (no text, no
// value) while no sheet is attached: the decision does not allocate.
//
// Where this implementation departs from the automation form it replaces:
// cells are reached by column and row through CDiagSheet; CellAddress gives
// the "A1" text for sheets addressed that way; a value that is not finite is
// written as the not-set value; the film scan stops after kMaxScanPoints
// points even when its step does not advance; the cursor starts again at 0
// rather than overflow.
#include <climits>
#include <cmath>
#include <string>

#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {
namespace {

constexpr unsigned long kHeaderColour = 128;  // dark red as an RGB value
constexpr int kColouredColumns = 19;
constexpr int kLastColumn = 26;  // "Z": addresses are one letter
constexpr double kFilmScanEnd = 0.5;
constexpr int kMaxScanPoints = 100000;

}  // namespace

void CMechModel::SetExcelDiag(CDiagSheet* sheet) { CPressDrop::SetExcelDiag(sheet); }

std::string CMechModel::CellAddress(int col, int row) {
  if (col < 1 || col > kLastColumn) return std::string();
  return std::string(1, static_cast<char>('@' + col)) + std::to_string(row);
}

void CMechModel::SetDiagCell(const CellValue& value, int col, int row) {
  if (m_pExcel == nullptr) return;
  m_pExcel->SetValue(col, row == -1 ? m_nDiagRow : row, value);
}

void CMechModel::SetDiagCellColor(unsigned long color, int col, int row) {
  if (m_pExcel == nullptr) return;
  const int r = row == -1 ? m_nDiagRow : row;
  m_pExcel->SetFontColor(col, r, color);
  m_pExcel->SetBold(col, r, true);
}

void CMechModel::AdvanceDiagRow(int rows) {
  if (m_nDiagRow > INT_MAX - rows) m_nDiagRow = 0;
  m_nDiagRow += rows;
}

void CMechModel::SetDiagText(const char* text, int col) {
  if (m_pExcel == nullptr) return;
  SetDiagCell(CellValue(std::string(text)), col, -1);
}

void CMechModel::ColourDiagRow() {
  if (m_pExcel == nullptr) return;
  for (int col = 1; col <= kColouredColumns; ++col) SetDiagCellColor(kHeaderColour, col, -1);
}

void CMechModel::PrintDiagHdr() {
  if (m_pExcel != nullptr) {
    ColourDiagRow();
    static constexpr const char* kLabels[] = {"rol",   "rog", "stl", "mul", "r",
                                              "theta", "Dia", "Vsl", "Vsg"};
    for (int col = 1; col <= 9; ++col) SetDiagText(kLabels[col - 1], col);
  }
  AdvanceDiagRow(1);
  if (m_pExcel != nullptr) {
    const double values[] = {m_dRhoL,  m_dRhoG,     m_dSigma, m_dMuL, m_dFf,
                             m_dTheta, m_dDiameter, m_dVsl,   m_dVsg};
    for (int col = 1; col <= 9; ++col) {
      SetDiagCell(CellValue(FiniteOrNotSet(values[col - 1])), col, -1);
    }
  }
  AdvanceDiagRow(1);
}

void CMechModel::TraceStratified(double h, double residual, double tl, double tg, double reG,
                                 double fi) {
  if (m_pExcel != nullptr) {
    const double values[] = {
        h,      residual, m_dX2,   tl,     tg,      m_dY,    std::log10(std::sqrt(m_dX2)),
        m_dVsl, m_dVsg,   m_dVl,   m_dVg,  m_dFsl2, m_dFsg2, m_dResg,
        reG,    fi,       m_dRhoL, m_dRhoG};
    for (int col = 1; col <= 18; ++col) {
      SetDiagCell(CellValue(FiniteOrNotSet(values[col - 1])), col, -1);
    }
  }
  AdvanceDiagRow(1);
}

void CMechModel::TraceFilm(double d, double residual, double tf, double ti) {
  if (m_pExcel == nullptr) return;
  const double values[] = {d, residual, m_dX2, tf, ti, m_dY, std::log10(std::sqrt(m_dX2))};
  for (int col = 1; col <= 7; ++col) {
    SetDiagCell(CellValue(FiniteOrNotSet(values[col - 1])), col, -1);
  }
}

double CMechModel::Calculate_dl_dDiag() {
  ColourDiagRow();
  static constexpr const char* kLabels[] = {"hl/D", "Result", "X^2", "F2", "F1", "Y", "log10(X)"};
  for (int col = 1; col <= 7; ++col) SetDiagText(kLabels[col - 1], col);
  AdvanceDiagRow(1);

  double x = m_dDiagStep;
  if (m_dDiagStart > 0.0) x = m_dDiagStart;
  int i = 0;
  do {
    if (x >= kFilmScanEnd) break;
    dl_d(x);
    AdvanceDiagRow(1);
    x += m_dDiagStep;
    ++i;
  } while ((m_nDiagPoints < 1 || i < m_nDiagPoints) && i < kMaxScanPoints);
  return x;
}

}  // namespace pdrop
