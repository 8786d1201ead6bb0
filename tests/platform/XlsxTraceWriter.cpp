// Writes the spreadsheet trace of one mechanistic decision to an .xlsx file
// named on the command line; check_xlsx.py reads it back.
#include <cstdio>

#include "pdrop/pdrop.h"
#include "pdrop/platform/xlsx/XlsxSheet.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  pdrop::BlackOilFluid fluid;
  pdrop::BlackOilPhases ph = fluid.MakePhases();
  pdrop::CMechModel e;
  e.Init(0.0, 4.0, 0.0, 100.0);
  e.SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  pdrop::XlsxSheet sheet(argv[1]);
  e.SetExcelDiag(&sheet);
  e.m_dNumSubdiv = 1;  // one decision per iteration, on one piece
  if (e.Cal(1500.0, 620.0, 0.0, 0.5, 800.0, 0.0) == pdrop::kNotSet) return 1;
  e.SetExcelDiag(nullptr);
  // The values the trace wrote last, for the checker: rhoL and Vsg.
  std::printf("%.10g %.10g\n", e.m_dRhoL, e.m_dVsg);
  return sheet.Close() ? 0 : 1;
}
