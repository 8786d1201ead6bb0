#include "pdrop/correlations/BeggsBrillRules.h"

#include <cmath>

#include "pdrop/platform/NotSet.h"

namespace pdrop::beggsbrill {
namespace {

constexpr double kGravity = 32.2;             // ft/s2
constexpr double kInchesPerFoot = 12.0;
constexpr double kNoFourthBoundary = 1e30;    // L4 when lambda^6.738 underflows to 0
constexpr double kLeastPsi = 0.0001;
// The flow-over holdup is extended linearly below this Froude number.
constexpr double kFlowOverFroude = 1.1;
// s(y) peaks at y = 52.15; y below it is mirrored in ln y about the peak.
constexpr double kPeakY = 52.15;
constexpr double kPeakYSquared = 2719.6225;

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

double SegregatedOrIntermittent(int regime, double lambda, double angle, const MapNumbers& n) {
  const double hl0 = WithinLambdaAndOne(HorizontalHoldup(regime, lambda, n.froude), lambda);
  const double hl =
      angle != 0.0 ? Psi(InclinationCoefficient(regime, angle, lambda, n), angle) * hl0 : hl0;
  return Clamp01(hl);
}

double Distributed(double lambda, double angle, const MapNumbers& n, bool flowOver) {
  double hl0;
  if (flowOver && n.froude < kFlowOverFroude) {
    // Linear in NFr below 1.1, meeting the power law at 1.1; the slope
    // coefficient is 0.069, not the exponent 0.0609.
    const HoldupRow& row = kDistributedRow;
    hl0 = Clamp01(row.a * std::pow(lambda, row.b) *
                  (std::pow(kFlowOverFroude, -row.c) -
                   0.069 * (n.froude - kFlowOverFroude) / std::pow(kFlowOverFroude, 1.0 + row.c)));
  } else {
    hl0 = WithinLambdaAndOne(HorizontalHoldup(kDistributed, lambda, n.froude), lambda);
  }
  double hl =
      angle != 0.0 ? Psi(InclinationCoefficient(kDistributed, angle, lambda, n), angle) * hl0 : hl0;
  if (flowOver && hl < hl0) {
    hl = hl0;
  } else if (hl < lambda) {
    hl = lambda;
  }
  return hl > 1.0 ? 1.0 : hl;
}

// The intermittent part of the transitional blend: on a horizontal pipe its
// holdup is left without the lambda and 1 limits.
double TransitionalIntermittent(double lambda, double angle, const MapNumbers& n) {
  double hl = HorizontalHoldup(kIntermittent, lambda, n.froude);
  if (angle != 0.0) {
    hl = Psi(InclinationCoefficient(kIntermittent, angle, lambda, n), angle) *
         WithinLambdaAndOne(hl, lambda);
  }
  return Clamp01(hl);
}

}  // namespace

MapNumbers FlowNumbers(double vm, double vsl, double lambda, double diameterIn, double rhoL,
                       double sigma) {
  MapNumbers n;
  n.froude = vm * vm / kGravity / (diameterIn / kInchesPerFoot);
  n.l1 = 316.0 * std::pow(lambda, 0.302);
  n.l2 = 0.0009252 / std::pow(lambda, 2.4684);
  n.l3 = 0.1 / std::pow(lambda, 1.4516);
  n.lambdaPow = std::pow(lambda, 6.738);
  n.l4 = n.lambdaPow == 0.0 ? kNoFourthBoundary : 0.5 / n.lambdaPow;
  // Only the inclination correction needs it; a liquid without surface
  // tension has none.
  n.liqVelNo = sigma > 0.0 && NonNegative(rhoL) ? 1.938 * vsl * std::pow(rhoL / sigma, 0.25)
                                                : kNotSet;
  return n;
}

double Psi(double C, double angle) {
  const double s = std::sin(1.8 * angle);
  const double psi = 1.0 + C * (s - s * s * s / 3.0);
  return psi < 0.0 ? kLeastPsi : psi;
}

double HorizontalHoldup(int regime, double lambda, double froude) {
  const HoldupRow& row = regime == kSegregated     ? kSegregatedRow
                         : regime == kIntermittent ? kIntermittentRow
                                                   : kDistributedRow;
  return row.a * std::pow(lambda, row.b) / std::pow(froude, row.c);
}

double InclinationCoefficient(int regime, double angle, double lambda, const MapNumbers& n) {
  const double nfr = n.froude;
  const double nlv = n.liqVelNo;
  double k;
  if (angle > 0.0) {
    if (regime == kDistributed) return 0.0;
    k = regime == kSegregated
            ? 0.011 * std::pow(nlv, 3.539) / (std::pow(lambda, 3.768) * std::pow(nfr, 1.614))
            : 2.96 * std::pow(lambda, 0.305) * std::pow(nfr, 0.0978) / std::pow(nlv, 0.4473);
  } else {
    k = 4.7 * std::pow(nlv, 0.1244) / (std::pow(lambda, 0.3692) * std::pow(nfr, 0.5056));
  }
  const double c = (1.0 - lambda) * std::log(k);
  return c < 0.0 ? 0.0 : c;
}

double HoldupOfPattern(int regime, double lambda, double angle, const MapNumbers& n,
                       bool flowOver) {
  // The inclination correction needs the liquid velocity number, except in
  // uphill distributed flow.
  const bool needsVelocityNumber = angle != 0.0 && !(regime == kDistributed && angle > 0.0);
  if (needsVelocityNumber && !IsSet(n.liqVelNo)) return kNotSet;
  switch (regime) {
    case kSegregated:
    case kIntermittent:
      return SegregatedOrIntermittent(regime, lambda, angle, n);
    case kDistributed:
      return Distributed(lambda, angle, n, flowOver);
    case kTransitional: {
      const double a = (n.l3 - n.froude) / (n.l3 - n.l2);
      return a * SegregatedOrIntermittent(kSegregated, lambda, angle, n) +
             (1.0 - a) * TransitionalIntermittent(lambda, angle, n);
    }
    default:
      return kNotSet;
  }
}

double PublishedS(double x) {
  return x / ((((0.01853 * x) * x - 0.8725) * x + 3.182) * x - 0.0523);
}

FrictionExponent Exponent(double lambda, double holdup) {
  if (holdup == 0.0) return {1.0, 0.0, 0.0};
  double y = lambda / (holdup * holdup);
  if (y < kPeakY) y = kPeakYSquared / y;
  const double x = std::log(y);
  return {y, x, PublishedS(x)};
}

}  // namespace pdrop::beggsbrill
