#include "pdrop/correlations/Gray.h"
#include "pdrop/platform/Units.h"

#include <algorithm>
#include <cmath>

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CGray, CFanning)

namespace {

constexpr double kGravity = units::kGravityRounded;  // ft/s2
constexpr double kLbmPerS2PerDynPerCm = 0.00220462;  // 1 dyn/cm = 1 g/s2
constexpr double kWaterTensionWeight = 0.617;
// Below this density difference [lbm/ft3] the velocity number is formed
// without it, so that it cannot blow up or turn negative.
constexpr double kLeastDensityDifference = 1.0;
// e^-20 is nil against 1: a lower exponent changes no holdup.
constexpr double kLeastHoldupExponent = -20.0;
constexpr double kDefaultRoughness = 0.0006;          // in, when none is set
constexpr double kFilmVelocityRatio = 0.007;          // Vsl/Vsg below which the film thins out
constexpr double kLeastEffectiveRoughness = 2.77e-5;  // ft
// A Reynolds number at which the Chen factor is fully rough.
constexpr double kFullyRoughReynolds = 1.0e7;

// Fanning factor for a relative roughness above 1, where the Moody chart
// ends: a rational fit in the roughness ratio e.
double VeryRoughFactor(double e) {
  return std::pow(10.0, (-812.20334 * e - 3.65397e-6) / ((638.10053 * e + 439.49494) * e + 1.0));
}

bool NonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

}  // namespace

bool CGray::bIsSinglePhase() { return false; }

// Water is weighted by 0.617 against oil; rates and tensions that are not
// set count as 0. No liquid gives a NaN, which the caller rejects.
double CGray::LiquidSurfaceTension() const {
  const double qo = ZeroIfNotSet(m_dQo);
  const double qw = ZeroIfNotSet(m_dQwFree);
  return (qo * ZeroIfNotSet(m_dSigmaO) + kWaterTensionWeight * qw * ZeroIfNotSet(m_dSigmaW)) /
         (kWaterTensionWeight * qw + qo);
}

void CGray::NoResult() {
  m_dVm = m_dLambdaL = m_dLambdaG = m_dRhoNS = m_dHoldup = m_dRhoS = kNotSet;
  m_dReM = m_dFm = m_dElevationDP = m_dFrictionDP = kNotSet;
  m_dR = m_dSigmaLbm = m_dN1 = m_dN2 = m_dB = m_dY = m_dK = m_dKe = m_dMassFlux = kNotSet;
}

void CGray::MultiPhase() {
  m_dG = kGravity;
  const double D = m_dDiameter;  // in
  const double vsg = m_dVsg;
  const double vsl = m_dVsl;
  const double rhoL = m_dRhoL;
  const double rhoG = m_dRhoG;

  const double sigma = LiquidSurfaceTension();
  m_dSigma = FiniteOrNotSet(sigma);
  const double vm = vsg + vsl;
  // R and the film roughness divide by the gas velocity, both numbers by the
  // surface tension: without them there is no result.
  if (!NonNegative(vsl) || !(vsg > 0.0) || !std::isfinite(vm) || !(sigma > 0.0) ||
      !NonNegative(rhoL) || !NonNegative(rhoG)) {
    NoResult();
    return;
  }

  m_dVm = vm;
  m_dLambdaL = vsl / vm;
  m_dLambdaG = vsg / vm;
  m_dR = vsl / vsg;
  const double lambdaL = m_dLambdaL;
  const double rhoNS = rhoL * lambdaL + rhoG * (1.0 - lambdaL);
  m_dRhoNS = rhoNS;
  m_dSigmaLbm = kLbmPerS2PerDynPerCm * sigma;

  const double vm2 = vm * vm;
  const double densityDifference = rhoL - rhoG;
  const double n1Difference = densityDifference < kLeastDensityDifference ? 1.0 : densityDifference;
  m_dN1 = rhoNS * rhoNS * vm2 * vm2 / (m_dG * m_dSigmaLbm * n1Difference);
  if (rhoG < rhoL) {
    m_dN2 = m_dG * D * D * densityDifference / m_dSigmaLbm / units::kSquareInchesPerSquareFoot;
    m_dB = 0.0814 * (1.0 - 0.0554 * std::log(1.0 + 730.0 * m_dR / (m_dR + 1.0)));
    m_dY = std::max(-2.314 * std::pow(m_dN1 * (1.0 + 205.0 / m_dN2), m_dB), kLeastHoldupExponent);
  } else {
    m_dN2 = m_dB = kNotSet;
    m_dY = kLeastHoldupExponent;
  }

  const double holdup = 1.0 - (1.0 - lambdaL) * (1.0 - std::exp(m_dY));
  m_dHoldup = holdup;
  m_dRhoS = rhoL * holdup + rhoG * (1.0 - holdup);

  // A negative roughness is "not set" (the host's -32600 among others).
  m_dK = (m_dFf < 0.0 ? kDefaultRoughness : m_dFf) / units::kInchesPerFoot;
  double ke = 28.5 * m_dSigmaLbm / (rhoNS * vm2);
  if (m_dR < kFilmVelocityRatio) ke = m_dK + m_dR * (ke - m_dK) / kFilmVelocityRatio;
  m_dKe = std::max(ke, kLeastEffectiveRoughness);

  const double relativeRoughness = units::kInchesPerFoot * m_dKe / D;
  if (relativeRoughness <= 1.0) {
    m_dReM = kFullyRoughReynolds;
    m_dFm = ff(units::kInchesPerFoot * m_dKe, D, kFullyRoughReynolds);
  } else {
    m_dFm = VeryRoughFactor(relativeRoughness);
  }

  m_dElevationDP = m_dRhoS * m_dDz / units::kSquareInchesPerSquareFoot * m_dDir;
  m_dMassFlux = rhoL * vsl + rhoG * vsg;
  m_dFrictionDP = 2.0 * m_dFm * m_dMassFlux * m_dMassFlux * m_dLength /
                  (units::kSquareInchesPerSquareFoot * m_dG * (D / units::kInchesPerFoot) * rhoNS) *
                  m_dFlw;

  ClearNonFinite();
  for (double* v :
       {&m_dR, &m_dSigmaLbm, &m_dN1, &m_dN2, &m_dB, &m_dY, &m_dK, &m_dKe, &m_dMassFlux}) {
    *v = FiniteOrNotSet(*v);
  }
}

}  // namespace pdrop
