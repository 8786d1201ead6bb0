#include "pdrop/correlations/PanEastern.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CPanEastern, CPanhandle)

namespace {

constexpr double kGasDefaultFE = 0.80;
constexpr double kMultiphaseDefaultFE = 0.82;

}  // namespace

CPanEastern::CPanEastern() {
  // 2.385e-06 = 737^-1.9608
  SetConstants(1.9608, 2.0, 0.9608, 4.9608, 2.385e-06);
  SetDefaultFE();
  SetUp();
}

double CPanEastern::GetDefaultFE(bool multiphase) {
  return multiphase ? kMultiphaseDefaultFE : kGasDefaultFE;
}

void CPanEastern::SetDefaultFE() { m_dFlowEff = GetDefaultFE(false); }

}  // namespace pdrop
