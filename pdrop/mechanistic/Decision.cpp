// Petalas & Aziz mechanistic model (Petalas, N., Aziz, K., "A Mechanistic
// Model for Multiphase Flow in Pipes", J. Can. Pet. Tech. 39(6), 2000): the
// multiphase entry, the flow-pattern decision and the per-pattern pressure
// changes. Oilfield units: ft (diameter in inches where named so), ft/s,
// lbm/ft3, cP, dyn/cm, psi, rad.
//
// Where this implementation departs from the published form:
// - the transitions are applied as one fixed sequence of tests; slug-body
//   holdup is Gregory's (Vm in m/s), the dispersed-bubble test is made on it
//   and on the no-slip gas fraction, and whatever passes no test is froth,
//   whose gradients are interpolated between the neighbouring patterns;
// - bubble and dispersed bubble take their friction with the no-slip density
//   and g = 32.2, as the base single-phase routines do;
// - when no film thickness exists the flow is not annular: the decision goes
//   on to the bubble, intermittent and froth tests;
// - the fields read after a level or film search are those of the level or
//   film the search returns; the film fields of a decision that is not
//   annular describe the last film the search tried;
// - friction takes the sign of the flow (m_dFlw) alone in every pattern;
// - m_dStatus is cleared once at the start of every Cal: an out-of-range
//   input (1) met by any piece or iteration marks the whole segment, while
//   a failed froth interpolation (2) describes only the decision that met
//   it and is cleared at the next multiphase call;
// - inputs that are not set or not finite give no pattern (666), as does an
//   entrained fraction that cannot be formed, always without a holdup; a
//   result that is not finite is reported as not set.
#include <cmath>
#include <initializer_list>

#include "pdrop/mechanistic/MechConstants.h"
#include "pdrop/mechanistic/MechFriction.h"
#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CMechModel, CPressDrop)

namespace {

using namespace mech;

constexpr double kVerticalRun = 1e-10;  // ft; a shorter horizontal run is a vertical pipe
constexpr double kHalfPi = 1.5707963267948966;

// Ranges of the superficial velocities the model was built for [ft/s].
constexpr double kLeastVsg = 0.01;
constexpr double kGreatestVsg = 500.0;
constexpr double kLeastVsl = 0.01;
constexpr double kGreatestVsl = 100.0;

// Gregory's slug-body holdup takes Vm in m/s.
constexpr double kGregoryVelocity = 8.66;  // m/s
// D^2 (rhoL - rhoG) / sigma with D in ft, densities in lbm/ft3 and sigma in
// dyn/cm, times this factor, is the Eotvos (Bond) number.
constexpr double kBondFactor = 14598.885;
// 1.53 and 1.41 times (32.174 * 0.00220462)^0.25: (g sigma drho / rhoL^2)^0.25
// with sigma in dyn/cm gives ft/s.
constexpr double kBubbleRiseFactor = 0.789628843503937;
constexpr double kBubbleRiseFactorExistence = 0.7276971696194227;
// rho v D / mu with rho in lbm/ft3, v in ft/s, D in ft and mu in cP.
constexpr double kReynoldsFactor = 1488.0;
// cP to lbm/(ft s) as the smooth-to-wavy criterion takes it.
constexpr double kCpToLbmPerFtSWave = 0.0006719708;
// Gas velocity of the smooth-to-wavy transition: the sheltering coefficient.
constexpr double kShelteringCoefficient = 0.06;
// Least direction cosine of the stratified tests.
constexpr double kLeastCosine = 0.02;
// Least inclination at which stratified flow may still be smooth [rad]
// (-5 degrees).
constexpr double kSmoothLimitAngle = -0.087267;

// Barnea's least pipe diameter of bubble flow, 19 sqrt(drho sigma /
// (rhoL^2 g)), worked in SI and converted to ft.
constexpr double kLbmPerFt3ToKgPerM3 = 16.01846;
constexpr double kInverseGravitySI = 0.1019367991845056;  // s2/m
constexpr double kDynPerCmPerNPerM = 1000.0;
constexpr double kLeastBubbleDiameterFactor = 62.33595800524934;  // 19 / 0.3048 ft/m
// Bubble existence in inclined pipes: cos(theta) <= 3/4 cos(45 deg) Ub^2
// times this factor.
constexpr double kBubbleExistenceCosine = 0.53033;
constexpr double kBubbleExistenceFactor = 19.679;

// Superficial gas Reynolds number when the gas viscosity is negative but
// set: the flow is taken as fully turbulent.
constexpr double kTurbulentGasReynolds = 1e8;

bool Usable(std::initializer_list<double> values) {
  for (double v : values) {
    if (!IsUsable(v)) return false;
  }
  return true;
}

}  // namespace

