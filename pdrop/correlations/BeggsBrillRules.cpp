#include "pdrop/correlations/BeggsBrillRules.h"

#include <cmath>
#include <limits>

#include "pdrop/platform/NotSet.h"
#include "pdrop/platform/Units.h"

namespace pdrop::beggsbrill {
namespace {

constexpr double kGravity = units::kGravityRounded;  // ft/s2
constexpr double kNoFourthBoundary = 1e30;           // L4 when lambda^6.738 underflows to 0
constexpr double kLeastPsi = 0.0001;
// The flow-over holdup is extended linearly below this Froude number.
constexpr double kFlowOverFroude = 1.1;
// ln of the leading factors of the inclination coefficient K.
const double kLnSegregatedK = std::log(0.011);
const double kLnIntermittentK = std::log(2.96);
const double kLnDownhillK = std::log(4.7);

// Horizontal holdup HL0 = a lambda^b / NFr^c of one flow pattern.
struct HoldupRow {
  double a, b, c;
};
constexpr HoldupRow kSegregatedRow{0.98, 0.4846, 0.0868};
constexpr HoldupRow kIntermittentRow{0.845, 0.5351, 0.0173};
constexpr HoldupRow kDistributedRow{1.065, 0.5824, 0.0609};

constexpr double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
bool NonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

double WithinLambdaAndOne(double hl0, double lambda) {
  if (hl0 > 1.0) hl0 = 1.0;
  if (hl0 < lambda) hl0 = lambda;
  return hl0;
}

// The logarithms a pattern's holdup is built from: those of the map and, when
// the inclination correction needs it, ln NLv.
struct PatternLogs {
  MapLogs map;
  double liqVelNo;
};

const HoldupRow& RowOf(int regime) {
  return regime == kSegregated     ? kSegregatedRow
         : regime == kIntermittent ? kIntermittentRow
                                   : kDistributedRow;
}

// ln a of each row, for ln HL0 = ln a + b ln lambda - c ln NFr.
const double kLnSegregatedA = std::log(kSegregatedRow.a);
const double kLnIntermittentA = std::log(kIntermittentRow.a);
const double kLnDistributedA = std::log(kDistributedRow.a);

// ln HL when a pattern's holdup is its horizontal holdup HL0 itself (no
// limit and no inclination correction changed it), else NaN.
double LnHoldupIfHorizontal(int regime, double holdup, double hl0, const MapLogs& logs) {
  if (!(holdup == hl0)) return std::numeric_limits<double>::quiet_NaN();
  const HoldupRow& row = RowOf(regime);
  const double lnA = regime == kSegregated     ? kLnSegregatedA
                     : regime == kIntermittent ? kLnIntermittentA
                                               : kLnDistributedA;
  return lnA + (row.b * logs.lambda - row.c * logs.froude);
}

double SegregatedOrIntermittent(int regime, double lambda, double angle, const PatternLogs& l,
                                double* lnHoldup = nullptr) {
  const double horizontal = HorizontalHoldup(regime, l.map);
  const double hl0 = WithinLambdaAndOne(horizontal, lambda);
  const double hl =
      angle != 0.0
          ? Psi(InclinationCoefficient(regime, angle, lambda, l.map, l.liqVelNo), angle) * hl0
          : hl0;
  const double holdup = Clamp01(hl);
  if (lnHoldup != nullptr) *lnHoldup = LnHoldupIfHorizontal(regime, holdup, horizontal, l.map);
  return holdup;
}

double Distributed(double lambda, double angle, const MapNumbers& n, const PatternLogs& l,
                   bool flowOver, double* lnHoldup) {
  double hl0;
  double horizontal = std::numeric_limits<double>::quiet_NaN();
  if (flowOver && n.froude < kFlowOverFroude) {
    // Linear in NFr below 1.1, meeting the power law at 1.1; the slope
    // coefficient is 0.069, not the exponent 0.0609.
    const HoldupRow& row = kDistributedRow;
    hl0 = Clamp01(row.a * std::pow(lambda, row.b) *
                  (std::pow(kFlowOverFroude, -row.c) -
                   0.069 * (n.froude - kFlowOverFroude) / std::pow(kFlowOverFroude, 1.0 + row.c)));
  } else {
    horizontal = HorizontalHoldup(kDistributed, l.map);
    hl0 = WithinLambdaAndOne(horizontal, lambda);
  }
  double hl =
      angle != 0.0
          ? Psi(InclinationCoefficient(kDistributed, angle, lambda, l.map, l.liqVelNo), angle) * hl0
          : hl0;
  if (flowOver && hl < hl0) {
    hl = hl0;
  } else if (hl < lambda) {
    hl = lambda;
  }
  const double holdup = hl > 1.0 ? 1.0 : hl;
  if (lnHoldup != nullptr)
    *lnHoldup = LnHoldupIfHorizontal(kDistributed, holdup, horizontal, l.map);
  return holdup;
}

// The intermittent part of the transitional blend: on a horizontal pipe its
// holdup is left without the lambda and 1 limits.
double TransitionalIntermittent(double lambda, double angle, const PatternLogs& l) {
  double hl = HorizontalHoldup(kIntermittent, l.map);
  if (angle != 0.0) {
    hl = Psi(InclinationCoefficient(kIntermittent, angle, lambda, l.map, l.liqVelNo), angle) *
         WithinLambdaAndOne(hl, lambda);
  }
  return Clamp01(hl);
}

}  // namespace

MapNumbers FlowNumbers(double vm, double vsl, double lambda, double diameterIn, double rhoL,
                       double sigma, MapLogs* logs) {
  MapNumbers n;
  n.froude = vm * vm / kGravity / (diameterIn / units::kInchesPerFoot);
  // The four boundaries are powers of lambda: one logarithm serves them all.
  const double lnLambda = std::log(lambda);
  n.l1 = 316.0 * std::exp(0.302 * lnLambda);
  n.l2 = 0.0009252 * std::exp(-2.4684 * lnLambda);
  n.l3 = 0.1 * std::exp(-1.4516 * lnLambda);
  n.lambdaPow = std::exp(6.738 * lnLambda);
  n.l4 = n.lambdaPow == 0.0 ? kNoFourthBoundary : 0.5 / n.lambdaPow;
  // Only the inclination correction needs it; a liquid without surface
  // tension has none. The ratio is not negative here, and a fourth root of
  // -0 is +0 as pow gives it.
  if (sigma > 0.0 && NonNegative(rhoL)) {
    const double ratio = rhoL / sigma;
    n.liqVelNo = 1.938 * vsl * (ratio > 0.0 ? std::sqrt(std::sqrt(ratio)) : 0.0);
  } else {
    n.liqVelNo = kNotSet;
  }
  if (logs != nullptr) {
    logs->lambda = lnLambda;
    logs->froude = std::log(n.froude);
  }
  return n;
}

MapNumbers FlowNumbers(double vm, double vsl, double lambda, double diameterIn, double rhoL,
                       double sigma) {
  return FlowNumbers(vm, vsl, lambda, diameterIn, rhoL, sigma, nullptr);
}

double Psi(double C, double angle) {
  // No correction (C = 0, as uphill in distributed flow and wherever ln K
  // is negative): psi = 1 + 0 (...) is 1 for any finite angle.
  if (C == 0.0 && std::isfinite(angle)) return 1.0;
  const double s = std::sin(1.8 * angle);
  const double psi = 1.0 + C * (s - s * s * s / 3.0);
  return psi < 0.0 ? kLeastPsi : psi;
}

double HorizontalHoldup(int regime, const MapLogs& logs) {
  const HoldupRow& row = RowOf(regime);
  return row.a * std::exp(row.b * logs.lambda - row.c * logs.froude);
}

double InclinationCoefficient(int regime, double angle, double lambda, const MapLogs& logs,
                              double lnLiqVelNo) {
  // K = 0.011 NLv^3.539 / (lambda^3.768 NFr^1.614) segregated uphill,
  // 2.96 lambda^0.305 NFr^0.0978 / NLv^0.4473 intermittent uphill and
  // 4.7 NLv^0.1244 / (lambda^0.3692 NFr^0.5056) downhill, as ln K.
  double lnK;
  if (angle > 0.0) {
    if (regime == kDistributed) return 0.0;
    lnK = regime == kSegregated
              ? kLnSegregatedK + 3.539 * lnLiqVelNo - 3.768 * logs.lambda - 1.614 * logs.froude
              : kLnIntermittentK + 0.305 * logs.lambda + 0.0978 * logs.froude - 0.4473 * lnLiqVelNo;
  } else {
    lnK = kLnDownhillK + 0.1244 * lnLiqVelNo - 0.3692 * logs.lambda - 0.5056 * logs.froude;
  }
  const double c = (1.0 - lambda) * lnK;
  return c < 0.0 ? 0.0 : c;
}

double HoldupOfPattern(int regime, double lambda, double angle, const MapNumbers& n,
                       const MapLogs& logs, bool flowOver, double* lnHoldup) {
  if (lnHoldup != nullptr) *lnHoldup = std::numeric_limits<double>::quiet_NaN();
  // The inclination correction needs the liquid velocity number, except in
  // uphill distributed flow.
  const bool needsVelocityNumber = angle != 0.0 && !(regime == kDistributed && angle > 0.0);
  if (needsVelocityNumber && !IsSet(n.liqVelNo)) return kNotSet;
  const PatternLogs l{logs, needsVelocityNumber ? std::log(n.liqVelNo) : 0.0};
  switch (regime) {
    case kSegregated:
    case kIntermittent:
      return SegregatedOrIntermittent(regime, lambda, angle, l, lnHoldup);
    case kDistributed:
      return Distributed(lambda, angle, n, l, flowOver, lnHoldup);
    case kTransitional: {
      const double a = (n.l3 - n.froude) / (n.l3 - n.l2);
      return a * SegregatedOrIntermittent(kSegregated, lambda, angle, l) +
             (1.0 - a) * TransitionalIntermittent(lambda, angle, l);
    }
    default:
      return kNotSet;
  }
}

double HoldupOfPattern(int regime, double lambda, double angle, const MapNumbers& n,
                       bool flowOver) {
  return HoldupOfPattern(regime, lambda, angle, n, MapLogs{std::log(lambda), std::log(n.froude)},
                         flowOver, nullptr);
}

}  // namespace pdrop::beggsbrill
