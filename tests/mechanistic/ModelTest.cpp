// The mechanistic model. The flow-pattern decision: every pattern from
// plausible inputs, the ties of the transition tests, inclination, status,
// friction signs, bad input and whole segments through Cal. Closures:
// stratified and annular geometry, entrainment, the intermittent film
// friction, the stratified shear balance and its agreement with the gas
// balance, and the froth interpolation.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <memory>

#include "MechTestSupport.h"
#include "pdrop/mechanistic/MechFriction.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectValues;
using test::kPi;
using test::MechProbe;

constexpr double kD = 4.0 / 12.0;  // the probe's pipe [ft]

// Gregory's slug-body holdup, Vm in ft/s.
double SlugHoldup(double vm) { return 1.0 / (1.0 + std::pow(0.3048 * vm / 8.66, 1.39)); }

bool NoNaN(const CMechModel& m) {
  for (double v : {m.m_dHoldup, m.m_dFrictionDP, m.m_dElevationDP, m.m_dRhoS, m.m_dVm}) {
    if (std::isnan(v) || std::isinf(v)) return false;
  }
  return true;
}

// By hand with D = 1/3 ft: Bo = D^2 x 45/20 x 14598.885 = 3649.72,
// G = sqrt(32.174 D 45/50) = 3.1067, C0 = (1.64 + 0.12 sin) ReM^-0.031.
TEST(MechDecision, EveryPatternFromPlausibleVelocities) {
  struct Case {
    double dx, dz, vsg, vsl;
    int code;
    double holdup;
  } cases[] = {
      // Vm 1.1, ELS 0.98922, C0 1.28234, UD 0.59918: VTB 2.00975, VDB 2.02221,
      // ELI 0.95029 > 0.75; Ub' 0.56367: EL = 1 - 0.1/(1.2 x 1.1 + 0.56367).
      {0.0, 100.0, 0.1, 1.0, 6, 0.94691},
      // Vm 40: ELS 0.38325 < 0.48, lambdaG 0.25; VDB = 1.14713 x 40 + 0.61164.
      {0.0, 100.0, 10.0, 30.0, 7, 1.0 - 10.0 / 46.4969},
      {100.0, 0.0, 0.1, 0.01, 8, kNotSet},
      {100.0, 0.0, 3.0, 0.1, 9, kNotSet},
      {100.0, 0.0, 50.0, 0.1, 10, kNotSet},
      // Vm 6: ELS 0.89675 <= 0.9; C0 1.13372, UD = Uh = 1.62237: VTB 8.42469,
      // VDB 6.80232, ELI = (7.55484 + 0.70234 - 3)/8.42469.
      {100.0, 0.0, 3.0, 3.0, 11, 0.62401},
      // Vm 1.1: ELS 0.98922 > 0.9; C0 1.19487: ELI = (2.90507 + 0.01417 - 0.1)/2.93673.
      {100.0, 0.0, 0.1, 1.0, 12, 0.95999},
      // Vm 34: ELS 0.43795 < 0.48 with lambdaG 0.706, no annular film.
      {0.0, 100.0, 24.0, 10.0, 13, kNotSet},
  };
  for (const Case& c : cases) {
    MechProbe m(c.dx, c.dz, c.vsg, c.vsl);
    m.MultiPhase();
    EXPECT_EQ(m.GetCode(), c.code);
    if (IsSet(c.holdup)) {
      EXPECT_NEAR(m.m_dHoldup, c.holdup, 2e-5) << c.code;
    }
    EXPECT_TRUE(m.m_dHoldup > 0.0 && m.m_dHoldup < 1.0) << c.code;
    EXPECT_TRUE(IsUsable(m.m_dFrictionDP) && IsUsable(m.m_dElevationDP)) << c.code;
    if (c.code == 8 || c.code == 9) {
      EXPECT_NEAR(m.m_dHoldup, m.m_dAreaLiq / (kPi / 4.0), 1e-15);
    } else if (c.code == 10) {
      const double core = (1.0 - 2.0 * m.m_dFilmRatio) * (1.0 - 2.0 * m.m_dFilmRatio);
      EXPECT_NEAR(m.m_dHoldup, 1.0 - core * c.vsg / (c.vsl * m.m_dFEnt + c.vsg), 1e-15);
    }
  }
}

