#include "pdrop/fluid/blackoil/BlackOilWater.h"

#include <algorithm>
#include <cmath>

#include "pdrop/fluid/blackoil/Units.h"

namespace pdrop {

namespace pvt {
namespace {

constexpr double kLowestTemperatureF = 32.0;
constexpr double kLeastTension = 1.0;             // dyn/cm
constexpr double kSolubilityTaperStart = 1000.0;  // psia

bool Usable(double tR, double p) {
  return tR > 0.0 && p > 0.0 && std::isfinite(tR) && std::isfinite(p);
}

}  // namespace

double BrineDensity(double s) { return 62.368 + 0.438603 * s + 1.60074e-3 * s * s; }

double SalinityFromGravity(double gravity) {
  // Solve 1.60074e-3 S^2 + 0.438603 S + 62.368 (1 - gravity) = 0 for S >= 0.
  const double a = 1.60074e-3;
  const double b = 0.438603;
  const double c = 62.368 * (1.0 - gravity);
  return std::max((-b + std::sqrt(b * b - 4.0 * a * c)) / (2.0 * a), 0.0);
}

double WaterFvf(double t, double p) {
  t = std::max(t, kLowestTemperatureF);
  const double dvt = -1.0001e-2 + 1.33391e-4 * t + 5.50654e-7 * t * t;
  const double dvp =
      -1.95301e-9 * p * t - 1.72834e-13 * p * p * t - 3.58922e-7 * p - 2.25341e-10 * p * p;
  return (1.0 + dvt) * (1.0 + dvp);
}

double WaterViscosity(double t, double p, double s) {
  t = std::max(t, kLowestTemperatureF);
  const double a = 109.574 - 8.40564 * s + 0.313314 * s * s + 8.72213e-3 * s * s * s;
  const double b = -1.12166 + 2.63951e-2 * s - 6.79461e-4 * s * s - 5.47119e-5 * s * s * s +
                   1.55586e-6 * s * s * s * s;
  return a * std::pow(t, b) * (0.9994 + 4.0295e-5 * p + 3.1062e-9 * p * p);
}

double GasWaterSolubility(double t, double p, double s) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  const double a = 8.15839 - 6.12265e-2 * t + 1.91663e-4 * t2 - 2.1654e-7 * t3;
  const double b = 1.01021e-2 - 7.44241e-5 * t + 3.05553e-7 * t2 - 2.94883e-10 * t3;
  const double c =
      -1e-7 * (9.02505 - 0.130237 * t + 8.53425e-4 * t2 - 2.34122e-6 * t3 + 2.37049e-9 * t3 * t);
  auto pure = [&](double pp) { return a + b * pp + c * pp * pp; };
  double rsw = 0.0;
  if (p >= kSolubilityTaperStart) {
    rsw = pure(p);
  } else if (p > kDeadOilBubblePoint) {
    rsw = pure(kSolubilityTaperStart) * (p - kDeadOilBubblePoint) /
          (kSolubilityTaperStart - kDeadOilBubblePoint);
  }
  const double salt = std::pow(10.0, -0.0840655 * s * std::pow(std::max(t, 1.0), -0.285854));
  return std::max(rsw * salt, 0.0);
}

double GasWaterSurfaceTension(double t, double p) {
  const double a = 79.1618 - 0.118978 * t;
  const double b = -5.28473e-3 + 9.87913e-6 * t;
  const double c = (2.33814 - 4.57194e-4 * t - 7.52678e-6 * t * t) * 1e-7;
  return std::max(a + b * p + c * p * p, kLeastTension);
}

}  // namespace pvt

BlackOilWater::BlackOilWater(double salinity)
    : salinity_(salinity),
      stockTankDensity_(pvt::BrineDensity(salinity)),
      gravity_(stockTankDensity_ / pvt::BrineDensity(0.0)) {}

double BlackOilWater::FormationVolumeFactor(double T, double p) {
  if (!pvt::Usable(T, p)) return kNotSet;
  return pvt::WaterFvf(pvt::Fahrenheit(T), p);
}

double BlackOilWater::SolutionGasRatio(double T, double p, int) {
  if (!pvt::Usable(T, p)) return kNotSet;
  return pvt::GasWaterSolubility(pvt::Fahrenheit(T), p, salinity_) / pvt::kScfPerMMscf;
}

double BlackOilWater::Density(double T, double p) {
  const double bw = FormationVolumeFactor(T, p);
  return IsSet(bw) ? stockTankDensity_ / bw : kNotSet;
}

double BlackOilWater::SurfaceTension(double T, double p) {
  if (!pvt::Usable(T, p)) return kNotSet;
  return pvt::GasWaterSurfaceTension(pvt::Fahrenheit(T), p);
}

double BlackOilWater::Viscosity(double T, double p) {
  if (!pvt::Usable(T, p)) return kNotSet;
  return pvt::WaterViscosity(pvt::Fahrenheit(T), p, salinity_);
}

}  // namespace pdrop
