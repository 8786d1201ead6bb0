// The point solution of the Modified Beggs & Brill method: what
// CBeggsBrill::MultiPhase computes from the record, as a function of its
// inputs, for the engine and for the in-situ gradient alike. Private to the
// library.
#pragma once

#include "pdrop/core/Friction.h"
#include "pdrop/core/PressData.h"
#include "pdrop/correlations/BeggsBrillRules.h"
#include "pdrop/platform/NotSet.h"

namespace pdrop {

namespace beggsbrill {

// What MultiPhase reads from the record for one calculation.
struct PointInput {
  double vsg = 0.0, vsl = 0.0;    // superficial velocities [ft/s]
  double rhoL = 0.0, rhoG = 0.0;  // [lbm/ft3]
  double muL = 0.0, muG = 0.0;    // [cP]
  double sigma = 0.0;             // [dyn/cm]
  double diameter = 0.0;          // hydraulic diameter [in]
  double roughness = 0.0;         // [in]
  double angle = 0.0;             // inclination of the flow [rad], up positive
  double dz = 0.0, length = 0.0;  // elevation change and length [ft]
  double dir = 1.0, flw = 1.0;    // direction and flow signs
  bool flowOver = false;
  // RoughnessOf(roughness, diameter) when the caller keeps it; else taken here.
  const PipeRoughness* pipe = nullptr;
};

// What MultiPhase writes back, before non-finite values are cleared. With no
// moving mixture (moving false) the map numbers are not computed.
struct PointResult {
  bool moving = false;
  double vm = kNotSet, lambdaL = kNotSet, lambdaG = kNotSet, rhoNS = kNotSet, muNS = kNotSet;
  double regime = CPressData::kUndefinedRegime;
  MapNumbers map{};
  double holdup = kNotSet, y = kNotSet, lnY = kNotSet, s = kNotSet;
  double reM = kNotSet, fm = kNotSet, rhoS = kNotSet;
  double elevationDP = kNotSet, frictionDP = kNotSet;
};

// The modified method at one point: the arithmetic of CBeggsBrill::MultiPhase
// without the record, so that a caller that needs only the changes and the
// holdup gets the same numbers without setting up an engine. An unmapped
// pattern goes through ShowMessage here too.
PointResult SolvePoint(const PointInput& in);

// The regime code of the map (2 to 5, or 666 when no rule holds) with the
// ties of the modified method: NFr = L2 or L3 is transitional, NFr = L1 below
// lambda 0.4 distributed, NFr = L4 from lambda 0.4 on intermittent;
// flow-over forces the distributed pattern.
double Pattern(double lambda, const MapNumbers& n, bool flowOver);

// The friction exponent with the damping towards 0 within 0.01 of lambda = 0
// and 1.
FrictionExponent DampedExponent(double lambda, double holdup);
// The same from ln lambda and ln HL (NaN: not known).
FrictionExponent DampedExponent(double lambda, double holdup, double lnLambda, double lnHoldup);

}  // namespace beggsbrill

}  // namespace pdrop