TEST(MechDecision, TransitionTiesFallAsWritten) {
  // ELS exactly 0.48 is neither dispersed bubble (Vsl 16, lambdaG 0.468) nor
  // froth (Vsl 10, lambdaG 0.668): both are slug, and just above the tie they are.
  const double tie = 30.096198241946663;
  ASSERT_EQ(SlugHoldup(tie), 0.48);
  double above = tie;
  while (SlugHoldup(above) >= 0.48) above = std::nextafter(above, 100.0);
  for (const auto& [vsl, beyond] : {std::pair{16.0, 7}, std::pair{10.0, 13}}) {
    MechProbe m(0.0, 100.0, tie - vsl, vsl);
    m.m_dTheta = kPi / 2.0;
    EXPECT_EQ(m.GetFlowRegime(), CMechModel::kSlug) << vsl;
    m.m_dVsg = above - vsl;
    EXPECT_EQ(m.GetFlowRegime(), beyond) << vsl;
  }
  // 1/(1 + x) never gives 0.9 in doubles; its neighbours decide slug and elongated bubble.
  MechProbe m(100.0, 0.0, 5.8478675402020661 - 3.0, 3.0);
  m.m_dTheta = 0.0;
  ASSERT_LT(SlugHoldup(m.m_dVsg + 3.0), 0.9);
  EXPECT_EQ(m.GetFlowRegime(), CMechModel::kSlug);
  m.m_dVsg = 5.8478675402020652 - 3.0;
  ASSERT_GT(SlugHoldup(m.m_dVsg + 3.0), 0.9);
  EXPECT_EQ(m.GetFlowRegime(), CMechModel::kElongatedBubble);

  // Smooth stratified flow only above -0.087267 rad; none upward, even slightly.
  MechProbe s(100.0, -10.0, 0.1, 0.1);
  for (const auto& [theta, code] : {std::pair{-0.087267, CMechModel::kStratifiedWavy},
                                    {std::nextafter(-0.087267, 0.0), CMechModel::kStratifiedSmooth},
                                    {0.01, CMechModel::kElongatedBubble}}) {
    s.m_dTheta = theta;
    EXPECT_EQ(s.GetFlowRegime(), code) << theta;
  }

  // The range limits belong to the range; out of it the results still come.
  for (const auto& [vsg, vsl, status] :
       {std::tuple{500.0, 0.1, 0.0}, std::tuple{500.0001, 0.1, 1.0}, std::tuple{10.0, 100.0, 0.0},
        std::tuple{10.0, 100.0001, 1.0}}) {
    MechProbe r(100.0, 0.0, vsg, vsl);
    r.MultiPhase();
    EXPECT_EQ(r.m_dStatus, status) << vsg << " " << vsl;
    EXPECT_TRUE(IsUsable(r.m_dFrictionDP));
  }
}

TEST(MechDecision, InclinationFlowOverAndTheFrictionOfBubblePatterns) {
  MechProbe down(0.0, -100.0, 0.1, 1.0);
  down.MultiPhase();
  EXPECT_EQ(down.m_dTheta, -1.5707963267948966);
  // Flow-over makes a stratified-wavy point dispersed bubble with the bubble
  // holdup: C0 = 1.64 x 76880^-0.031 = 1.15715, EL = 1 - 3/(1.15715 x 3.1).
  MechProbe over(100.0, 0.0, 3.0, 0.1);
  over.SetFlowOver(1);
  over.MultiPhase();
  EXPECT_EQ(over.GetCode(), CMechModel::kDispersedBubble);
  EXPECT_NEAR(over.m_dHoldup, 0.16369, 2e-5);
  // Dispersed bubble: 2 f Vm^2 rhoNS/(32.2 D) with rhoNS = 0.25 x 5 + 0.75 x 50
  // and muNS = 0.25 x 0.015 + 0.75 x 1; elevation from the slip density.
  MechProbe m(0.0, 100.0, 10.0, 30.0);
  m.MultiPhase();
  const double f = m.ff(0.0006, 4.0, kD * 40.0 * 38.75 / 0.75375 / 0.000672);
  EXPECT_NEAR(m.m_dFrictionDP, 2.0 * f * 1600.0 * 38.75 / (32.2 * kD) * 100.0 / 144.0, 1e-12);
  EXPECT_NEAR(m.m_dElevationDP, (45.0 * m.m_dHoldup + 5.0) * 100.0 / 144.0, 1e-12);
}