CMechModel::CMechModel() {
  m_dFlowRegime = kUndeterminedRegime;
  m_dStatus = 0.0;
}

CMechModel::~CMechModel() = default;

void CMechModel::SetInclination() {
  double theta = 0.0;
  if (std::fabs(m_dDx) <= kVerticalRun) {
    theta = m_dDz < 0.0 ? -kHalfPi : kHalfPi;
  } else {
    theta = std::atan(m_dDz / m_dDx);
  }
  m_dTheta = theta * m_dFlw * m_dDir;
}

void CMechModel::MultiPhase() {
  SetInclination();
  m_dFlowRegime = kUndeterminedRegime;
  m_dFrictionDP = m_dElevationDP = kNotSet;

  // An out-of-range mark of this segment stays; a froth failure ended the
  // piece that met it and must not blank a later froth result.
  if (m_dStatus != kStatusOutOfRange) m_dStatus = 0.0;
  const bool vsgInRange = m_dVsg >= kLeastVsg && m_dVsg <= kGreatestVsg;
  const bool vslInRange = m_dVsl >= kLeastVsl && m_dVsl <= kGreatestVsl;
  if (!vsgInRange || !vslInRange) m_dStatus = kStatusOutOfRange;

  Mphase(true);
}

void CMechModel::BeginSegment() { m_dStatus = 0.0; }

int CMechModel::LiquidHoldup() { return GetFlowRegime(); }

int CMechModel::Mphase(bool bFroth) {
  m_dFrictionDP = m_dElevationDP = kNotSet;
  const int code = LiquidHoldup();

  const double d = m_dDiameter / kInchesPerFoot;
  m_dReM = REm(m_dVm, m_dRhoNS, m_dMuNS, kNotSet);
  m_dFm = FanningFf(m_dFf, m_dDiameter, m_dReM);
  // Without a holdup there is no slip density.
  auto slipDensity = [this]() {
    return IsSet(m_dHoldup) ? m_dRhoL * m_dHoldup + (1.0 - m_dHoldup) * m_dRhoG : kNotSet;
  };
  m_dRhoS = slipDensity();
  m_dFlowRegime = code;
  AdvanceDiagRow(1);

  switch (code) {
    case kBubble:
    case kDispersedBubble:
      m_dElevationDP = m_dRhoS * m_dDz / kSquareInchesPerSquareFoot * m_dDir;
      m_dFrictionDP = 2.0 * m_dFm * m_dVm * m_dVm * m_dRhoNS / (kGcDispersed * d) * m_dFlw *
                      m_dLength / kSquareInchesPerSquareFoot;
      break;
    case kStratifiedSmooth:
    case kStratifiedWavy:
      StratifiedP();
      break;
    case kAnnularMist:
      AnnularMistP();
      break;
    case kSlug:
    case kElongatedBubble: {
      m_dElevationDP = m_dRhoS * m_dDz / kSquareInchesPerSquareFoot * m_dDir;
      double w = std::pow(m_dLambdaL, 0.75 - m_dHoldup);
      if (w > 1.0) w = 1.0;
      // Each closure carries the flow sign already.
      m_dFrictionDP = w * IntSlugPf() + (1.0 - w) * IntAmPf();
      break;
    }
    case kFroth:
      if (bFroth) FrothP();
      if (m_dStatus == kStatusNoFroth) {
        m_dFrictionDP = m_dElevationDP = kNotSet;
      } else {
        m_dRhoS = slipDensity();
      }
      break;
    default:
      m_dFrictionDP = m_dElevationDP = kNotSet;
      break;
  }

  if (!IsSet(m_dHoldup)) m_dRhoS = kNotSet;
  for (double* v : {&m_dHoldup, &m_dFrictionDP, &m_dElevationDP, &m_dRhoS, &m_dReM, &m_dFm, &m_dVm,
                    &m_dLambdaL, &m_dLambdaG, &m_dRhoNS, &m_dMuNS, &m_dVg, &m_dVl}) {
    *v = FiniteOrNotSet(*v);
  }
  return code;
}

