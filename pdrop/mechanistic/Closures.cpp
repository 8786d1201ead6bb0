// Petalas & Aziz mechanistic model (Petalas, N., Aziz, K., "A Mechanistic
// Model for Multiphase Flow in Pipes", J. Can. Pet. Tech. 39(6), 2000): the
// per-pattern closures. The stratified and annular residuals are the
// dimensionless two-fluid momentum balances in Taitel & Dukler's X^2, Y form;
// their roots are the liquid level and the film thickness. Oilfield units:
// ft (diameter in inches where named so), ft/s, lbm/ft3, cP, dyn/cm, psi.
//
// Where this implementation departs from the published form:
// - the gas wall friction of the stratified residual is taken at the gas
//   channel's own hydraulic diameter D_G D, in ft for the Reynolds number and
//   in inches for the friction factor;
// - the stratified pressure change takes the liquid wall friction factor the
//   level equation was solved with (0.452 f_SL^0.731, f_SL from ff2), so that
//   the liquid and gas momentum balances give one gradient at that level;
// - the intermittent friction closures carry the flow sign only, so that
//   friction never follows the elevation sign;
// - froth has no closure of its own: its holdup and gradients are
//   interpolated on log-log scales against Vsg between the nearest other
//   patterns below and above; friction takes the flow sign, a gradient that
//   is zero at both boundaries (a level pipe's elevation change) stays zero,
//   and the superficial gas velocity and the decision fields are put back on
//   every exit;
// - each froth boundary search gives up after kMaxFrothDecisions decisions;
// - the walk back into froth in fine steps is bisected over the same
//   velocities, between its first step and the step that reaches the
//   velocity last found to be froth: where the pattern changes once between
//   them it ends on the step the walk ends on, and it counts its decisions
//   as the walk would; the decisions on the way need only tell froth from
//   the rest, so those that cannot be froth skip the level and film searches.
#include <cmath>

#include "pdrop/mechanistic/MechConstants.h"
#include "pdrop/mechanistic/MechFriction.h"
#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {
namespace {

using namespace mech;

// rho v D / mu of the slug body with rho in lbm/ft3, v in ft/s, D in ft and
// mu in cP.
constexpr double kReynoldsFactorSlug = 1488.16;
// Entrainment group Vsg^2 rhoG muL^2 / (rhoL sigma^2) in field units, times
// this factor (cm2 per ft2), is dimensionless.
constexpr double kEntrainmentFactor = 929.0304;
// dyn/cm to lbm/s2, for the Weber group of the annular interface.
constexpr double kLbmPerS2PerDynPerCm = 0.002204623;
// Below this film ratio the intermittent film region is too thin for a film
// friction factor; the drift factor stands in for it.
constexpr double kThinnestFilm = 0.0001;

// Froth boundary search: first steps V0/12 downward and V0/10 upward; each
// pass refines the step by 100 until its fine step is 0.2 ft/s or less.
constexpr double kLowerStepDivisor = 12.0;
constexpr double kUpperStepDivisor = 10.0;
constexpr double kFineStepDivisor = 10.0;
constexpr double kPassRefinement = 100.0;
constexpr double kFrothResolution = 0.2;       // ft/s
constexpr double kFrothUpperLimit = 100000.0;  // ft/s
// Bound of one boundary search. An upward search from V0 reaches 100000 ft/s
// within it when V0 is 200 ft/s or more; below that it gives up earlier, far
// above any velocity at which froth persists.
constexpr int kMaxFrothDecisions = 5000;

// Log-log interpolation of a positive quantity between its values at two
// boundaries; zero at both stays zero; anything else that cannot be formed
// is not set.
double LogLogBlend(double a, double b, double w) {
  if (!IsUsable(a) || !IsUsable(b)) return kNotSet;
  if (a == 0.0 && b == 0.0) return 0.0;
  const double la = std::log10(a);
  return FiniteOrNotSet(std::pow(10.0, la + w * (std::log10(b) - la)));
}

double Magnitude(double v) { return IsUsable(v) ? std::fabs(v) : kNotSet; }

// The velocity k fine steps of delta from v, added one step at a time as a
// walk adds them, so that the same velocities are met.
double FineStep(double v, double delta, int k) {
  for (int i = 0; i < k; ++i) v += delta;
  return v;
}

}  // namespace

