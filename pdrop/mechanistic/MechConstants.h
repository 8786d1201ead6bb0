// Constants shared by the parts of the Petalas & Aziz model (Petalas & Aziz,
// J. Can. Pet. Tech. 39(6), 2000) in oilfield units. Values that only convert
// units of a published equation carry their meaning here; the coefficients of
// the published correlations stand as literals where they are used.
#pragma once

#include "pdrop/platform/Units.h"

namespace pdrop::mech {

using units::kInchesPerFoot;
using units::kPi;
using units::kSquareInchesPerSquareFoot;
constexpr double kGravity = units::kStandardGravity;  // ft/s2
// Codes 6 and 7 form their friction gradient with the rounded constant of
// the base single-phase routines.
constexpr double kGcDispersed = units::kGravityRounded;  // lbm ft / (lbf s2)
constexpr double kCpToLbmPerFtS = units::kCpToLbmPerFtS;
constexpr double kMetresPerFoot = 0.3048;

// Flow-pattern code stored while no pattern has been decided.
constexpr double kUndeterminedRegime = 666.0;

}  // namespace pdrop::mech