int CMechModel::GetFlowRegime() { return Decide(false); }

bool CMechModel::IsFroth() {
  // A trace of the level residuals moves the row cursor once per
  // evaluation, and a film trace writes cells: either needs the searches run
  // as the full decision runs them.
  const bool traced = m_bDiagStratified != 0 || (m_bDiagFilm != 0 && m_pExcel != nullptr);
  return Decide(!traced) == kFroth;
}

// The drift-flux quantities every transition below reads: the slug-body
// holdup of Gregory et al. (ELS), the intermittent holdup (ELI) and the
// bubble-flow holdup, with the drift velocities they come from.
CMechModel::DriftFlux CMechModel::DriftFluxSetUp() const {
  DriftFlux f;
  const double rhoL = m_dRhoL;
  const double muL = m_dMuL;
  const double sigma = m_dSigma;
  const double d = m_dDiameter / kInchesPerFoot;
  f.els = 1.0 / (1.0 + std::pow(kMetresPerFoot * m_dVm / kGregoryVelocity, 1.39));
  f.drho = rhoL - m_dRhoG;
  f.bond = d * d * f.drho / sigma * kBondFactor;
  f.sinT = std::sin(m_dTheta);
  f.cosT = std::cos(m_dTheta);
  f.d = d;
  if (f.drho < 0.0) return f;
  // (drho sigma / rhoL^2)^(1/4), of both bubble rise velocities.
  f.riseScale = std::sqrt(std::sqrt(f.drho * sigma / (rhoL * rhoL)));
  const double u0 = kBubbleRiseFactor * f.riseScale;
  const double ub = u0 * f.sinT;

  // Elongated-bubble drift: its vertical and horizontal limits, each with
  // its surface-tension term, combined by the inclination.
  const double lnBo = std::log(f.bond);
  const double beta = f.bond * std::exp(3.278 - 1.424 * lnBo);
  const double gScale = std::sqrt(kGravity * d * f.drho / rhoL);
  const double uv = 0.345 * (1.0 - std::exp(-beta)) * gScale;
  const double uh = (0.54 - 1.76 * std::exp(-0.56 * lnBo)) * gScale;
  const double udInf = uh * f.cosT + uv * f.sinT;
  const double reb = std::fabs(udInf) * rhoL * d * kReynoldsFactor / (2.0 * muL);
  f.driftFactor = 0.316 * std::sqrt(reb);
  if (f.driftFactor > 1.0) f.driftFactor = 1.0;
  const double ud = f.driftFactor * udInf;

  const double reM = rhoL * m_dVm * d * kReynoldsFactor / muL;
  const double c0 = (1.64 + 0.12 * f.sinT) * std::pow(reM, -0.031);
  const double vtb = c0 * m_dVm + ud;
  double vdb = c0 * m_dVm + ub;
  if (vdb < 0.0) vdb = 0.0;

  f.eli = (f.els * vtb + (1.0 - f.els) * vdb - m_dVsg) / vtb;
  if (f.eli > 1.0) f.eli = m_dLambdaL;
  f.el = vdb > 0.0 ? 1.0 - m_dVsg / vdb : 1.0 - m_dVsg / (c0 * m_dVm);
  if (f.el > 1.0) f.el = m_dLambdaL;
  return f;
}