// Slug on a 0.0997 rad incline; the inclination the flow sees is the slope
// times m_dFlw and m_dDir.
TEST(MechDecision, FrictionFollowsTheFlowSignAndElevationTheDirectionSign) {
  MechProbe m(100.0, 10.0, 3.0, 3.0);
  m.MultiPhase();
  ASSERT_EQ(m.GetCode(), CMechModel::kSlug);
  const double friction = m.m_dFrictionDP, elevation = m.m_dElevationDP, holdup = m.m_dHoldup;
  EXPECT_TRUE(friction > 0.0 && elevation > 0.0);
  m.SetFlw(-1);
  m.SetDir(-1);
  m.MultiPhase();
  ExpectValues({m.m_dHoldup, m.m_dFrictionDP, m.m_dElevationDP}, {holdup, -friction, -elevation});
  // One sign reversed: the flow runs downhill, still slug.
  for (const auto& [flw, dir] : {std::pair{1, -1}, std::pair{-1, 1}}) {
    m.SetFlw(flw);
    m.SetDir(dir);
    m.MultiPhase();
    EXPECT_EQ(m.GetCode(), CMechModel::kSlug);
    EXPECT_GT(m.m_dFrictionDP * flw, 0.0) << flw;
    EXPECT_GT(m.m_dElevationDP * dir, 0.0) << dir;
  }
}

// Spoilt inputs, a liquid lighter than the gas among them: no NaN, and where
// no pattern can be decided none of the holdup and the pressure changes either.
TEST(MechDecision, BadInputNeverLeavesANaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Spoil {
    double CMechModel::*field;
    double value;
    bool undetermined;
  } spoils[] = {{&CMechModel::m_dSigma, nan, true},    {&CMechModel::m_dVsg, inf, true},
                {&CMechModel::m_dRhoG, kNotSet, true}, {&CMechModel::m_dVsl, 0.0, true},
                {&CMechModel::m_dSigma, 0.0, true},    {&CMechModel::m_dRhoL, 3.0, true},
                {&CMechModel::m_dMuL, 0.0, false},     {&CMechModel::m_dVsg, -3.0, false},
                {&CMechModel::m_dMuG, kNotSet, false}, {&CMechModel::m_dVsg, 1e7, false}};
  for (const Spoil& s : spoils) {
    SCOPED_TRACE(s.value);
    MechProbe m(100.0, 10.0, 3.0, 1.0);
    m.*s.field = s.value;
    m.MultiPhase();
    EXPECT_TRUE(NoNaN(m));
    if (s.undetermined) {
      ExpectValues({m.m_dFlowRegime, m.m_dHoldup, m.m_dFrictionDP, m.m_dElevationDP},
                   {666.0, kNotSet, kNotSet, kNotSet});
    }
  }
  // Over patterns and slopes: holdup in [0, 1]; components are numbers, or
  // not set only when froth found no boundary.
  for (const auto& [dx, dz] : {std::pair{0.0, 100.0}, std::pair{100.0, 10.0}, std::pair{100.0, 0.0},
                               std::pair{0.0, -100.0}}) {
    for (double vsl : {0.01, 0.1, 1.0, 10.0, 50.0}) {
      for (double vsg : {0.01, 0.3, 5.0, 20.0, 60.0, 300.0}) {
        MechProbe m(dx, dz, vsg, vsl);
        m.MultiPhase();
        ASSERT_TRUE(NoNaN(m));
        EXPECT_TRUE(m.GetCode() >= 6 && m.GetCode() <= 13);
        EXPECT_TRUE(!IsSet(m.m_dHoldup) || (m.m_dHoldup >= 0.0 && m.m_dHoldup <= 1.0));
        EXPECT_EQ(IsSet(m.m_dFrictionDP), m.m_dStatus != CMechModel::kStatusNoFroth);
      }
    }
  }
}

