// Static columns and single-phase flow: the base flow routines that every
// correlation inherits and falls back to when only one phase flows.
#include "pdrop/core/PressDrop.h"
#include "pdrop/platform/Units.h"

namespace pdrop {
namespace {

constexpr double kGc = units::kGravityRounded;  // lbm ft / (lbf s2)

enum RegimeCode { kStaticGradient = 0, kSinglePhase = 1 };

}  // namespace

// Hydrostatic change of one piece [psi]; a column whose density is not known
// has no elevation change (the driver then reports no result).
double CPressDrop::ElevationChange(double density) const {
  if (!IsSet(density)) return kNotSet;
  return density * m_dDz / units::kSquareInchesPerSquareFoot * m_dDir;
}

// Fanning friction change of one piece [psi] for friction factor f, density
// [lbm/ft3] and velocity [ft/s].
double CPressDrop::FrictionChange(double f, double density, double v) const {
  return 2.0 * f * density * v * v * m_dLength / (m_dDiameter / 12.0) /
         units::kSquareInchesPerSquareFoot / kGc * m_dFlw;
}

void CPressDrop::StaticGradient() {
  switch (m_nGradientType) {
    case 1:
      OilProp();
      StaticOil();
      break;
    case 2:
      WtrProp();
      StaticWater();
      break;
    default:
      GasProp();
      StaticGas();
      break;
  }
}

// A standing column of one phase: holdup 1 for a liquid, 0 for gas.
void CPressDrop::StaticColumn(double density, double holdup) {
  m_dElevationDP = ElevationChange(density);
  m_dHoldup = holdup;
  m_dLambdaG = 1.0 - holdup;
  m_dLambdaL = holdup;
  m_dFlowRegime = kStaticGradient;
}

void CPressDrop::StaticGas() { StaticColumn(m_dRhoG, 0.0); }
void CPressDrop::StaticOil() { StaticColumn(m_dRhoO, 1.0); }
void CPressDrop::StaticWater() { StaticColumn(m_dRhoW, 1.0); }
void CPressDrop::StaticLiquid() { StaticColumn(m_dRhoL, 1.0); }

void CPressDrop::GasFlow() {
  StaticGas();
  m_dReM = REg(m_dQg);
  m_dFm = ff(m_dFf, m_dDiameter, m_dReM);
  m_dFrictionDP = FrictionChange(m_dFm, ZeroIfNotSet(m_dRhoG), ZeroIfNotSet(m_dVsg));
  m_dFlowRegime = kSinglePhase;
  HoldupAndVelocity();
  m_dRhoNS = m_dRhoS = m_dRhoG;
  m_dVg = m_dVsg;
  m_dVm = m_dVg;
}

void CPressDrop::LiquidFlow() {
  StaticLiquid();
  m_dReM = REl(m_dVsl, kNotSet);
  m_dFm = ff(m_dFf, m_dDiameter, m_dReM);
  m_dElevationDP = ElevationChange(m_dRhoL);
  m_dFrictionDP = FrictionChange(m_dFm, ZeroIfNotSet(m_dRhoL), ZeroIfNotSet(m_dVsl));
  m_dFlowRegime = kSinglePhase;
  m_dRhoNS = m_dRhoS = m_dRhoL;
  m_dVm = m_dVsl;
}

void CPressDrop::MultiPhase() {
  if (m_bGas) {
    GasFlow();
  } else if (m_bLiquid) {
    LiquidFlow();
  } else {
    StaticGas();
  }
}

}  // namespace pdrop