double CMechModel::hl_d(double h) {
  if (m_dVsl < 0.0) m_dVsl = 0.0;
  if (m_dVsg < 0.0) m_dVsg = 0.0;
  const double d = m_dDiameter / kInchesPerFoot;
  const double hL = h * d;

  const double x = 2.0 * h - 1.0;
  const double phi = std::acos(x);
  m_dPerimInt = std::sqrt(1.0 - x * x);
  m_dPerimLiq = kPi - phi;
  const double perimGas = phi;
  m_dAreaGas = 0.25 * (phi - x * m_dPerimInt);
  m_dAreaLiq = 0.25 * (kPi - 4.0 * m_dAreaGas);
  const double al = m_dAreaLiq * d * d;
  const double ag = m_dAreaGas * d * d;

  m_dGasVelRatio = kPi / (4.0 * m_dAreaGas);
  const double liqVelRatio = kPi / (4.0 * m_dAreaLiq);
  m_dHydDiamGas = 4.0 * m_dAreaGas / (phi + m_dPerimInt);
  m_dVg = m_dVsg * m_dArea / ag;
  m_dVl = m_dVsl * m_dArea / al;

  const double gasDiameter = m_dHydDiamGas * d;  // ft
  const double reG = gasDiameter * m_dVg * m_dRhoG / m_dMuG / kCpToLbmPerFtS;
  const double fG = FanningFf2(m_dFf, kInchesPerFoot * gasDiameter, reG);

  m_dFroudeL = m_dVl / std::sqrt(kGravity * hL);
  m_dFroudeL1 = m_dFroudeL;
  const double fi = (5e-7 * m_dResl + 0.004) * std::pow(m_dFroudeL, 1.335) *
                    (m_dRhoL * d * kGravity / (m_dRhoG * m_dVg * m_dVg));
  m_dFfInt = fi;
  m_dFfInt1 = fi;

  const double dv = m_dVg - m_dVl;
  const double tg =
      (fG / m_dFsg2) * m_dGasVelRatio * m_dGasVelRatio *
      (perimGas / m_dAreaGas + (fi / fG) * (dv * std::fabs(dv) / (m_dVg * m_dVg)) *
                                   (m_dPerimInt / m_dAreaGas + m_dPerimInt / m_dAreaLiq));
  const double tl = (m_dFfLiqWall / m_dFsl2) * liqVelRatio * liqVelRatio * m_dPerimLiq / m_dAreaLiq;
  const double residual = m_dX2 * tl - tg - 4.0 * m_dY;
  if (m_bDiagStratified) TraceStratified(h, residual, tl, tg, reG, fi);
  return residual;
}

const CMechModel::FilmTerms& CMechModel::FilmTermsNow() {
  const double state[] = {m_dFf,   m_dDiameter, m_dVsl,     m_dVsg,    m_dFEnt, m_dRhoL, m_dMuL,
                          m_dRhoG, m_dSigma,    m_dRhoCore, m_dMuCore, m_dFsl2, m_dFsg2};
  FilmTerms& t = filmTerms_;
  bool same = t.formed;
  for (int i = 0; same && i < kFilmStateSize; ++i) same = state[i] == t.state[i];
  if (same) return t;
  for (int i = 0; i < kFilmStateSize; ++i) t.state[i] = state[i];
  const double dPipe = m_dDiameter / kInchesPerFoot;
  const double fe = m_dFEnt;
  const double coreFlux = m_dVsl * fe + m_dVsg;  // core velocity times (1 - 2 delta/D)^2
  // The exponent of Re in the turbulent factor: the smooth-pipe fit's or Chen's.
  const double reExponent = m_dFf == 0.0 ? -0.32 : -0.8981;
  t.filmRe = REl((1.0 - fe) * m_dVsl, dPipe);
  const double lnFilmRe = std::log(t.filmRe);
  t.filmRePow = std::exp(reExponent * lnFilmRe);
  t.shearPow = std::exp(0.305 * lnFilmRe);
  const double roughness = m_dFf / m_dDiameter;
  // The pipe seldom changes between states.
  if (!t.formed || !(roughness == t.roughness)) t.roughPow = std::pow(roughness, 1.1098);
  t.roughness = roughness;
  t.inverseFilmRe = 1.0 / t.filmRe;
  t.interfaceScale = m_dRhoCore / (m_dFsg2 * m_dRhoG);
  t.inverseFsl = 1.0 / m_dFsl2;
  t.inverseVsl = 1.0 / m_dVsl;
  t.inverseVsg = 1.0 / m_dVsg;
  t.coreRe = REm(coreFlux, m_dRhoCore, m_dMuCore, dPipe);
  t.inverseCoreRe = 1.0 / t.coreRe;
  t.coreRePow = std::pow(t.coreRe, reExponent);
  t.weberPow =
      std::pow(kLbmPerS2PerDynPerCm * m_dSigma / (m_dRhoCore * coreFlux * coreFlux * dPipe), 0.085);
  t.formed = true;
  return t;
}

