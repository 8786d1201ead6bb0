#include "pdrop/core/PressDrop.h"
#include "pdrop/platform/Units.h"

#include <cmath>

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CPressDrop, CPressData)

CPressDrop::CPressDrop() = default;
CPressDrop::~CPressDrop() = default;

void CPressDrop::Init(double innerOD, double pipeID, double dx, double dz) {
  m_dInnerOD = IsSet(innerOD) ? innerOD : 0.0;
  m_dPipeID = IsSet(pipeID) ? pipeID : 0.0;
  m_dDx = IsSet(dx) ? dx : 0.0;
  m_dDz = IsSet(dz) ? dz : 0.0;

  m_dArea = units::kPi * (std::pow(m_dPipeID / 24.0, 2.0) - std::pow(m_dInnerOD / 24.0, 2.0));
  m_dLength = std::sqrt(m_dDz * m_dDz + m_dDx * m_dDx);
  m_dDiameter = m_dPipeID - m_dInnerOD;

  m_dFrictionDP = m_dElevationDP = m_dTotalDP = 0.0;
  m_dT = m_dP = m_dP1 = m_dP2 = 0.0;
  m_dTempGradient = 0.0;

  m_nUseLiquid = 1;
  m_nSubdiv = 1;
  m_dFlowRegime = kUndefinedRegime;
  m_dDir = 1.0;
  m_dFlw = 1.0;

  m_dQg = m_dQo = m_dQw = m_dQlInSitu = 0.0;

  NoGas();
  NoOil();
  NoWtr();
  NoLiq();

  m_dLGR = 0.0;
  SetUp();
  m_bInPhaseSwitch = false;
}

int CPressDrop::GetCode() const {
  // The record may hold anything a host wrote into it; only a finite code in
  // the int range converts.
  if (!(std::fabs(m_dFlowRegime) < 2147483647.0)) return static_cast<int>(kUndefinedRegime);
  return static_cast<int>(m_dFlowRegime);
}

void CPressDrop::Scale(double k) {
  m_dDx *= k;
  m_dLength *= k;
  m_dDz *= k;
}

void CPressDrop::SetProps(CProp* gas, CProp* oil, CProp* water) {
  m_pGas = gas;
  m_pOil = oil;
  m_pWtr = water;
  m_LiquidLift.SetProps(gas);
  m_pEOS = nullptr;
}

void CPressDrop::SetProps(CEOSBase* fluid) {
  m_bEOS = true;
  CProp* water = fluid != nullptr ? fluid->GetWtr() : nullptr;
  CProp* oil = fluid != nullptr ? fluid->GetOil() : nullptr;
  CProp* gas = fluid != nullptr ? fluid->GetGas() : nullptr;
  SetProps(gas, oil, water);
  m_bIsenthalpic = fluid != nullptr && fluid->IsIsenthalpic();
  m_pEOS = fluid;
}

double CPressDrop::GetDefaultFE(bool) { return 1.0; }

void CPressDrop::SetExcelDiag(CDiagSheet* sheet) {
  m_pExcel = sheet;
  m_nDiagRow = 0;
}

void CPressDrop::SetDiag(bool diag) { m_bDiag = diag; }
bool CPressDrop::bIsSinglePhase() { return false; }
bool CPressDrop::HasFlowMap() { return false; }

bool CPressDrop::GetFlowMap(std::vector<CFlowRegime>& map) {
  map.clear();
  return false;
}

bool CPressDrop::bIsWellbore() { return true; }
bool CPressDrop::bIsMultiphase() { return false; }
void CPressDrop::SetUp() {}
double CPressDrop::GetFE() { return 1.0; }
void CPressDrop::SetFE(double) {}

}  // namespace pdrop
