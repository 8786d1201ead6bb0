// Root and minimum finders of the Petalas & Aziz model (Petalas & Aziz,
// J. Can. Pet. Tech. 39(6), 2000): Brent's root method (van Wijngaarden-
// Dekker-Brent: inverse quadratic interpolation safeguarded by bisection) and
// Brent's minimisation (golden section with parabolic interpolation), after
// R. P. Brent, "Algorithms for Minimization without Derivatives", 1973; a
// forward scan for a sign change; and the searches for the stratified liquid
// level, the annular film thickness and the least film thickness of upward
// flow. Arguments and results are dimensionless ratios h/D and delta/D.
//
// Where this implementation departs from the published form:
// - no solver reports an error: a root that is not bracketed or not found
//   within 100 iterations is the not-set value, and the minimisers return
//   their best point after 100 iterations;
// - a residual that is not finite at an end of the bracket, or at a trial
//   point, ends the root search without a root;
// - the minimisation may also stop at the first best value of a given sign,
//   which is all the level and film searches need of it;
// - the scan's step is a twentieth of the interval plus its lower end;
// - a search that ends on a root it did not evaluate last evaluates it once
//   more, so that the model's fields describe the root returned.
#include <cmath>
#include <limits>

#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {
namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr int kMaxIterations = 100;
constexpr double kGoldenSection = 0.381966;  // 1 - (sqrt(5) - 1) / 2
constexpr double kZeps = 1e-10;              // guards a minimum at zero

// The level and film searches.
constexpr double kLowest = 5e-5;         // lowest ratio tried
constexpr double kProbeStep = 5e-5;      // step beyond a near-root minimum
constexpr double kMinimiserUpper = 0.1;  // upper end of the minimisation
constexpr double kMinimiserTol = 1e-6;
constexpr double kNearRoot = 1e-6;  // a minimum this close to zero may be the root
constexpr double kRootTol = 1e-8;
constexpr double kHighestLevel = 1.0 - kLowest;
constexpr double kThickestFilm = 0.5 - kLowest;
constexpr double kFallbackShrink = 1000.0;
// Gas velocities [ft/s] at which the residual may dip below zero near its
// lower end, so that a minimisation goes before the root search.
constexpr double kLevelWindowLow = 10.0;
constexpr double kLevelWindowHigh = 200.0;
constexpr double kFilmWindowLow = 5.0;
constexpr double kFilmWindowHigh = 50.0;

// The scan needs about 21 steps over its interval; the bound only guards a
// step that does not advance.
constexpr int kMaxScanSteps = 1000;

bool SameStrictSign(double a, double b) { return (a > 0.0 && b > 0.0) || (a < 0.0 && b < 0.0); }

}  // namespace

double CMechModel::Evaluate(Residual f, double x) {
  m_dLastArg = x;
  return (this->*f)(x);
}

double CMechModel::zBrent(Residual f, double x1, double x2, double tol) {
  double a = x1;
  double b = x2;
  double fa = Evaluate(f, a);
  double fb = Evaluate(f, b);
  if (!std::isfinite(fa) || !std::isfinite(fb) || SameStrictSign(fa, fb)) return kNotSet;

  double c = b;
  double fc = fb;
  double d = 0.0;
  double e = 0.0;
  for (int iter = 0; iter < kMaxIterations; ++iter) {
    if (SameStrictSign(fb, fc)) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    // b is kept as the best estimate.
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol1 = 2.0 * kEps * std::fabs(b) + 0.5 * tol;
    const double xm = 0.5 * (c - b);
    if (std::fabs(xm) <= tol1 || fb == 0.0) return b;

    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
      const double s = fb / fa;
      double p = 0.0;
      double q = 0.0;
      if (a == c) {
        p = 2.0 * xm * s;  // secant
        q = 1.0 - s;
      } else {
        const double qa = fa / fc;  // inverse quadratic
        const double r = fb / fc;
        p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
        q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
      }
      if (p > 0.0) q = -q;
      p = std::fabs(p);
      const double limit = std::fmin(3.0 * xm * q - std::fabs(tol1 * q), std::fabs(e * q));
      if (2.0 * p < limit) {
        e = d;
        d = p / q;
      } else {
        d = xm;
        e = d;
      }
    } else {
      d = xm;
      e = d;
    }
    a = b;
    fa = fb;
    b += std::fabs(d) > tol1 ? d : std::copysign(tol1, xm);
    fb = Evaluate(f, b);
    if (!std::isfinite(fb)) return kNotSet;
  }
  return kNotSet;
}