void CMechModel::FilmFactors(const FilmTerms& t, double hlf, double inverseHlf, double* f,
                             double* f2) const {
  // The film's hydraulic diameter is hlf D: its roughness ratio is e/D over
  // hlf, its Reynolds number that of the state.
  FactorPair(
      t.filmRe,
      [&] {
        if (m_dFf == 0.0) return 0.0014 + 0.125 * t.filmRePow;
        return Chen(t.roughness * inverseHlf, t.roughPow * std::exp(-1.1098 * std::log(hlf)),
                    t.inverseFilmRe, t.filmRePow);
      },
      f, f2);
}

double CMechModel::dl_d(double d) {
  m_dFilmRatio = d;
  if (m_dVsl < 0.0) m_dVsl = 0.001;
  if (m_dVsg < 0.0) m_dVsg = 0.001;
  const double dPipe = m_dDiameter / kInchesPerFoot;

  const double delta = d * dPipe;
  const double dc = dPipe - 2.0 * delta;
  const double hlf = 4.0 * d * (1.0 - d);

  m_dPerimCore = kPi * dc;
  m_dPerimWall = kPi * dPipe;
  const double ac = kPi * dc * dc / 4.0;
  m_dAreaFilm = m_dArea - ac;
  const double inverseD2 = 1.0 / (dPipe * dPipe);
  const double areaFilm = m_dAreaFilm * inverseD2;
  const double areaCore = ac * inverseD2;
  const double inverseAreas = 1.0 / (areaFilm * areaCore);

  // The residual is evaluated some fourteen times per decision: what does
  // not change with the thickness, reciprocals included, comes with the
  // state's terms.
  const FilmTerms& t = FilmTermsNow();
  const double fe = m_dFEnt;
  const double s = 1.0 - 2.0 * d;  // core diameter over D
  const double inverseS = 1.0 / s;
  const double inverseHlf = 1.0 / hlf;
  m_dVFilm = (1.0 - fe) * m_dVsl * inverseHlf;
  const double vf = m_dVFilm * t.inverseVsl;
  m_dVCore = (m_dVsl * fe + m_dVsg) * (inverseS * inverseS);
  const double vr = (m_dVCore - m_dVFilm) * t.inverseVsg;

  FilmFactors(t, hlf, inverseHlf, &m_dFfFilm1, &m_dFfFilm);
  // The core's Reynolds number goes as 1/s, its roughness ratio as 1/s and
  // its Weber group as s^3: one logarithm of s gives their powers, and
  // Chen's inner sum is s^-1.1098 (0.3539 (e/D)^1.1098 + 5.8506 s^2.0079
  // coreRe^-0.8981).
  const double lnS = std::log(s);
  const double reC = t.coreRe * inverseS;
  const double k = 0.24 * t.weberPow * std::exp(0.255 * lnS) * t.shearPow;
  double fCore = 0.0, fCore2 = 0.0;
  FactorPair(
      reC,
      [&] {
        if (m_dFf == 0.0) return 0.0014 + 0.125 * t.coreRePow * std::exp(0.32 * lnS);
        const double lnInner =
            std::log(0.3539 * t.roughPow + 5.8506 * t.coreRePow * std::exp(2.0079 * lnS)) -
            1.1098 * lnS;
        return ChenFromInner(t.roughness * inverseS, s * t.inverseCoreRe, lnInner);
      },
      &fCore, &fCore2);
  m_dFfInt = k * fCore2;
  m_dFfInt1 = k * fCore;

  const double ti = m_dFfInt * t.interfaceScale * vr * std::fabs(vr) * (kPi * s) *
                    ((areaFilm + areaCore) * inverseAreas);
  const double tf = m_dFfFilm * t.inverseFsl * vf * vf * kPi * (areaCore * inverseAreas);
  const double residual = m_dX2 * tf - ti - 4.0 * m_dY;
  if (m_bDiagFilm) TraceFilm(d, residual, tf, ti);
  return residual;
}

