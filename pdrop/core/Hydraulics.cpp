// Hydraulic helpers shared by every correlation: Reynolds numbers, the
// Fanning friction factor, gas velocity, in-situ velocities and the liquid
// surface tension. The friction factor is Fanning's (a quarter of Darcy's),
// used as dp = 2 f rho v^2 L / (g D).
#include <algorithm>
#include <cmath>

#include "pdrop/core/Friction.h"
#include "pdrop/core/PressDrop.h"
#include "pdrop/platform/Units.h"

namespace pdrop {
namespace {

constexpr double kGasReynoldsFactor = 0.020011;  // Re = 0.020011 gamma q[scf/d] / (mu[cP] d[in])
constexpr double kCpToLbmPerFtS = units::kCpToLbmPerFtS;
constexpr double kLaminarLimit = kLaminarReynolds;
constexpr double kTurbulentLimit = kTurbulentReynolds;
constexpr double kStdPressure = units::kEngineStdPressure;  // psia
constexpr double kStdTemperature = units::kEngineStdTemperature;

// log10 as ln x / ln 10: the natural logarithm costs a third of log10 and
// agrees with it to within a few units in the last place.
constexpr double kLog10E = 0.43429448190325182765;  // 1 / ln 10
inline double Log10(double x) { return std::log(x) * kLog10E; }

// Fanning factor of turbulent flow: the smooth-pipe fit for zero roughness,
// else Chen's explicit form of Colebrook (Chen, Ind. Eng. Chem. Fundam. 18,
// 1979, 296) with roughness ratio r = e/D, here as a function
// of r and r^1.1098.
double ChenFactor(double r, double rPow, double Re) {
  const double inner = Log10(0.3539 * rPow + 5.8506 / std::pow(Re, 0.8981));
  const double x = -4.0 * Log10(0.2698 * r - (5.0452 / Re) * inner);
  return 1.0 / (x * x);
}

double SmoothFactor(double Re) { return 0.0014 + 0.125 * std::pow(Re, -0.32); }

double TurbulentFactor(double e, double D, double Re) {
  if (e == 0.0) return SmoothFactor(Re);
  const double r = e / D;
  return ChenFactor(r, std::pow(r, 1.1098), Re);
}

// Laminar below 2000, turbulent above 4000, linear in Re between.
template <typename Turbulent>
double Blend(double Re, const Turbulent& turbulent) {
  if (Re == 0.0) return 0.0;
  const double fl = 16.0 / Re;
  if (Re <= kLaminarLimit) return fl;
  const double ft = turbulent();
  if (Re > kTurbulentLimit) return ft;
  return ((Re - kLaminarLimit) * ft + (kTurbulentLimit - Re) * fl) /
         (kTurbulentLimit - kLaminarLimit);
}

}  // namespace

double CPressDrop::REg(double qg) {
  if (qg == 0.0 || !IsSet(qg)) return 0.0;
  if (m_dMuG < 0.0) return IsSet(m_dMuG) ? 1.0e8 : 0.0;
  // A zero viscosity or no gas object gives no Reynolds number.
  if (m_dMuG == 0.0 || m_pGas == nullptr) return 0.0;
  return kGasReynoldsFactor * m_pGas->SpecificGravity() * qg / m_dMuG / (m_dPipeID + m_dInnerOD);
}

double CPressDrop::REl(double v, double d) { return REm(v, m_dRhoL, m_dMuL, d); }

double CPressDrop::REm(double v, double density, double viscosity, double d) {
  if (!IsSet(v)) return 0.0;
  if (!IsSet(d)) d = m_dDiameter / 12.0;
  return d * v * density / viscosity / kCpToLbmPerFtS;
}

double FanningFrictionFactor(double e, double D, double Re) {
  return Blend(Re, [&] { return TurbulentFactor(e, D, Re); });
}

PipeRoughness RoughnessOf(double e, double D) {
  PipeRoughness pipe;
  pipe.e = e;
  pipe.D = D;
  pipe.ratio = e / D;
  pipe.ratioPow = std::pow(pipe.ratio, 1.1098);
  return pipe;
}

double FanningFrictionFactor(const PipeRoughness& pipe, double Re) {
  return Blend(Re, [&] {
    return pipe.e == 0.0 ? SmoothFactor(Re) : ChenFactor(pipe.ratio, pipe.ratioPow, Re);
  });
}

double CPressDrop::ff(double e, double D, double Re) { return FanningFrictionFactor(e, D, Re); }

double CPressDrop::ff2(double e, double D, double Re) {
  double f = 0.0, f2 = 0.0;
  FrictionFactors(e, D, Re, &f, &f2);
  return f2;
}

// Both forms share one evaluation of the turbulent factor.
void CPressDrop::FrictionFactors(double e, double D, double Re, double* f, double* f2) {
  if (Re == 0.0) {
    *f = *f2 = 0.0;
    return;
  }
  const double fl = 16.0 / Re;
  if (Re <= kLaminarLimit) {
    *f = *f2 = fl;
    return;
  }
  const double ft = TurbulentFactor(e, D, Re);
  if (Re > kTurbulentLimit) {
    *f = *f2 = ft;
    return;
  }
  *f =
      ((Re - kLaminarLimit) * ft + (kTurbulentLimit - Re) * fl) / (kTurbulentLimit - kLaminarLimit);
  *f2 = std::max(ft, fl);
}

double CPressDrop::Vg(double p, double t, double qg) {
  if (m_pGas == nullptr) return kNotSet;
  const double z = m_pGas->ZFactor(t, p);
  const double bg = kStdPressure * t * z / (kStdTemperature * p) / units::kSecondsPerDay;
  return FiniteOrNotSet(qg * 1.0e6 * bg / m_dArea);
}

void CPressDrop::HoldupAndVelocity() {
  if (!IsSet(m_dHoldup)) return;
  m_dLiquidVolume = m_dHoldup * m_dLength * m_dArea / units::kCubicFeetPerBarrel;
  if (m_dHoldup != 1.0) {
    m_dVg = ZeroIfNotSet(m_dVsg) / (1.0 - m_dHoldup);
    m_dVl = m_dHoldup != 0.0 ? ZeroIfNotSet(m_dVsl) / m_dHoldup : 0.0;
  } else {
    m_dVg = m_dVsg;
    m_dVl = m_dVsl;
  }
}

double CPressDrop::Stl() {
  const double qo = ZeroIfNotSet(m_dQo);
  const double qw = ZeroIfNotSet(m_dQwFree);
  // No liquid: no surface tension to weight.
  if (qo + qw == 0.0) return 0.0;
  return (qo * ZeroIfNotSet(m_dSigmaO) + qw * ZeroIfNotSet(m_dSigmaW)) / (qo + qw);
}

void CPressDrop::MixProp() { LiquidProp(); }

}  // namespace pdrop
