#include "pdrop/correlations/Panhandle.h"
#include "pdrop/platform/Units.h"

#include <cmath>

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CPanhandle, CPressDrop)

namespace {

constexpr double kBasePressure = units::kEngineStdPressure;        // psia
constexpr double kBaseTemperature = units::kEngineStdTemperature;  // degR
constexpr double kLeastGasRate = 1e-6;                             // scf/d, below it no friction
constexpr double kFlaniganPlateau = 82.0;                          // % where the curve flattens
// Panhandle A: 1.279e-05 = 435.87^-1.8539.
constexpr GasEquationConstants kPanhandleA{1.8539, 2.0, 0.8539, 4.8539, 1.279e-05, 0.85, 0.82};

// Flanigan's efficiency [%] against X = Vsg / R^0.32 (Vsg ft/s, R bbl per
// MMscf of free gas).
double FlaniganEfficiency(double x) {
  if (x < 0.1) return 100.0 * x;
  if (x < 0.45) return 53.755 * std::pow(x, 0.73);
  if (x < 1.5) return 45.92 * std::pow(x, 0.533);
  if (x < 4.0) return 51.46 * std::pow(x, 0.252);
  if (x < 10.0) return 61.23 * std::pow(x, 0.127);
  return kFlaniganPlateau;
}

}  // namespace

CPanhandle::CPanhandle() : CPanhandle(kPanhandleA) {}

CPanhandle::CPanhandle(const GasEquationConstants& k) : m_dGasDefaultFE(k.gasFE) {
  SetConstants(k.expQ, k.expBase, k.expGravity, k.expD, k.coef);
  m_dFE = 1.0;
  m_dPipeID = 4.0;
  SetDefaultFE();
  SetUp();
}

void CPanhandle::SetConstants(double expQ, double expBase, double expGravity, double expD,
                              double coef) {
  m_dExpQ = expQ;
  m_dExpBase = expBase;
  m_dExpGravity = expGravity;
  m_dExpD = expD;
  m_dCoef = coef;
}

double CPanhandle::GetDefaultFE(bool multiphase) {
  return multiphase ? kPanhandleA.multiphaseFE : kPanhandleA.gasFE;
}

void CPanhandle::SetDefaultFE() { m_dFlowEff = m_dGasDefaultFE; }
double CPanhandle::GetFE() { return m_dFlowEff; }

void CPanhandle::SetFE(double fe) { m_dFlowEff = fe > 0.0 ? fe : kPanhandleA.gasFE; }

bool CPanhandle::bIsSinglePhase() { return false; }

void CPanhandle::SetUp() {
  m_dRhoNS = m_dRhoS = kNotSet;
  m_dVm = m_dVsg;
  m_dBaseTerm = std::pow(kBasePressure / kBaseTemperature, m_dExpBase);
  m_dDiamTerm = 1.0 / std::pow(m_dPipeID, m_dExpD);
}

// The flow equation with the working efficiency m_dFE: m_dFm is the change
// of squared pressure [psia2], m_dFrictionDP the pressure change it makes.
void CPanhandle::GasEquation() {
  m_dFm = 0.0;
  if (m_dQgFree > kLeastGasRate) {
    const double gravity = m_pGas != nullptr ? m_pGas->SpecificGravity() : kNotSet;
    // No gas object (or one without gravity), no temperature or z, or an
    // efficiency that is not positive: the equation has no answer.
    if (!(gravity > 0.0) || !(m_dFE > 0.0) || !(m_dT > 0.0) || !(m_dZ > 0.0)) {
      m_dFm = m_dFrictionDP = kNotSet;
      return;
    }
    m_dFm = m_dCoef * m_dBaseTerm * m_dDiamTerm * std::pow(m_dQgFree / m_dFE, m_dExpQ) *
            std::pow(gravity, m_dExpGravity) * m_dT * (m_dLength / units::kFeetPerMile) * m_dZ;
  }
  const double change = m_dFlw == 1.0 ? m_dFm : -m_dFm;
  const double p2Squared = m_dP1 * m_dP1 + change;
  m_dFrictionDP = p2Squared >= m_dMinAbsPress * m_dMinAbsPress
                      ? FiniteOrNotSet(std::sqrt(p2Squared) - m_dP1)
                      : kNotSet;
  m_dFm = FiniteOrNotSet(m_dFm);
}

void CPanhandle::GasFlow() {
  StaticGas();
  m_dFE = GetFE();
  GasEquation();
  ClearNonFinite();
}

void CPanhandle::MultiPhase() {
  if (m_dQgFree == 0.0) {
    LiquidFlow();
    return;
  }
  // Flanigan's liquid load R is in bbl per MMscf/d of free gas; in
  // equation-of-state mode the in-situ liquid rate is in ft3/s.
  double liquid = m_dQlInSitu;
  if (m_bEOS) liquid *= units::kSecondsPerDay / units::kCubicFeetPerBarrel;
  const double r = liquid / (m_dQgFree / units::kScfPerMMscf);
  const double x = m_dVsg / std::pow(r, 0.32);
  m_dFE = GetFE() / kFlaniganPlateau * FlaniganEfficiency(x);
  GasEquation();

  const double vm = m_dVsg + m_dVsl;
  if (vm > 0.0 && std::isfinite(vm) && m_dVsg >= 0.0 && m_dVsl >= 0.0) {
    double holdup = 1.0 / (1.0 + 0.3264 * std::pow(m_dVsg, 1.006));
    m_dVm = vm;
    m_dLambdaL = m_dVsl / vm;
    m_dLambdaG = m_dVsg / vm;
    if (holdup < m_dLambdaL) holdup = m_dLambdaL;
    if (holdup > 1.0) holdup = 1.0;
    m_dHoldup = holdup;
    m_dRhoS = holdup * m_dRhoL + (1.0 - holdup) * m_dRhoG;
    m_dElevationDP = m_dRhoS * m_dDz / units::kSquareInchesPerSquareFoot * m_dDir;
  } else {
    // Without velocities there is no holdup and no head.
    m_dVm = m_dLambdaL = m_dLambdaG = m_dHoldup = m_dRhoS = m_dElevationDP = kNotSet;
  }
  m_dRhoNS = m_dMuNS = m_dReM = m_dFm = kNotSet;
  ClearNonFinite();
}

}  // namespace pdrop
