#include "pdrop/fluid/blackoil/BlackOilGas.h"

#include <cmath>

#include "pdrop/fluid/blackoil/Units.h"
#include "pdrop/fluid/blackoil/ZFactor.h"

namespace pdrop {

namespace pvt {

double GasViscosityLGE(double molarMass, double density, double temperatureR) {
  constexpr double kGramPerCm3PerLbmPerFt3 = 0.0160185;
  const double rho = density * kGramPerCm3PerLbmPerFt3;
  const double k = (9.4 + 0.02 * molarMass) * std::pow(temperatureR, 1.5) /
                   (209.0 + 19.0 * molarMass + temperatureR);
  const double x = 3.5 + 986.0 / temperatureR + 0.01 * molarMass;
  const double y = 2.4 - 0.2 * x;
  return 1e-4 * k * std::exp(x * std::pow(rho, y));
}

}  // namespace pvt

BlackOilGas::BlackOilGas(double gravity, double waterYield, ZCorrelation z)
    : gravity_(gravity), waterYield_(waterYield), zCorrelation_(z) {
  const pvt::PseudoCritical pc = pvt::SuttonPseudoCritical(gravity);
  tpc_ = pc.temperature;
  ppc_ = pc.pressure;
}

double BlackOilGas::ZFactor(double T, double p) {
  if (!(T > 0.0) || !(p > 0.0) || !std::isfinite(T) || !std::isfinite(p)) return kNotSet;
  if (T != lastT_ || p != lastP_) {
    lastZ_ = zCorrelation_ == ZCorrelation::kHallYarborough
                 ? pvt::ZFactorHallYarborough(T / tpc_, p / ppc_)
                 : pvt::ZFactorDAK(T / tpc_, p / ppc_);
    lastT_ = T;
    lastP_ = p;
  }
  return lastZ_;
}

double BlackOilGas::Density(double T, double p) {
  const double z = ZFactor(T, p);
  if (!IsSet(z)) return kNotSet;
  return pvt::kGasDensityFactor * gravity_ * p / (z * T);
}

double BlackOilGas::Bg(double T, double p) {
  const double z = ZFactor(T, p);
  if (!IsSet(z)) return kNotSet;
  return pvt::kBgFactor * z * T / p;
}

double BlackOilGas::Viscosity(double T, double p) {
  const double rho = Density(T, p);
  if (!IsSet(rho)) return kNotSet;
  return pvt::GasViscosityLGE(pvt::kAirMolarMass * gravity_, rho, T);
}

double BlackOilGas::LiquidYield(double, double) { return waterYield_; }

}  // namespace pdrop
