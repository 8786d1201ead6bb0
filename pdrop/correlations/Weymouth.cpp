#include "pdrop/correlations/Weymouth.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CWeymouth, CPanhandle)

namespace {

constexpr double kGasDefaultFE = 1.15;
constexpr double kMultiphaseDefaultFE = 1.0;

}  // namespace

CWeymouth::CWeymouth() {
  // 5.3213e-06 = 433.5^-2
  SetConstants(2.0, 2.0, 1.0, 5.334, 5.3213e-06);
  SetDefaultFE();
  SetUp();
}

double CWeymouth::GetDefaultFE(bool multiphase) {
  return multiphase ? kMultiphaseDefaultFE : kGasDefaultFE;
}

void CWeymouth::SetDefaultFE() { m_dFlowEff = GetDefaultFE(false); }

}  // namespace pdrop