// Black-oil stream in 2.441 in tubing: 1500 psia, 160 degF, 1 MMscf/d,
// 500 STB/d oil, 100 bbl/d water.
TEST(MechDecision, CalSolvesTwoPhaseSegmentsAndMarksAnOutOfRangePiece) {
  const BlackOilPhases ph = BlackOilFluid{}.MakePhases();
  for (const auto& [dx, dz] :
       {std::pair{1000.0, 0.0}, std::pair{1000.0, 100.0}, std::pair{0.0, 1000.0}}) {
    std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.441, dx, dz, 9));
    e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
    const double p2 = e->Cal(1500.0, 620.0, 0.0, 1.0, 500.0, 100.0);
    ASSERT_TRUE(IsSet(p2)) << dz;
    EXPECT_TRUE(e->GetCode() >= 6 && e->GetCode() <= 13);
    EXPECT_TRUE(e->m_dHoldup > e->m_dLambdaL && e->m_dHoldup < 1.0);  // the liquid slips
    EXPECT_NEAR(p2, 1500.0 + e->m_dFrictionDP + e->m_dElevationDP, 1e-9);
    EXPECT_GT(e->m_dFrictionDP, 0.0);
    // The column weighs between all gas and all liquid.
    EXPECT_GE(e->m_dElevationDP, e->m_dRhoG * dz / 144.0);
    EXPECT_LE(e->m_dElevationDP, e->m_dRhoL * dz / 144.0);
    if (dz == 0.0) {
      EXPECT_EQ(e->m_dElevationDP, 0.0);
      EXPECT_LT(e->Cal(1500.0, 620.0, 0.0, -1.0, -500.0, -100.0), 1500.0);  // reverse flow
    }
  }

  // Gas and water up 1000 ft from 600 psia in two pieces: the gas that comes
  // out of the water as the pressure falls leaves the lower piece below the
  // model's least Vsg of 0.01 ft/s and the upper one above it. The mark of the
  // lower piece stands for the segment; the next Cal starts clean.
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, 9));
  e->SetDir(-1);
  e->SetFlw(-1);
  e->m_dNumSubdiv = 2;
  e->m_bDiag = true;
  e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  ASSERT_NE(e->Cal(600.0, 620.0, 0.0, 0.0022, 0.0, 500.0), kNotSet);
  ASSERT_EQ(e->m_aSubSegments.size(), 2u);
  ASSERT_LT(e->m_aSubSegments[0].m_dVsg, 0.01);
  ASSERT_GT(e->m_aSubSegments[1].m_dVsg, 0.01);
  EXPECT_EQ(e->m_dStatus, CMechModel::kStatusOutOfRange);
  ASSERT_NE(e->Cal(600.0, 620.0, 0.0, 0.01, 0.0, 500.0), kNotSet);
  ASSERT_GT(e->m_aSubSegments[0].m_dVsg, 0.01);
  EXPECT_EQ(e->m_dStatus, 0.0);
}