double CMechModel::RootMin_dl_d(double d) {
  const double dPipe = m_dDiameter / kInchesPerFoot;
  const double fe = m_dFEnt;
  const double hlf = 4.0 * d * (1.0 - d);
  double unused = 0.0, fF = 0.0;
  FilmFactors(FilmTermsNow(), hlf, 1.0 / hlf, &unused, &fF);

  const double lambdaCore = fe * m_dVsl / (fe * m_dVsl + m_dVsg);
  const double rhoCore = lambdaCore * m_dRhoL + (1.0 - lambdaCore) * m_dRhoG;
  const double left = m_dVsl * m_dVsl * (1.0 - fe) * (1.0 - fe) /
                      (std::sin(m_dTheta) * kGravity * dPipe) * 2.0 * fF * m_dRhoL /
                      (m_dRhoL - rhoCore);
  const double right = hlf * hlf * hlf * (1.0 - hlf) / (2.0 - hlf);
  return left - right;
}

double CMechModel::FEnt() {
  const double group = m_dVsg * m_dVsg * m_dRhoG * m_dMuL * m_dMuL /
                       (m_dRhoL * m_dSigma * m_dSigma) * kEntrainmentFactor;
  const double r = 0.735 * std::pow(group, 0.074) * std::pow(m_dVsg / m_dVsl, 0.2);
  // FE / (1 - FE) = R; an infinite R has no fraction to give.
  if (1.0 + r > 0.0) return FiniteOrNotSet(r / (1.0 + r));
  return kNotSet;
}

void CMechModel::StratifiedP() {
  const double d = m_dDiameter / kInchesPerFoot;
  const double dv = m_dVg - m_dVl;
  // The wall factor the level was solved with: the liquid balance then holds
  // at that level and gives the same gradient as the gas balance. The ff
  // form (m_dFfLiqWall1) differs from it by up to a quarter for Re_SL
  // between 2000 and 4000, and the difference, divided by the small liquid
  // area of a wet-gas line, becomes a gradient many times the true one.
  const double tauL = m_dFfLiqWall * m_dRhoL * m_dVl * m_dVl / (2.0 * kGravity);
  const double tauI = m_dFfInt1 * m_dRhoG * dv * std::fabs(dv) / (2.0 * kGravity);
  const double gradient =
      std::fabs(tauL * m_dPerimLiq * d - tauI * m_dPerimInt * d) / (m_dAreaLiq * d * d);  // lbf/ft3
  m_dFrictionDP = m_dFlw * m_dLength / kSquareInchesPerSquareFoot * gradient;
  m_dElevationDP = m_dRhoL * m_dDz / kSquareInchesPerSquareFoot * m_dDir;
}

void CMechModel::AnnularMistP() {
  const double dv = m_dVCore - m_dVFilm;
  const double tauI = m_dFfInt1 * m_dRhoCore * dv * std::fabs(dv) / (2.0 * kGravity);
  const double gradient = tauI * m_dPerimCore / (m_dArea - m_dAreaFilm);
  m_dFrictionDP = gradient * m_dLength / kSquareInchesPerSquareFoot * m_dFlw;
  m_dElevationDP = m_dRhoCore * m_dDz / kSquareInchesPerSquareFoot * m_dDir;
}

double CMechModel::IntSlugPf() {
  const double d = m_dDiameter / kInchesPerFoot;
  const double re = m_dRhoL * m_dVm * d * kReynoldsFactorSlug / m_dMuL;
  const double f = FanningFf(m_dFf, m_dDiameter, re);
  return m_dFlw * m_dLength / kSquareInchesPerSquareFoot * 2.0 * f * m_dVm * m_dVm * m_dRhoS /
         (d * kGravity);
}

double CMechModel::IntAmPf() {
  const double dPipe = m_dDiameter / kInchesPerFoot;
  const double fe = m_dFEnt;
  const double d = 0.25 * (1.0 - std::sqrt((1.0 - m_dHoldup) * (fe * m_dVsl + m_dVsg) / m_dVsg));
  double gradient = 0.0;
  if (d >= kThinnestFilm) {
    const double hlf = 4.0 * d * (1.0 - d);
    const double vf = (1.0 - fe) * m_dVsl / hlf;
    const double df = hlf * dPipe;
    const double re = m_dRhoL * vf * df * kReynoldsFactorSlug / m_dMuL;
    const double f = FanningFf(m_dFf, kInchesPerFoot * df, re);
    gradient = 4.0 * (f * m_dRhoL * vf * vf / (2.0 * kGravity)) / dPipe;
  } else {
    gradient = 2.0 * m_dDriftFactor * m_dVm * m_dVm * m_dRhoS / (kGravity * dPipe);
  }
  return m_dFlw * m_dLength / kSquareInchesPerSquareFoot * gradient;
}

