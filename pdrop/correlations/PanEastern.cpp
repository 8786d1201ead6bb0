#include "pdrop/correlations/PanEastern.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CPanEastern, CPanhandle)

namespace {

// Panhandle B: 2.385e-06 = 737^-1.9608.
constexpr GasEquationConstants kConstants{1.9608, 2.0, 0.9608, 4.9608, 2.385e-06, 0.80, 0.82};

}  // namespace

CPanEastern::CPanEastern() : CPanhandle(kConstants) {}

double CPanEastern::GetDefaultFE(bool multiphase) {
  return multiphase ? kConstants.multiphaseFE : kConstants.gasFE;
}

}  // namespace pdrop