// The superficial Reynolds numbers and friction factors of the separated
// patterns, and the Lockhart-Martinelli groups X^2 and Y of their momentum
// balances.
void CMechModel::SeparatedFlowSetUp(const DriftFlux& f) {
  const double rhoG = m_dRhoG;
  const double muG = m_dMuG;
  m_dResl = REl(m_dVsl, kNotSet);
  if (muG > 0.0) {
    m_dResg = f.d * m_dVsg * rhoG / (muG * kCpToLbmPerFtS);
  } else {
    m_dResg = IsSet(muG) ? kTurbulentGasReynolds : 0.0;
  }
  FanningFactors(m_dFf, m_dDiameter, m_dResl, &m_dFsl, &m_dFsl2);
  m_dFsg2 = FanningFf2(m_dFf, m_dDiameter, m_dResg);
  const double gasMomentum = m_dFsg2 * m_dVsg * m_dVsg * rhoG;
  m_dX2 = m_dFsl2 * m_dVsl * m_dVsl * m_dRhoL / gasMomentum;
  m_dY = -f.drho * kGravity * f.sinT * f.d / (2.0 * gasMomentum);
  m_dFfLiqWall = 0.452 * std::pow(m_dFsl2, 0.731);
  // The two forms differ only between Re_SL 2000 and 4000.
  m_dFfLiqWall1 = m_dFsl == m_dFsl2 ? m_dFfLiqWall : 0.452 * std::pow(m_dFsl, 0.731);
}

// Stratified flow (level and downward pipes only): the equilibrium level,
// then the gas velocity below the critical one for the growth of waves and
// the liquid velocity below its limit; smooth or wavy by the wave-initiation
// velocity of Jeffreys' sheltering and the liquid Froude number.
int CMechModel::StratifiedTransition(const DriftFlux& f) {
  if (m_dTheta > 0.0) return kNoPattern;
  double c = f.cosT;
  if (c <= kLeastCosine) c = kLeastCosine;
  const double h = Calculate_hl_d();
  if (!IsSet(h)) return kNoPattern;
  const double d = f.d;
  const double si = std::sqrt(1.0 - (2.0 * h - 1.0) * (2.0 * h - 1.0)) * d;
  const double ag = d * d * m_dAreaGas;
  const double vcrit = (1.0 - h) * std::sqrt(f.drho * kGravity * ag * c / (m_dRhoG * si));
  // Written as the tests that hold, so that a NaN fails them.
  if (!(m_dVg <= vcrit && std::sqrt(d * kGravity * (1.0 - h) * c / m_dFfLiqWall) >= m_dVl)) {
    return kNoPattern;
  }
  m_dHoldup = d * d * m_dAreaLiq / m_dArea;
  if (m_dTheta > kSmoothLimitAngle) {
    const double vj = std::sqrt(4.0 * m_dMuL * kCpToLbmPerFtSWave * f.drho * kGravity * c /
                                (kShelteringCoefficient * m_dRhoL * m_dRhoG * m_dVl));
    if (m_dVg <= vj && m_dFroudeL <= 1.4) return kStratifiedSmooth;
  }
  return kStratifiedWavy;
}

// Annular mist: the entrained fraction, the film thickness of the film
// momentum balance, a holdup of at most 0.24 and a film no thicker than the
// least stable one (upward pipes). kUndetermined without an entrained
// fraction.
int CMechModel::AnnularMistTransition(const DriftFlux& f, bool frothOnly) {
  m_dFEnt = FEnt();
  if (!IsSet(m_dFEnt)) {
    m_dHoldup = kNotSet;
    return kUndetermined;
  }
  const double fe = m_dFEnt;
  m_dLambdaCore = m_dVsl * fe / (m_dVsl * fe + m_dVsg);
  m_dMuCore = m_dLambdaCore * m_dMuL + (1.0 - m_dLambdaCore) * m_dMuG;
  m_dRhoCore = m_dLambdaCore * m_dRhoL + (1.0 - m_dLambdaCore) * m_dRhoG;
  m_dY = std::sin(-m_dTheta) * (m_dRhoL - m_dRhoCore) * kGravity * f.d /
         (2.0 * m_dFsg2 * m_dVsg * m_dVsg * m_dRhoG);

  // Only annular flow reads the film fields: they are made to describe the
  // film found when the flow is annular (or a film trace shows them).
  const double delta = FilmSearch(m_bDiagFilm != 0 && m_pExcel != nullptr);
  if (!IsSet(delta)) return kNoPattern;
  const double thinning = (1.0 - 2.0 * delta) * (1.0 - 2.0 * delta);
  const double ela = 1.0 - thinning * m_dVsg / (m_dVsl * fe + m_dVsg);
  if (!(ela <= 0.24)) return kNoPattern;
  const double deltaMin = m_dTheta > 0.0 ? Min_dl_d() : 0.5;
  if (!(delta <= deltaMin)) return kNoPattern;
  if (!frothOnly && m_dFilmRatio != delta) dl_d(delta);
  m_dHoldup = ela;
  return kAnnularMist;
}