bool CMechModel::FrothBoundary(double v0, bool upper, double* boundary) {
  const double way = upper ? 1.0 : -1.0;
  double step = v0 / (upper ? kUpperStepDivisor : kLowerStepDivisor);
  double fine = 0.0;
  int decisions = 0;
  double froth = v0;  // the velocity last found to be froth
  m_dVsg = v0;
  do {
    // Out of froth in coarse steps ...
    for (;;) {
      m_dVsg += way * step;
      if (upper ? m_dVsg > kFrothUpperLimit : m_dVsg <= 0.0) return false;
      if (++decisions > kMaxFrothDecisions) return false;
      if (!IsFroth()) break;
      froth = m_dVsg;
    }
    // ... back in with fine ones to the first fine step that is froth, and
    // that step undone, so that the boundary point is never froth.
    fine = step / kFineStepDivisor;
    const double out = m_dVsg;
    const int k = FirstFrothStep(out, -way * fine, froth, kMaxFrothDecisions - decisions);
    if (k == 0) return false;
    decisions += k;
    froth = FineStep(out, -way * fine, k);
    m_dVsg = froth + way * fine;
    step /= kPassRefinement;
  } while (fine > kFrothResolution);
  *boundary = m_dVsg;
  return true;
}

int CMechModel::FirstFrothStep(double v, double delta, double froth, int budget) {
  auto frothAt = [&](int k) {
    m_dVsg = FineStep(v, delta, k);
    return IsFroth();
  };
  if (budget < 1) return 0;
  // The walk's first step first: the boundary is often one fine step away.
  if (frothAt(1)) return 1;
  // The first step that reaches the velocity last found to be froth ...
  int hi = 1;
  for (double vh = v + delta; hi <= budget && (vh - froth) * delta < 0.0; vh += delta) ++hi;
  if (hi > 1 && hi <= budget && frothAt(hi)) {
    // ... bounds a bisection over the steps between: where the pattern
    // changes once on the way, it ends on the step a walk would end on.
    int lo = 1;
    while (hi - lo > 1) {
      const int mid = lo + (hi - lo) / 2;
      if (frothAt(mid)) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    return hi;
  }
  // Without that bound, the walk itself.
  for (int k = 2; k <= budget; ++k) {
    if (frothAt(k)) return k;
  }
  return 0;
}

void CMechModel::FrothP() {
  const double v0 = m_dVsg;
  // The boundary calculations overwrite the mixture friction of this point.
  const double reM = m_dReM;
  const double fm = m_dFm;
  m_dFrictionDP = m_dElevationDP = m_dHoldup = kNotSet;

  double vLow = kNotSet;
  double vUp = kNotSet;
  double e1 = kNotSet, f1 = kNotSet, h1 = kNotSet;
  double e2 = kNotSet, f2 = kNotSet, h2 = kNotSet;
  bool found = FrothBoundary(v0, false, &vLow);
  if (found) {
    m_dVsg = vLow;
    Mphase(true);
    e1 = m_dElevationDP;
    f1 = m_dFrictionDP;
    h1 = m_dHoldup;
    found = FrothBoundary(v0, true, &vUp);
  }
  if (found) {
    m_dVsg = vUp;
    Mphase(true);
    e2 = m_dElevationDP;
    f2 = m_dFrictionDP;
    h2 = m_dHoldup;
  }

  // The decision at V0 puts back every field the trials overwrote.
  m_dVsg = v0;
  GetFlowRegime();
  m_dReM = reM;
  m_dFm = fm;
  m_dFlowRegime = kFroth;
  if (!found) {
    m_dStatus = kStatusNoFroth;
    m_dFrictionDP = m_dElevationDP = m_dHoldup = kNotSet;
    return;
  }

  const double lv = std::log10(vLow);
  const double w = (std::log10(v0) - lv) / (std::log10(vUp) - lv);
  const double sign = (e1 < 0.0 || e2 < 0.0) ? -1.0 : 1.0;
  const double elevation = LogLogBlend(Magnitude(e1), Magnitude(e2), w);
  const double friction = LogLogBlend(Magnitude(f1), Magnitude(f2), w);
  m_dElevationDP = IsSet(elevation) ? sign * elevation : kNotSet;
  m_dFrictionDP = IsSet(friction) ? m_dFlw * friction : kNotSet;
  m_dHoldup = LogLogBlend(h1, h2, w);
}

}  // namespace pdrop