double CMechModel::Minimise(double ax, double bx, double cx, Residual f, double tol, double* xmin,
                            int stopSign) {
  double a = ax < cx ? ax : cx;
  double b = ax > cx ? ax : cx;
  double x = bx;
  double w = bx;
  double v = bx;
  double fx = Evaluate(f, x);
  double fw = fx;
  double fv = fx;
  double d = 0.0;
  double e = 0.0;
  for (int iter = 0; iter < kMaxIterations; ++iter) {
    const double xm = 0.5 * (a + b);
    const double tol1 = tol * std::fabs(x) + kZeps;
    const double tol2 = 2.0 * tol1;
    const bool converged = std::fabs(x - xm) <= tol2 - 0.5 * (b - a);
    const bool signStop = (stopSign > 0 && fx < 0.0) || (stopSign < 0 && fx > 0.0);
    if (converged || signStop) break;

    if (std::fabs(e) > tol1) {
      // Parabola through x, w and v.
      const double r = (x - w) * (fx - fv);
      double q = (x - v) * (fx - fw);
      double p = (x - v) * q - (x - w) * r;
      q = 2.0 * (q - r);
      if (q > 0.0) p = -p;
      q = std::fabs(q);
      const double etemp = e;
      e = d;
      if (std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (a - x) || p >= q * (b - x)) {
        e = x >= xm ? a - x : b - x;
        d = kGoldenSection * e;
      } else {
        d = p / q;
        const double u = x + d;
        if (u - a < tol2 || b - u < tol2) d = std::copysign(tol1, xm - x);
      }
    } else {
      e = x >= xm ? a - x : b - x;
      d = kGoldenSection * e;
    }
    const double u = std::fabs(d) >= tol1 ? x + d : x + std::copysign(tol1, d);
    const double fu = Evaluate(f, u);
    if (fu <= fx) {
      if (u >= x) {
        a = x;
      } else {
        b = x;
      }
      v = w;
      w = x;
      x = u;
      fv = fw;
      fw = fx;
      fx = fu;
    } else {
      if (u < x) {
        a = u;
      } else {
        b = u;
      }
      if (fu <= fw || w == x) {
        v = w;
        w = u;
        fv = fw;
        fw = fu;
      } else if (fu <= fv || v == x || v == w) {
        v = u;
        fv = fu;
      }
    }
  }
  *xmin = x;
  return fx;
}

double CMechModel::brent(double ax, double bx, double cx, Residual f, double tol, double* xmin) {
  return Minimise(ax, bx, cx, f, tol, xmin, 0);
}

double CMechModel::Modified_brent(double ax, double bx, double cx, Residual f, double tol,
                                  double* xmin, int flag) {
  return Minimise(ax, bx, cx, f, tol, xmin, flag != 0 ? 1 : -1);
}

void CMechModel::brak(Residual f, double* a, double* b) {
  double x1 = *a;
  double f1 = Evaluate(f, x1);
  const double step = (*b - x1) / 20.0 + x1;
  double x2 = x1 + step;
  double f2 = Evaluate(f, x2);
  for (int i = 0; i < kMaxScanSteps && SameStrictSign(f1, f2) && x2 <= *b; ++i) {
    x1 = x2;
    f1 = f2;
    x2 += step;
    f2 = Evaluate(f, x2);
  }
  *a = x1;
  *b = x2;
}

double CMechModel::SearchRoot(Residual f, double hi, double windowLow, double windowHigh,
                              double lastHi, bool describeRoot) {
  const double lo = kLowest;
  const double vsg = m_dVsg;
  double result = kNotSet;
  bool nearRoot = false;
  if (vsg >= windowLow && vsg <= windowHigh) {
    // The residual may dip below zero just above lo and rise again: find
    // the dip first, so that the root search gets a bracket.
    const int flag = Evaluate(f, lo) > 0.0 ? 1 : 0;
    double xmin = kNotSet;
    const double fmin = Modified_brent(lo, (lo + kMinimiserUpper) / 2.0, kMinimiserUpper, f,
                                       kMinimiserTol, &xmin, flag);
    if (std::fabs(fmin) <= kNearRoot) {
      nearRoot = fmin == 0.0 || Evaluate(f, xmin + kProbeStep) < fmin;
      if (nearRoot) result = xmin;
    }
    if (!nearRoot) {
      if (fmin >= 0.0) {
        result = zBrent(f, kMinimiserUpper, hi, kRootTol);
      } else if (fmin < 0.0) {
        result = zBrent(f, lo, xmin, kRootTol);
      }
    }
  } else {
    result = zBrent(f, lo, hi, kRootTol);
  }
  if (!IsSet(result)) result = zBrent(f, lo / kFallbackShrink, lo, kRootTol);
  if (!IsSet(result)) result = zBrent(f, hi, lastHi, kRootTol);
  if (describeRoot && IsSet(result) && result != m_dLastArg) Evaluate(f, result);
  return result;
}

double CMechModel::Calculate_hl_d() {
  if (m_bDiagStratified) {
    ColourDiagRow();
    static constexpr const char* kLabels[] = {
        "hl/D",     "Result",     "X^2",        "F2",        "F1",        "Y",
        "log10(X)", "Vsl (ft/s)", "Vsg (ft/s)", "Vl (ft/s)", "Vg (ft/s)", "Fsl",
        "Fsg",      "Resg",       "Reg",        "fi",        "rol",       "rog"};
    for (int col = 1; col <= 18; ++col) SetDiagText(kLabels[col - 1], col);
    AdvanceDiagRow(1);
  }
  return SearchRoot(&CMechModel::hl_d, kHighestLevel, kLevelWindowLow, kLevelWindowHigh,
                    1.0 - kLowest / kFallbackShrink);
}

double CMechModel::Calculate_dl_d() { return FilmSearch(true); }

double CMechModel::FilmSearch(bool describeRoot) {
  return SearchRoot(&CMechModel::dl_d, kThickestFilm, kFilmWindowLow, kFilmWindowHigh,
                    0.5 - kLowest / kFallbackShrink, describeRoot);
}

double CMechModel::Min_dl_d() {
  double a = kLowest;
  double b = kThickestFilm;
  brak(&CMechModel::RootMin_dl_d, &a, &b);
  double r = zBrent(&CMechModel::RootMin_dl_d, a, b, kRootTol);
  if (!IsSet(r)) r = zBrent(&CMechModel::RootMin_dl_d, a / kFallbackShrink, a, kRootTol);
  if (!IsSet(r)) {
    r = zBrent(&CMechModel::RootMin_dl_d, b, 0.5 - kLowest / kFallbackShrink, kRootTol);
  }
  return r;
}

}  // namespace pdrop