// Bubble flow where bubbles large enough to deform can exist and rise
// (Barnea & Brauner's least diameter, the inclination limit of the bubble
// rise) and the intermittent holdup exceeds 0.75; else intermittent flow,
// slug or elongated bubble by the slug-body holdup, when its holdup exceeds
// 0.24; what remains is froth.
int CMechModel::BubbleOrIntermittentTransition(const DriftFlux& f) {
  const double dmin = std::sqrt(f.drho / (kLbmPerFt3ToKgPerM3 * m_dRhoL * m_dRhoL) *
                                kInverseGravitySI * m_dSigma / kDynPerCmPerNPerM) *
                      kLeastBubbleDiameterFactor;
  const double ubExist = kBubbleRiseFactorExistence * f.riseScale * f.sinT;
  const double k = kBubbleExistenceCosine * ubExist * ubExist * kBubbleExistenceFactor;
  if (dmin < f.d && f.cosT <= k && f.eli > 0.75) {
    m_dHoldup = 1.0 - m_dVsg / (1.2 * m_dVm + ubExist);
    return kBubble;
  }
  if (f.eli > 0.24) {
    m_dHoldup = f.eli;
    return f.els <= 0.9 ? kSlug : kElongatedBubble;
  }
  m_dHoldup = kNotSet;
  return kFroth;
}

int CMechModel::Decide(bool frothOnly) {
  m_dVm = m_dVsg + m_dVsl;
  m_dLambdaL = m_dVsl / m_dVm;
  m_dLambdaG = m_dVsg / m_dVm;
  m_dRhoNS = m_dLambdaG * m_dRhoG + m_dLambdaL * m_dRhoL;
  m_dMuNS = m_dLambdaG * m_dMuG + m_dLambdaL * m_dMuL;

  m_dHoldup = kNotSet;
  AdvanceDiagRow(1);
  PrintDiagHdr();
  HoldupAndVelocity();

  // The gas viscosity alone may be not set: the Reynolds number then has a
  // defined value.
  if (!Usable({m_dVsg, m_dVsl, m_dRhoL, m_dRhoG, m_dMuL, m_dSigma, m_dTheta,
               m_dDiameter / kInchesPerFoot, m_dArea}) ||
      !std::isfinite(m_dMuG) || !std::isfinite(m_dFf)) {
    return kUndetermined;
  }
  const DriftFlux f = DriftFluxSetUp();
  if (f.drho < 0.0) return kUndetermined;
  m_dDriftFactor = f.driftFactor;
  m_dHoldup = f.el;

  // Dispersed bubble: a slug body too fast to hold gas pockets (Gregory's
  // ELS below 0.48) with at most 52 % gas.
  if (m_nFlowOver != 0) return kDispersedBubble;
  if (f.els < 0.48 && m_dLambdaG <= 0.52) {
    SetDiagText("Dispersed bubble flow regime", 1);
    return kDispersedBubble;
  }

  // Every pattern decided after this point but froth needs either a
  // mixture fast enough for no slug body (ELS < 0.48) or an intermittent
  // holdup that is not above 0.24: without one the point is stratified,
  // annular, bubble, slug or elongated bubble (or has no entrained fraction),
  // none of them froth, and the level and film searches are not needed to
  // tell. A NaN holdup is not above 0.24, as in the tests below.
  if (frothOnly && !(f.els < 0.48) && f.eli > 0.24) return kUndetermined;

  SeparatedFlowSetUp(f);
  const int stratified = StratifiedTransition(f);
  if (stratified != kNoPattern) return stratified;
  const int annular = AnnularMistTransition(f, frothOnly);
  if (annular != kNoPattern) return annular;
  if (f.els < 0.48) {
    m_dHoldup = kNotSet;
    return kFroth;
  }
  return BubbleOrIntermittentTransition(f);
}

}  // namespace pdrop