TEST(MechClosures, GeometryAtAHalfFullPipeAndAQuarterFilm) {
  MechProbe m(100.0, 0.0, 2.0, -1.0);
  m.m_dTheta = 0.0;
  m.GetFlowRegime();
  m.hl_d(0.5);
  // acos(0) = pi/2: A_G = A_L = pi/8, S_i = 1, S_L = pi/2, D_G = (pi/2)/(pi/2 + 1);
  // the gas fills half the area, so Vg = 2 Vsg; the negative Vsl became 0.
  ExpectValues({m.m_dAreaGas, m.m_dAreaLiq, m.m_dPerimInt, m.m_dPerimLiq, m.m_dHydDiamGas, m.m_dVg,
                m.m_dVsl},
               {kPi / 8.0, kPi / 8.0, 1.0, kPi / 2.0, (kPi / 2.0) / (kPi / 2.0 + 1.0), 4.0, 0.0},
               1e-12);

  // d = 0.25: HLF = 4 x 0.25 x 0.75 = 0.75, Dc = D/2, film area 3/4 of the pipe's.
  m.m_dVsl = 0.5;
  m.m_dFEnt = 0.4;
  m.dl_d(0.25);
  ExpectValues(
      {m.m_dVFilm, m.m_dVCore, m.m_dPerimCore, m.m_dAreaFilm},
      {0.6 * 0.5 / 0.75, (0.4 * 0.5 + 2.0) / 0.25, kPi * kD / 2.0, 0.75 * kPi * kD * kD / 4.0},
      1e-13);
}

TEST(MechClosures, EntrainedFractionStaysBelowOneOrIsNotSet) {
  const auto entrained = [](double vsg, double vsl, double sigma) {
    MechProbe m(100.0, 0.0, vsg, vsl);
    m.m_dSigma = sigma;
    return m.FEnt();
  };
  // 100 x 5 x 1/(50 x 400) x 929.0304 = 23.2258; R = 0.735 x 23.2258^0.074 x 10^0.2
  // = 0.735 x 1.262063 x 1.584893 = 1.470170; FE = R/(1 + R) = 0.595170.
  EXPECT_NEAR(entrained(10.0, 1.0, 20.0), 0.5951704, 1e-6);
  EXPECT_LT(entrained(1e4, 1.0, 20.0), 1.0);
  // Without gas nothing is entrained; without liquid (R infinite) or surface
  // tension there is no fraction.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ExpectValues({entrained(0.0, 1.0, 20.0), entrained(10.0, 0.0, 20.0), entrained(10.0, 1.0, nan)},
               {0.0, kNotSet, kNotSet});
}

// Film ratio d = 0.25 (1 - sqrt(1 - EL)) with FE = 0, Vsg = 1, Vsl = 0.01.
TEST(MechClosures, IntermittentFilmFrictionTakesTheDriftFormBelowATenThousandth) {
  MechProbe m(100.0, 0.0, 1.0, 0.01);
  m.m_dFEnt = 0.0;
  m.m_dVm = 1.01;
  m.m_dRhoS = 10.0;
  m.m_dDriftFactor = 0.5;
  auto holdupFor = [](double d) { return 1.0 - (1.0 - 4.0 * d) * (1.0 - 4.0 * d); };
  // Below: 2 x 0.5 x 1.01^2 x 10/(32.174 D) = 0.951171 lbf/ft3 over 100 ft.
  m.m_dHoldup = holdupFor(1e-4 * (1.0 - 1e-6));
  EXPECT_NEAR(m.IntAmPf(), 0.951171 * 100.0 / 144.0, 1e-6);
  // Above, a laminar film: HLF = 3.9996e-4, VF = 25.0025 ft/s, DF = 1.3332e-4 ft,
  // Re = 50 x 25.0025 x 1.3332e-4 x 1488.16 = 248.03, G = 4 (16/Re) 50 VF^2/(2g)/D
  // = 376.014 lbf/ft3: 261.12 psi, of the flow's sign.
  m.m_dHoldup = holdupFor(1e-4 * (1.0 + 1e-6));
  EXPECT_NEAR(m.IntAmPf(), 261.1207, 1e-3);
  m.SetFlw(-1);
  EXPECT_NEAR(m.IntAmPf(), -261.1207, 1e-3);
}

