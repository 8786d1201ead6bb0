// Shared pieces of the mechanistic-model tests: a model whose protected
// members are reachable, test residuals, and a sheet that keeps what it gets.
#pragma once

#include <vector>

#include "../TestFluids.h"
#include "pdrop/mechanistic/MechModel.h"
#include "pdrop/platform/MemorySheet.h"

namespace pdrop::test {

// 4 in pipe (D = 1/3 ft), roughness 0.0006 in; rhoL 50, rhoG 5 lbm/ft3,
// muL 1, muG 0.015 cP, sigma 20 dyn/cm.
class MechProbe : public CMechModel {
 public:
  using CMechModel::brak;
  using CMechModel::brent;
  using CMechModel::Calculate_dl_d;
  using CMechModel::Calculate_hl_d;
  using CMechModel::dl_d;
  using CMechModel::FEnt;
  using CMechModel::hl_d;
  using CMechModel::IntAmPf;
  using CMechModel::Modified_brent;
  using CMechModel::StratifiedP;
  using CMechModel::zBrent;

  MechProbe(double dx, double dz, double vsg, double vsl) {
    Init(0.0, 4.0, dx, dz);
    SetProbeFluid(*this, vsg, vsl);
    m_dSigma = 20.0;
  }

  // Test residuals; args keeps every point evaluated.
  std::vector<double> args;
  double shift = 0.3;
  double Linear(double x) { return args.push_back(x), x - shift; }
  double Constant(double x) { return args.push_back(x), 1.0; }
  double Well(double x) { return args.push_back(x), (x - 0.7) * (x - 0.7) - 0.01; }
  static Residual R(double (MechProbe::*f)(double)) { return static_cast<Residual>(f); }
};

// A memory sheet that also keeps the numbers written to column 9 in order:
// the Vsg of each decision.
class RecordingSheet : public MemorySheet {
 public:
  std::vector<double> column9;
  void SetValue(int col, int row, const CellValue& value) override {
    MemorySheet::SetValue(col, row, value);
    if (col == 9 && value.index() == 0) column9.push_back(std::get<double>(value));
  }
  bool Has(int col, int row) const { return At(col, row) != nullptr && At(col, row)->hasValue; }
};

}  // namespace pdrop::test
