#include "pdrop/correlations/Weymouth.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CWeymouth, CPanhandle)

namespace {

// Weymouth: 5.3213e-06 = 433.5^-2.
constexpr GasEquationConstants kConstants{2.0, 2.0, 1.0, 5.334, 5.3213e-06, 1.15, 1.0};

}  // namespace

CWeymouth::CWeymouth() : CPanhandle(kConstants) {}

double CWeymouth::GetDefaultFE(bool multiphase) {
  return multiphase ? kConstants.multiphaseFE : kConstants.gasFE;
}

}  // namespace pdrop
