#include "pdrop/fluid/blackoil/ZFactor.h"

#include <cmath>

namespace pdrop::pvt {
namespace {

constexpr double kA1 = 0.3265, kA2 = -1.0700, kA3 = -0.5339, kA4 = 0.01569, kA5 = -0.05165;
constexpr double kA6 = 0.5475, kA7 = -0.7361, kA8 = 0.1844, kA9 = 0.1056, kA10 = 0.6134;
constexpr double kA11 = 0.7210;

constexpr double kRhoMax = 3.0;         // upper end of the reduced-density bracket
constexpr double kScanStep = 0.02;      // reduced-density step of the vapour-root scan
constexpr double kMultiRootTpr = 1.05;  // below it the DAK equation may have several roots
constexpr int kMaxNewton = 100;

// g(rho) = rho z(rho) - 0.27 ppr / Tpr and its derivative, for the DAK
// equation at a fixed reduced temperature.
struct DakResidual {
  double c1, c2, c3, c4, target;

  DakResidual(double tpr, double ppr) {
    const double t2 = tpr * tpr;
    const double t3 = t2 * tpr;
    c1 = kA1 + kA2 / tpr + kA3 / t3 + kA4 / (t3 * tpr) + kA5 / (t3 * t2);
    c2 = kA6 + kA7 / tpr + kA8 / t2;
    c3 = kA9 * (kA7 / tpr + kA8 / t2);
    c4 = kA10 / t3;
    target = 0.27 * ppr / tpr;
  }
  double Z(double rho) const {
    const double r2 = rho * rho;
    return 1.0 + c1 * rho + c2 * r2 - c3 * r2 * r2 * rho +
           c4 * r2 * (1.0 + kA11 * r2) * std::exp(-kA11 * r2);
  }
  double G(double rho) const { return rho * Z(rho) - target; }
  double DG(double rho) const {
    const double r2 = rho * rho;
    return 1.0 + 2.0 * c1 * rho + 3.0 * c2 * r2 - 6.0 * c3 * r2 * r2 * rho +
           c4 * r2 * (3.0 + kA11 * r2 * (3.0 - 2.0 * kA11 * r2)) * std::exp(-kA11 * r2);
  }
};

// Newton's method kept inside [lo, hi], where f changes sign, with a
// bisection step whenever Newton would leave the bracket.
template <class F, class DF>
double SafeNewton(F f, DF df, double lo, double hi, double x, double relTol) {
  double flo = f(lo);
  for (int i = 0; i < kMaxNewton; ++i) {
    const double fx = f(x);
    if (fx == 0.0) return x;
    if ((fx < 0.0) == (flo < 0.0)) {
      lo = x;
      flo = fx;
    } else {
      hi = x;
    }
    const double d = df(x);
    double next = x - fx / d;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - x) <= relTol * std::fabs(next)) return next;
    x = next;
  }
  return x;
}

}  // namespace

PseudoCritical SuttonPseudoCritical(double g) {
  return {169.2 + 349.5 * g - 74.0 * g * g, 756.8 - 131.0 * g - 3.6 * g * g};
}

double ZFactorDAK(double tpr, double ppr) {
  if (!(tpr > 0.0) || !(ppr > 0.0)) return 1.0;
  const DakResidual r(tpr, ppr);
  auto g = [&r](double rho) { return r.G(rho); };
  auto dg = [&r](double rho) { return r.DG(rho); };

  double lo = 0.0;
  double hi = kRhoMax;
  if (tpr < kMultiRootTpr) {
    // Several roots are possible: bracket the lowest-density one by
    // scanning upward from zero density.
    double prev = 0.0;
    for (double rho = kScanStep; rho <= kRhoMax; rho += kScanStep) {
      if (g(rho) >= 0.0) {
        lo = prev;
        hi = rho;
        break;
      }
      prev = rho;
    }
  }
  if (g(hi) < 0.0) return r.Z(hi);  // beyond the bracket: the densest state it knows
  double start = r.target;          // ideal-gas reduced density
  if (!(start > lo && start < hi)) start = 0.5 * (lo + hi);
  const double rho = SafeNewton(g, dg, lo, hi, start, 1e-12);
  return r.target / rho;
}

double ZFactorHallYarborough(double tpr, double ppr) {
  if (!(tpr > 0.0) || !(ppr > 0.0)) return 1.0;
  const double t = 1.0 / tpr;
  const double e = std::exp(-1.2 * (1.0 - t) * (1.0 - t));
  const double a = 0.06125 * t * e;
  const double b = t * (14.76 - 9.76 * t + 4.58 * t * t);
  const double c = t * (90.7 - 242.2 * t + 42.4 * t * t);
  const double d = 2.18 + 2.82 * t;
  auto f = [&](double y) {
    const double y2 = y * y;
    const double om = 1.0 - y;
    return -a * ppr + (y + y2 + y2 * y - y2 * y2) / (om * om * om) - b * y2 + c * std::pow(y, d);
  };
  auto df = [&](double y) {
    const double y2 = y * y;
    const double om = 1.0 - y;
    return (1.0 + 4.0 * y + 4.0 * y2 - 4.0 * y2 * y + y2 * y2) / (om * om * om * om) - 2.0 * b * y +
           c * d * std::pow(y, d - 1.0);
  };
  // f(0) < 0 and f grows without bound as y -> 1: the bracket (0, 1) holds a root.
  constexpr double kYMax = 1.0 - 1e-9;
  double start = 0.0125 * ppr * t * e;
  if (!(start > 0.0 && start < kYMax)) start = 0.5;
  const double y = SafeNewton(f, df, 0.0, kYMax, start, 1e-12);
  return a * ppr / y;
}

}  // namespace pdrop::pvt
