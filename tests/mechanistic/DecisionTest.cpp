// The flow-pattern decision: every pattern from plausible inputs, the ties of
// the transition tests, inclination, status, friction signs, bad input and
// whole segments through Cal.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "MechTestSupport.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectValues;
using test::MechProbe;

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
      {0.0, 100.0, 10.0, 30.0, 7, 1.0 - 10.0 / 46.4969}, {100.0, 0.0, 0.1, 0.01, 8, kNotSet},
      {100.0, 0.0, 3.0, 0.1, 9, kNotSet}, {100.0, 0.0, 50.0, 0.1, 10, kNotSet},
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
      EXPECT_NEAR(m.m_dHoldup, m.m_dAreaLiq / (test::kPi / 4.0), 1e-15);
    } else if (c.code == 10) {
      const double core = (1.0 - 2.0 * m.m_dFilmRatio) * (1.0 - 2.0 * m.m_dFilmRatio);
      EXPECT_NEAR(m.m_dHoldup, 1.0 - core * c.vsg / (c.vsl * m.m_dFEnt + c.vsg), 1e-15);
    }
  }
  MechProbe light(100.0, 0.0, 3.0, 1.0);
  light.m_dRhoL = 3.0;  // lighter than the gas
  light.MultiPhase();
  ExpectValues({light.m_dFlowRegime, light.m_dHoldup, light.m_dFrictionDP, light.m_dElevationDP},
               {666.0, kNotSet, kNotSet, kNotSet});
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
    m.m_dTheta = test::kPi / 2.0;
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

// Gas and water up 1000 ft of 2.441 in tubing from 600 psia in two pieces:
// the gas that comes out of the water as the pressure falls leaves the lower
// piece below the model's least Vsg of 0.01 ft/s and the upper one above it.
// The mark of the lower piece stands for the segment; the next Cal starts
// clean.
TEST(MechDecision, OutOfRangeStatusMarksTheWholeCal) {
  const BlackOilPhases ph = BlackOilFluid{}.MakePhases();
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
  const double d = 4.0 / 12.0;
  const double f = m.ff(0.0006, 4.0, d * 40.0 * 38.75 / 0.75375 / 0.000672);
  EXPECT_NEAR(m.m_dFrictionDP, 2.0 * f * 1600.0 * 38.75 / (32.2 * d) * 100.0 / 144.0, 1e-12);
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

TEST(MechDecision, BadInputNeverLeavesANaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Spoil {
    double CMechModel::*field;
    double value;
    bool undetermined;
  } spoils[] = {{&CMechModel::m_dSigma, nan, true},    {&CMechModel::m_dVsg, inf, true},
                {&CMechModel::m_dRhoG, kNotSet, true}, {&CMechModel::m_dVsl, 0.0, true},
                {&CMechModel::m_dSigma, 0.0, true},    {&CMechModel::m_dMuL, 0.0, false},
                {&CMechModel::m_dVsg, -3.0, false},    {&CMechModel::m_dMuG, kNotSet, false},
                {&CMechModel::m_dVsg, 1e7, false}};
  for (const Spoil& s : spoils) {
    MechProbe m(100.0, 10.0, 3.0, 1.0);
    m.*s.field = s.value;
    m.MultiPhase();
    EXPECT_TRUE(NoNaN(m)) << s.value;
    if (s.undetermined) {
      EXPECT_EQ(m.m_dFlowRegime, 666.0) << s.value;
      EXPECT_EQ(m.m_dHoldup, kNotSet) << s.value;
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
TEST(MechDecision, CalSolvesLevelUphillAndVerticalTwoPhaseSegments) {
  const BlackOilPhases ph = BlackOilFluid{}.MakePhases();
  for (const auto& [dx, dz] :
       {std::pair{1000.0, 0.0}, std::pair{1000.0, 100.0}, std::pair{0.0, 1000.0}}) {
    std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.441, dx, dz, 9));
    ASSERT_TRUE(e->IsKindOf(PDROP_RUNTIME_CLASS(CMechModel)));
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
}

}  // namespace
}  // namespace pdrop