TEST(MechClosures, StratifiedFrictionIsTheShearBalanceMagnitudeWithTheFlowSign) {
  MechProbe m(100.0, -10.0, 1.0, 0.1);
  m.m_dFfLiqWall = m.m_dFfInt1 = 0.01;
  m.m_dVl = 1.0;
  m.m_dVg = 20.0;
  m.m_dPerimLiq = kPi / 2.0;
  m.m_dPerimInt = 1.0;
  m.m_dAreaLiq = kPi / 8.0;
  m.m_dLength = 100.0;
  // tauL = 0.01 x 50/(2g) = 0.0077702, tauI = 0.01 x 5 x 19^2/(2g) = 0.2805060:
  // |tauL (pi/2) D - tauI D|/((pi/8) D^2) = 2.049665 lbf/ft3, the interface outweighing the wall.
  for (int flw : {1, -1}) {
    m.SetFlw(flw);
    m.StratifiedP();
    EXPECT_NEAR(m.m_dFrictionDP, flw * 2.049665 * 100.0 / 144.0, 1e-6);
    EXPECT_NEAR(m.m_dElevationDP, 50.0 * -10.0 / 144.0, 1e-12);  // liquid density
  }
}

// At the equilibrium level the liquid and the gas momentum balances, each
// with its own weight, give one pressure gradient; StratifiedP reports the
// liquid one. Re_SL = D Vsl rhoL/(muL 0.000672) = 24801.6 Vsl for the probe
// fluid: below 2000, in the 2000-4000 band where the two friction-factor
// forms differ, and above 4000; level and 5.7 degrees downhill.
TEST(MechClosures, StratifiedLiquidAndGasBalancesGiveOneGradient) {
  constexpr double g = 32.174;
  struct Case {
    double dz, vsg, vsl;
  } cases[] = {{0.0, 3.0, 0.05},   {0.0, 3.0, 0.12},   {0.0, 1.0, 0.12},    {0.0, 3.0, 0.3},
               {-10.0, 3.0, 0.05}, {-10.0, 3.0, 0.12}, {-10.0, 10.0, 0.12}, {-10.0, 3.0, 1.0}};
  for (const Case& c : cases) {
    MechProbe m(100.0, c.dz, c.vsg, c.vsl);
    m.MultiPhase();
    ASSERT_EQ(m.GetCode(), CMechModel::kStratifiedWavy) << c.dz << " " << c.vsl;
    ASSERT_NEAR(m.m_dResl, 24801.6 * c.vsl, 0.1);
    // Gas balance: wall shear on S_G = (pi - S_L) D, interfacial shear on S_i,
    // both over A_G, plus the gas weight rhoG sin(theta) [lbf/ft3].
    const double dv = m.m_dVg - m.m_dVl;
    const double tauI = m.m_dFfInt * m.m_dRhoG * dv * std::fabs(dv) / (2.0 * g);
    const double dG = m.m_dHydDiamGas * kD;
    const double fG = m.ff2(m.m_dFf, 12.0 * dG, dG * m.m_dVg * m.m_dRhoG / m.m_dMuG / 0.000672);
    const double tauG = fG * m.m_dRhoG * m.m_dVg * m.m_dVg / (2.0 * g);
    const double gas = (tauG * (kPi - m.m_dPerimLiq) + tauI * m.m_dPerimInt) / (m.m_dAreaGas * kD) +
                       m.m_dRhoG * std::sin(m.m_dTheta);
    const double reported = (m.m_dFrictionDP + m.m_dElevationDP) * 144.0 / m.m_dLength;
    EXPECT_NEAR(reported, gas, 1e-4 * std::fabs(gas)) << c.dz << " " << c.vsg << " " << c.vsl;
  }
}

