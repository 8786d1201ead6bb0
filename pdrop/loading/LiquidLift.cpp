#include "pdrop/loading/LiquidLift.h"
#include "pdrop/platform/Units.h"

#include <cmath>

namespace pdrop {
namespace {

// Below this pressure the drop models are evaluated at it [psia].
constexpr double kMinPressure = 6.0;
// Gas density of a real gas: rho = 2.693 p gamma / (z T) [lbm/ft3].
constexpr double kGasDensityFactor = 2.693;
// q [MMscf/d] = 3.0648 v A p / (T z): in-situ rate at p, T converted to
// standard conditions.
constexpr double kRateFactor = 3.0648;

}  // namespace

double CLiquidLift::Velocity(double K, double rhoL, double p, double T, double z) {
  if (m_pGas == nullptr || !IsSet(p) || !IsSet(T)) return kNotSet;
  if (!std::isfinite(p) || !std::isfinite(T)) return kNotSet;
  if (p < kMinPressure) p = kMinPressure;
  if (!IsSet(z)) z = m_pGas->ZFactor(T, p);
  const double gamma = m_pGas->SpecificGravity();
  const double rhoG = kGasDensityFactor * p * gamma / z / T;
  // A gas at or above the liquid density (or a meaningless density) carries
  // no drop: there is no critical velocity.
  if (!(rhoG > 0.0) || !(rhoG < rhoL) || !std::isfinite(rhoG)) return kNotSet;
  return FiniteOrNotSet(K * std::pow(rhoL - rhoG, 0.25) / std::sqrt(rhoG));
}

double CLiquidLift::Rate(VelocityFn fn, double A, double p, double T) {
  if (m_pGas == nullptr || !IsSet(A) || !IsSet(T) || !IsSet(p)) return kNotSet;
  if (!std::isfinite(p)) return kNotSet;
  if (p < kMinPressure) p = kMinPressure;
  const double z = m_pGas->ZFactor(T, p);
  if (!IsSet(z)) return kNotSet;
  const double vc = (this->*fn)(p, T, z);
  if (!IsSet(vc)) return kNotSet;
  return FiniteOrNotSet(kRateFactor * vc * A * p / T / z);
}

double CLiquidLift::WtrA(double A, double p, double T) { return Rate(&CLiquidLift::Wtr, A, p, T); }
double CLiquidLift::CndA(double A, double p, double T) { return Rate(&CLiquidLift::Cnd, A, p, T); }

double CLiquidLift::WtrD(double D, double p, double T) {
  if (!IsSet(D)) return kNotSet;
  return WtrA(units::kPi * D * D / 576.0, p, T);
}

double CLiquidLift::CndD(double D, double p, double T) {
  if (!IsSet(D)) return kNotSet;
  return CndA(units::kPi * D * D / 576.0, p, T);
}

}  // namespace pdrop
