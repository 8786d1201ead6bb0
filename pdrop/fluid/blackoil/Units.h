// Constants and unit conversions shared by the black-oil phase objects.
// Standard conditions are 14.696 psia and 60 degF (519.67 degR) throughout.
#pragma once

#include "pdrop/platform/Units.h"

namespace pdrop::pvt {

constexpr double kStdPressure = units::kBlackOilStdPressure;        // psia
constexpr double kStdTemperature = units::kBlackOilStdTemperature;  // degR
using units::kCubicFeetPerBarrel;
using units::kRankineOffset;
using units::kScfPerMMscf;
using units::kSecondsPerDay;
constexpr double kAirMolarMass = 28.9647;  // lbm/lbmol
constexpr double kGasConstant = 10.7316;   // psia ft3 / (lbmol degR)
// rho_g = (M_air / R) gamma p / (z T) [lbm/ft3].
constexpr double kGasDensityFactor = kAirMolarMass / kGasConstant;
// Gas density at standard conditions per unit gravity [lbm/scf].
constexpr double kStdGasDensity = kGasDensityFactor * kStdPressure / kStdTemperature;
// Bg = 0.0282795 z T / p [ft3/scf].
constexpr double kBgFactor = kStdPressure / kStdTemperature;
constexpr double kWaterDensity = 62.366;  // lbm/ft3, fresh water at 60 degF
// Below this pressure the oil holds no gas.
constexpr double kDeadOilBubblePoint = 14.7;  // psia

inline double Fahrenheit(double rankine) { return rankine - kRankineOffset; }

}  // namespace pdrop::pvt