// The example pipeline (30 MMscf/d, 300 STB/d of 55 API condensate, 80 000 ft
// of level 7.981 in line from 1000 psia) marched with the mechanistic model:
// the friction of neighbouring 2000 ft segments of one pattern changes
// smoothly as the pressure falls.
TEST(MechClosures, StratifiedFrictionChangesSmoothlyAlongAWetGasLine) {
  TraverseCase c;
  c.correlation = 9;
  for (double md : {0.0, 40000.0, 80000.0}) c.stations.push_back({md, 0.0, 7.981, 0.0, 0.0018});
  c.max_segment_ft = 2000.0;
  c.temperature.first_F = 100.0;
  c.temperature.last_F = 65.0;
  c.known_end = ProfileEnd::kFirst;
  c.flow_to = ProfileEnd::kLast;
  c.known_pressure_psia = 1000.0;
  c.gas_MMscfd = 30.0;
  c.oil_STBd = 300.0;
  c.fluid.gasGravity = 0.68;
  c.fluid.oilApi = 55.0;
  const TraverseResult r = RunTraverse(c);
  ASSERT_TRUE(r.complete) << r.reason;
  ASSERT_EQ(r.rows.size(), 41u);
  for (std::size_t i = 2; i < r.rows.size(); ++i) {
    const TraverseRow& a = r.rows[i - 1];
    const TraverseRow& b = r.rows[i];
    if (a.regime_code != b.regime_code) continue;
    EXPECT_LE(std::fabs(b.friction_dp_psi / a.friction_dp_psi - 1.0), 0.3)
        << "segments ending at " << a.md_ft << " and " << b.md_ft << " ft";
  }
}

// The model's factors form Chen's powers from logarithms: they must be the
// shared factors to rounding, in every band of Re and in a smooth pipe.
TEST(MechClosures, FrictionFactorsAreTheSharedOnesToRounding) {
  MechProbe m(100.0, 0.0, 1.0, 1.0);
  for (double e : {0.0, 0.0006, 0.02}) {
    for (double re : {0.0, 1500.0, 2000.0, 2500.0, 3999.0, 4000.0, 4001.0, 3e4, 1e6, 1e8}) {
      double f = 0.0, f2 = 0.0, g = 0.0, g2 = 0.0;
      m.FrictionFactors(e, 4.0, re, &f, &f2);
      mech::FanningFactors(e, 4.0, re, &g, &g2);
      EXPECT_NEAR(g, f, 1e-14 * f) << e << " " << re;
      EXPECT_NEAR(g2, f2, 1e-14 * f2) << e << " " << re;
    }
  }
}

// The film residual keeps the terms that do not depend on the thickness for
// the state they were formed in: a model that decided at other inputs first
// must decide as a new one does, for a change of any input.
TEST(MechClosures, AnnularDecisionDoesNotDependOnTheDecisionBefore) {
  using Change = void (*)(MechProbe&);
  const Change changes[] = {
      [](MechProbe& m) { m.m_dVsg *= 1.1; },   [](MechProbe& m) { m.m_dVsl *= 1.1; },
      [](MechProbe& m) { m.m_dRhoL *= 1.1; },  [](MechProbe& m) { m.m_dRhoG *= 1.1; },
      [](MechProbe& m) { m.m_dMuL *= 1.1; },   [](MechProbe& m) { m.m_dMuG *= 1.1; },
      [](MechProbe& m) { m.m_dSigma *= 1.1; }, [](MechProbe& m) { m.SetFf(0.006); }};
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    MechProbe warm(100.0, 0.0, 50.0, 0.1);
    MechProbe fresh(100.0, 0.0, 50.0, 0.1);
    warm.m_dTheta = fresh.m_dTheta = 0.0;
    ASSERT_EQ(warm.GetFlowRegime(), CMechModel::kAnnularMist);
    changes[i](warm);
    changes[i](fresh);
    ASSERT_EQ(warm.GetFlowRegime(), fresh.GetFlowRegime()) << i;
    EXPECT_EQ(warm.m_dHoldup, fresh.m_dHoldup) << i;
    EXPECT_EQ(warm.m_dFfInt1, fresh.m_dFfInt1) << i;
  }
}

