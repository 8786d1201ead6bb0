// Phase properties at the evaluation pressure and temperature (m_dP, m_dT).
//
// Black-oil mode: the host gives standard rates; the gas is split into free
// and dissolved gas with the solution ratios. Equation-of-state mode: the
// stream objects give mass and volume rates, and a phase whose mass rate is
// zero switches the segment to single-phase flow of the other phase.
#include <algorithm>
#include <cmath>

#include "pdrop/core/PressDrop.h"
#include "pdrop/platform/Units.h"

namespace pdrop {
namespace {

constexpr double kStdPressure = units::kEngineStdPressure;          // psia
constexpr double kStdTemperature = units::kPropertyStdTemperature;  // degR
constexpr double kWaterDensity = 62.3;          // lbm/ft3 at standard conditions
constexpr double kMaxLiquidPressure = 20000.0;  // psia, cap of black-oil liquid properties
// Mass of standard gas per reservoir volume unit: 0.0764 lbm/scf (air) over
// 5.6146 ft3/bbl [lbm/ft3 per scf/STB of unit gravity].
constexpr double kDissolvedGasDensity = 0.0136;
constexpr double kLeastFreeGas = 0.5;      // scf/d
constexpr double kLeastFreeWater = 0.001;  // bbl/d

// A stream's rate, with a missing object or a not-set answer read as 0.
double MassFlowOf(CProp* phase) { return phase != nullptr ? ZeroIfNotSet(phase->MassFlow()) : 0.0; }
double VolFlowOf(CProp* phase) { return phase != nullptr ? ZeroIfNotSet(phase->VolFlow()) : 0.0; }

// Superficial velocity of a mass rate [lbm/s] of density rho through area.
double MassVelocity(double m, double rho, double area) {
  return IsSet(rho) && rho > 0.0 ? m / (rho * area) : kNotSet;
}

}  // namespace

void CPressDrop::GasProp() {
  if (!IsPhasePresent(m_pGas)) {
    m_dZ = m_dMuG = m_dRhoG = m_dBg = m_dGasLiquidYield = m_dVsg = m_dQlInGas = kNotSet;
    return;
  }
  const double T = m_dT;
  const double p = m_dP;
  m_dZ = m_pGas->ZFactor(T, p);
  m_dMuG = m_pGas->Viscosity(T, p);
  m_dRhoG = m_pGas->Density(T, p);
  m_dGasLiquidYield = m_pGas->LiquidYield(T, p);
  m_dBg = (T > 0.0 && p > 0.0 && m_dZ > 0.0) ? kStdPressure * T * m_dZ / (kStdTemperature * p)
                                             : kNotSet;
  if (m_bEOS) {
    const double m = MassFlowOf(m_pGas);
    if (m != 0.0) {
      m_dQgFree = ZeroIfNotSet(m_pGas->GasStdVolFlow()) * units::kScfPerMMscf;
      m_dQg = m_dQgFree;
      m_dVsg = MassVelocity(m, m_dRhoG, m_dArea);
    } else {
      m_dQgFree = m_dQg = 0.0;
      m_dVsg = kNotSet;
      m_bGas = false;
      m_bOil = m_bWater = m_bLiquid = true;
      if (!m_bInPhaseSwitch) {
        m_bInPhaseSwitch = true;
        LiquidProp();
        LiquidFlow();
        m_bInPhaseSwitch = false;
      }
    }
  } else {
    m_dVsg = m_dQgFree * ZeroIfNotSet(m_dBg) / m_dArea / units::kSecondsPerDay;
  }
  m_dQlInGas = m_dQgFree * ZeroIfNotSet(m_dGasLiquidYield) / units::kScfPerMMscf;
}

void CPressDrop::OilProp() { LiquidPhaseProp(true); }
void CPressDrop::WtrProp() { LiquidPhaseProp(false); }

// Oil and water follow the same steps; they differ in the fields they fill,
// the gravity of the black-oil density and the rates they answer for.
void CPressDrop::LiquidPhaseProp(bool oil) {
  CProp* phase = oil ? m_pOil : m_pWtr;
  double& mu = oil ? m_dMuO : m_dMuW;
  double& b = oil ? m_dBo : m_dBw;
  double& rs = oil ? m_dRso : m_dRsw;
  double& rho = oil ? m_dRhoO : m_dRhoW;
  double& sigma = oil ? m_dSigmaO : m_dSigmaW;
  double& vs = oil ? m_dVso : m_dVsw;

  if (!IsPhasePresent(phase)) {
    mu = b = rs = rho = vs = kNotSet;
    return;
  }
  const double T = m_dT;
  const double p = m_bEOS ? m_dP : std::min(m_dP, kMaxLiquidPressure);
  mu = phase->Viscosity(T, p);
  b = phase->FormationVolumeFactor(T, p);
  rs = phase->SolutionGasRatio(T, p, 0);
  if (m_bEOS) {
    rho = phase->Density(T, p);
  } else {
    const double gravity = oil ? phase->OilGravity() : phase->SpecificGravity();
    rho = (IsSet(gravity) && IsSet(b) && b > 0.0) ? kWaterDensity * gravity / b : kNotSet;
    // Live oil carries the mass of its dissolved gas: rho = (62.3 gamma_o +
    // 0.0136 gamma_g Rs[scf/STB]) / Bo, where a gas object gives gamma_g.
    if (oil && IsSet(rho) && IsSet(rs) && IsPhasePresent(m_pGas)) {
      rho += kDissolvedGasDensity * m_pGas->SpecificGravity() * rs * units::kScfPerMMscf / b;
    }
  }
  sigma = phase->SurfaceTension(T, p);

  if (m_bEOS) {
    const double m = MassFlowOf(phase);
    const double q = m != 0.0 ? ZeroIfNotSet(phase->LiqVolFlow()) : 0.0;
    vs = m != 0.0 ? MassVelocity(m, rho, m_dArea) : kNotSet;
    if (oil) {
      m_dQo = q;
    } else {
      m_dQwFree = m_dQw = q;
    }
  } else {
    const double q = oil ? m_dQo : m_dQw;
    vs = q * ZeroIfNotSet(b) * units::kCubicFeetPerBarrel / m_dArea / units::kSecondsPerDay;
  }
}

// Liquid density and viscosity mixed by in-situ volume, the liquid's
// superficial velocity and surface tension; all not set without liquid.
void CPressDrop::MixLiquid(double oilVolume, double waterVolume, double vsl) {
  const double total = oilVolume + waterVolume;
  if (total == 0.0) {
    NoLiq();
    return;
  }
  const double fo = oilVolume / total;
  const double fw = waterVolume / total;
  m_dRhoL = ZeroIfNotSet(m_dRhoO) * fo + ZeroIfNotSet(m_dRhoW) * fw;
  m_dMuL = ZeroIfNotSet(m_dMuO) * fo + ZeroIfNotSet(m_dMuW) * fw;
  m_dVsl = vsl;
  m_dSigma = Stl();
}

void CPressDrop::SetMassFractions(double mg, double mo, double mw) {
  const double liquid = mo + mw;
  const double total = mg + liquid;
  m_dGLMassRatio = liquid != 0.0 ? mg / liquid : kNotSet;
  m_dXg = total != 0.0 ? mg / total : kNotSet;
  m_dXo = total != 0.0 ? mo / total : kNotSet;
  m_dXw = total != 0.0 ? mw / total : kNotSet;
}

void CPressDrop::LiquidProp() {
  OilProp();
  WtrProp();

  if (m_bEOS) {
    const double qo = VolFlowOf(m_pOil);
    const double qw = VolFlowOf(m_pWtr);
    const double mo = MassFlowOf(m_pOil);
    const double mw = MassFlowOf(m_pWtr);
    m_dQlInSitu = qo + qw;
    if (mo + mw != 0.0) {
      MixLiquid(qo, qw, m_dQlInSitu / m_dArea);
    } else {
      NoLiq();
      m_bGas = true;
      m_bLiquid = m_bWater = m_bOil = false;
      if (!m_bInPhaseSwitch) {
        m_bInPhaseSwitch = true;
        GasProp();
        GasFlow();
        m_bInPhaseSwitch = false;
      }
    }
    SetMassFractions(MassFlowOf(m_pGas), mo, mw);
    m_dLGR = m_dQgFree != 0.0 ? std::fabs(m_dQlInSitu / (m_dQgFree / units::kScfPerMMscf)) : 0.0;
    return;
  }

  const double bo = ZeroIfNotSet(m_dBo);
  const double bw = ZeroIfNotSet(m_dBw);
  m_dQwFree = m_dQw;
  m_dQgDissolved = ZeroIfNotSet(m_dRso) * m_dQo + ZeroIfNotSet(m_dRsw) * m_dQw;
  m_dQgFree = m_dQg - units::kScfPerMMscf * m_dQgDissolved;
  if (m_dQgFree < kLeastFreeGas) m_dQgFree = 0.0;
  m_dQlInGas = m_dQgFree * ZeroIfNotSet(m_dGasLiquidYield) / units::kScfPerMMscf;
  if (m_bWaterInGas) {
    m_dQwFree = m_dQw - m_dQlInGas;
    if (m_dQwFree < kLeastFreeWater && m_dQgFree != 0.0) m_dQwFree = 0.0;
  }
  m_dVsg = m_dQgFree * ZeroIfNotSet(m_dBg) / m_dArea / units::kSecondsPerDay;
  m_dVsw = m_dQwFree * bw * units::kCubicFeetPerBarrel / m_dArea / units::kSecondsPerDay;
  m_dQlInSitu = m_dQo * bo + m_dQwFree * bw;
  MixLiquid(m_dQo * bo, m_dQwFree * bw,
            m_dQlInSitu * units::kCubicFeetPerBarrel / m_dArea / units::kSecondsPerDay);
}

void CPressDrop::NoGas() { m_dBg = m_dRhoG = m_dZ = m_dMuG = m_dVsg = m_dQgFree = kNotSet; }

void CPressDrop::NoOil() { m_dBo = m_dRhoO = m_dRso = m_dMuO = m_dSigmaO = m_dVso = kNotSet; }

void CPressDrop::NoWtr() {
  m_dBw = m_dRhoW = m_dRsw = m_dMuW = m_dSigmaW = m_dVsw = m_dQwFree = kNotSet;
}

void CPressDrop::NoLiq() { m_dRhoL = m_dMuL = m_dVsl = m_dSigma = kNotSet; }

}  // namespace pdrop
