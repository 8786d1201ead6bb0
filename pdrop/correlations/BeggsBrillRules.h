// The rules of the Beggs & Brill method that the engine's Modified Beggs &
// Brill and the legacy calculator share: the map numbers, the horizontal
// holdup of each pattern, the inclination correction psi, the holdup of a
// mapped pattern with its limits, and the exponent of the two-phase friction
// factor (Beggs & Brill, J. Pet. Tech. 25 (1973) 607).
//
// The two callers differ in how they decide the pattern (their ties), in the
// sign factors of the angle and in the damping of s near lambda = 0 and 1;
// those stay with each caller.
#pragma once

#include <cmath>

namespace pdrop::beggsbrill {

// A horizontal run this short [ft] makes the pipe vertical (+-90 degrees).
constexpr double kVerticalRun = 1e-10;

// Flow-regime codes of the map (the catalogue's codes 2 to 5).
enum Regime { kSegregated = 2, kIntermittent = 3, kDistributed = 4, kTransitional = 5 };

struct MapNumbers {
  double froude;    // NFr = vm^2 / (g D)
  double liqVelNo;  // NLv = 1.938 vsl (rhoL / sigma)^0.25; kNotSet without surface tension
  double l1, l2, l3, l4;
  double lambdaPow;  // lambda^6.738
};

// Natural logarithms of lambda and NFr: every power law of the method is
// taken as exp(b ln lambda + c ln NFr + ...) from these.
struct MapLogs {
  double lambda;
  double froude;
};

// Map numbers for mixture and liquid superficial velocities [ft/s], no-slip
// holdup lambda, diameter [in], liquid density [lbm/ft3] and surface tension
// [dyn/cm]; the second form also gives their logarithms.
MapNumbers FlowNumbers(double vm, double vsl, double lambda, double diameterIn, double rhoL,
                       double sigma);
MapNumbers FlowNumbers(double vm, double vsl, double lambda, double diameterIn, double rhoL,
                       double sigma, MapLogs* logs);

// psi = 1 + C (sin 1.8 theta - sin^3 1.8 theta / 3), a negative psi taken as
// 0.0001; theta [rad].
double Psi(double C, double angle);

// HL0 = a lambda^b / NFr^c of a pattern (segregated, intermittent,
// distributed), from ln lambda and ln NFr.
double HorizontalHoldup(int regime, const MapLogs& logs);

// C = (1 - lambda) ln K of a pattern at angle theta, not below 0; uphill
// distributed flow has none. ln K is summed from the logarithms of lambda,
// NFr and NLv, so no power is taken.
double InclinationCoefficient(int regime, double angle, double lambda, const MapLogs& logs,
                              double lnLiqVelNo);

// The holdup of a mapped pattern (2 to 5) with the limits of the modified
// method: HL0 within [lambda, 1], psi applied off the horizontal, the
// distributed floor at lambda, the flow-over extension below NFr = 1.1 and
// the transitional blend. kNotSet when the inclination correction needs a
// liquid velocity number that is not set.
double HoldupOfPattern(int regime, double lambda, double angle, const MapNumbers& n, bool flowOver);
// The same with ln lambda and ln NFr already taken; lnHoldup, when given,
// receives ln HL where the holdup is the horizontal holdup itself (taken from
// the logarithms, not from HL), else NaN.
double HoldupOfPattern(int regime, double lambda, double angle, const MapNumbers& n,
                       const MapLogs& logs, bool flowOver, double* lnHoldup);

// s(x) = x / (0.01853 x^4 - 0.8725 x^2 + 3.182 x - 0.0523), in Horner form.
inline double PublishedS(double x) {
  return x / ((((0.01853 * x) * x - 0.8725) * x + 3.182) * x - 0.0523);
}

// y = lambda / HL^2 mirrored about its peak 52.15 (y < 52.15 becomes
// 2719.6225 / y), x = ln y and s(x); HL = 0 gives y = 1, x = 0, s = 0.
constexpr double kPeakY = 52.15;
constexpr double kPeakYSquared = 2719.6225;
struct FrictionExponent {
  double y, lnY, s;
};
inline FrictionExponent Exponent(double lambda, double holdup) {
  if (holdup == 0.0) return {1.0, 0.0, 0.0};
  double y = lambda / (holdup * holdup);
  if (y < kPeakY) y = kPeakYSquared / y;
  const double x = std::log(y);
  return {y, x, PublishedS(x)};
}

// The same with ln lambda and ln HL known (lnHoldup NaN: not known), so that
// x = ln lambda - 2 ln HL needs no logarithm.
inline FrictionExponent Exponent(double lambda, double holdup, double lnLambda, double lnHoldup) {
  static const double kLnPeakYSquared = std::log(kPeakYSquared);
  if (holdup == 0.0 || std::isnan(lnHoldup)) return Exponent(lambda, holdup);
  double y = lambda / (holdup * holdup);
  double x = lnLambda - 2.0 * lnHoldup;
  if (y < kPeakY) {
    y = kPeakYSquared / y;
    x = kLnPeakYSquared - x;
  }
  return {y, x, PublishedS(x)};
}

}  // namespace pdrop::beggsbrill
