// Unit conversions and physical constants shared by the library. Standard
// conditions and gravity come in more than one value on purpose: each set
// belongs to the equations that were written with it, and the names say
// which is which.
#pragma once

namespace pdrop::units {

constexpr double kPi = 3.14159265358979323846;

// Conversions.
constexpr double kScfPerMMscf = 1.0e6;
constexpr double kSquareInchesPerSquareFoot = 144.0;
constexpr double kInchesPerFoot = 12.0;
constexpr double kFeetPerMile = 5280.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kCubicFeetPerBarrel = 5.6145835;
constexpr double kRankineOffset = 459.67;  // degR = degF + 459.67
// Viscosity: lbm/(ft s) per cP, as the correlations round it (6.7197e-4).
constexpr double kCpToLbmPerFtS = 0.000672;

// Standard conditions.
// The engine's: gas rates, the gas pipeline equations' base (14.65 psia,
// 520 degR as the Panhandle and Weymouth equations were published).
constexpr double kEngineStdPressure = 14.65;     // psia
constexpr double kEngineStdTemperature = 520.0;  // degR
// The engine's phase-property evaluation: 14.65 psia at 60 degF exactly.
constexpr double kPropertyStdTemperature = 519.668;  // degR
// The built-in black-oil fluid's: one atmosphere at 60 degF.
constexpr double kBlackOilStdPressure = 14.696;     // psia
constexpr double kBlackOilStdTemperature = 519.67;  // degR

// Gravity.
// 32.2, as the empirical correlations (Beggs & Brill, Gray, Hagedorn &
// Brown, Fanning) were published; also their gc [lbm ft/(lbf s2)].
constexpr double kGravityRounded = 32.2;  // ft/s2
// Standard gravity, as the mechanistic model uses it.
constexpr double kStandardGravity = 32.174;  // ft/s2

}  // namespace pdrop::units