// Vertical, Vsl = 10: froth while ELS < 0.48, i.e. 0.3048 Vm/8.66 >
// (1/0.48 - 1)^(1/1.39) = 1.059268, Vm > 30.0962, Vsg > 20.0962; slug below.
TEST(MechClosures, FrothRefinesItsLowerBoundaryAndInterpolatesOnLogLogScales) {
  // V0 = 24: steps of 2 to 22 (froth), 20 (slug); 0.2 up to 20.2; back to 20.
  // The fine step 0.2 is not above 0.2: one pass. The upper search starts at 26.4.
  MechProbe one(0.0, 100.0, 24.0, 10.0);
  test::RecordingSheet first;
  one.SetExcelDiag(&first);
  one.MultiPhase();
  const double expected[] = {24.0, 22.0, 20.0, 20.2, 20.0, 26.4};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(first.column9.at(i), expected[i], 1e-12) << i;

  // V0 = 30: steps of 2.5 to 20, 0.25 up to 20.25, back; fine step 0.25 > 0.2,
  // so a second pass: 0.025 down to 19.975, 0.0025 up to 19.975 + 49 x 0.0025 =
  // 20.0975 (froth), back to 20.095.
  MechProbe m(0.0, 100.0, 30.0, 10.0);
  test::RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.MultiPhase();
  ASSERT_EQ(m.GetCode(), CMechModel::kFroth);
  const std::vector<double>& v = sheet.column9;
  EXPECT_NEAR(v.at(6), 19.975, 1e-12);
  std::size_t up = 1;
  while (v[up] < 30.0) ++up;
  const double vLow = v[up - 1];
  const double vUp = v[v.size() - 2];  // the last decision before V0 comes back
  EXPECT_NEAR(vLow, 20.095, 1e-9);

  MechProbe lo(0.0, 100.0, vLow, 10.0);
  MechProbe hi(0.0, 100.0, vUp, 10.0);
  lo.MultiPhase();
  hi.MultiPhase();
  const double w = std::log10(30.0 / vLow) / std::log10(vUp / vLow);
  auto line = [w](double a, double b) { return a * std::pow(b / a, w); };
  EXPECT_NEAR(m.m_dHoldup, line(lo.m_dHoldup, hi.m_dHoldup), 1e-12);
  EXPECT_NEAR(m.m_dFrictionDP, line(lo.m_dFrictionDP, hi.m_dFrictionDP), 1e-10);
  EXPECT_NEAR(m.m_dElevationDP, line(lo.m_dElevationDP, hi.m_dElevationDP), 1e-10);
  // What the trials moved is back.
  test::ExpectValues({m.m_dVsg, m.m_dFlowRegime, m.m_dReM},
                     {30.0, 13.0, m.REm(40.0, m.m_dRhoNS, m.m_dMuNS, kNotSet)});

  // Level froth: no elevation change (not log10(0)); friction of the flow's sign.
  MechProbe level(100.0, 0.0, 30.0, 10.0);
  level.SetFlw(-1);
  level.MultiPhase();
  ASSERT_EQ(level.GetCode(), CMechModel::kFroth);
  EXPECT_EQ(level.m_dElevationDP, 0.0);
  EXPECT_LT(level.m_dFrictionDP, 0.0);
}

// Equal densities leave the drift velocity without a value (Bo = 0): every
// trial is froth and the downward search reaches Vsg <= 0.
TEST(MechClosures, FailedFrothRestoresVsgAndDoesNotMarkTheNextSegment) {
  MechProbe m(0.0, 100.0, 2.0, 0.1);
  m.m_dRhoG = 50.0;
  m.MultiPhase();
  ExpectValues({m.m_dFlowRegime, m.m_dStatus, m.m_dVsg, m.m_dHoldup, m.m_dFrictionDP,
                m.m_dElevationDP, m.m_dRhoS},
               {13.0, CMechModel::kStatusNoFroth, 2.0, kNotSet, kNotSet, kNotSet, kNotSet});
  m.m_dRhoG = 5.0;
  m.m_dVsg = 24.0;
  m.m_dVsl = 10.0;
  m.MultiPhase();
  EXPECT_EQ(m.m_dStatus, 0.0);
  EXPECT_TRUE(IsUsable(m.m_dFrictionDP) && IsUsable(m.m_dElevationDP));
}

}  // namespace
}  // namespace pdrop
