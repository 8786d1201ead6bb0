// Hagedorn & Brown: Griffith bubble flow, else the holdup charts.
#include <gtest/gtest.h>

#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// 1000 ft vertical, smooth pipe; liquid 50, gas 5 lbm/ft3, gas 0.015 cP,
// 30 dyn/cm, 1000 psia.
std::unique_ptr<CHagedornBrown> Well(double D, double vsg, double vsl, double muL) {
  auto e = std::make_unique<CHagedornBrown>();
  e->Init(0.0, D, 0.0, 1000.0);
  e->SetFf(0.0);
  test::SetProbeFluid(*e, vsg, vsl);
  e->m_dMuL = muL;
  e->m_dP = 1000.0;
  return e;
}

TEST(HagedornBrown, SlowFlowInAWidePipeIsGriffithBubbleFlow) {
  // 6 in, vm = 1: LB = 1.07 - 0.2218 * 1 / 0.5 = 0.6264 > lambdaG = 0.3.
  auto e = Well(6.0, 0.3, 0.7, 2.0);
  e->MultiPhase();
  EXPECT_EQ(e->GetCode(), 6);
  EXPECT_NEAR(e->m_dLB, 0.6264, 1e-12);
  // HL = 1 - (2.25 - sqrt(2.25^2 - 4 * 0.3/0.8)) / 2 = 0.8187293; VL = 0.7/HL
  // = 0.8549834; Re = 0.5 * 1488 * 0.8549834 * 50 / 2 = 15902.69, smooth f =
  // 0.0014 + 0.125 Re^-0.32 = 0.00705509;
  // friction = 2 f rhoL VL^2 / (g d) * L / 144 = 0.2224485 psi
  EXPECT_NEAR(e->m_dHoldup, 0.8187293, 1e-7);
  EXPECT_NEAR(e->m_dReM, 15902.69, 0.01);
  EXPECT_NEAR(e->m_dFrictionDP, 0.2224485, 1e-6);
  EXPECT_NEAR(e->m_dElevationDP, (0.8187293 * 50.0 + 0.1812707 * 5.0) * 1000.0 / 144.0, 1e-4);
}

TEST(HagedornBrown, ChartBranchWorkedCase) {
  // 1 in, vsg 20, vsl 1, 20 cP: LB = 0.13 < lambdaG. G = (50/30)^0.25 =
  // 1.136219; NLV = 2.201993; NGV = 44.03986; ND = 120.872/12 G^2 = 13.00376;
  // NL = 0.157 * 20 / (50 * 30^3)^0.25 = 0.09211836
  auto e = Well(1.0, 20.0, 1.0, 20.0);
  e->MultiPhase();
  EXPECT_EQ(e->GetCode(), 666);  // the chart branch names no regime
  // CNL, row "up to 0.1": 0.0429 NL + 0.0017 = 0.00565188
  EXPECT_NEAR(e->m_dCNL, 0.00565188, 1e-8);
  // X1 = NLV / NGV^0.575 (1000/14.7)^0.1 CNL / ND = 1.655757e-4: row "up to
  // 0.00018", HL/psi = 1333.3 X1 + 0.16 = 0.3807621
  EXPECT_NEAR(e->m_dHoldupPsi, 0.3807621, 1e-7);
  // X2 = NGV NL^0.38 / ND^2.14 = 0.07348356: row "up to 0.09", psi = X2 + 1.72
  EXPECT_NEAR(e->m_dPsi, 1.7934836, 1e-7);
  EXPECT_NEAR(e->m_dHoldup, 0.6828906, 1e-7);
  // rhoS = 35.73008, rhoNS = 150/21 = 7.142857, muS = 20^HL 0.015^(1-HL) =
  // 2.042127, Re = 1488 rhoNS vm d / muS = 9108.15, f = 0.00815915;
  // friction = 2 f (rhoNS^2/rhoS) vm^2 / (g d) L / 144 = 26.59418 psi
  EXPECT_NEAR(e->m_dMuNS, 2.042127, 1e-6);
  EXPECT_NEAR(e->m_dElevationDP, 35.73008 * 1000.0 / 144.0, 1e-4);
  EXPECT_NEAR(e->m_dFrictionDP, 26.59418, 1e-4);
}

TEST(HagedornBrown, BubbleLimitTieChartClampsAndMissingDivisors) {
  // vm = 4 in 6 in: LB = 1.07 - 0.2218*16/0.5 is held at 0.13. lambdaG =
  // 0.52/4 = 0.13 exactly is chart flow; a little less is bubble flow.
  auto tie = Well(6.0, 0.52, 4.0 - 0.52, 2.0);
  tie->MultiPhase();
  test::ExpectValues({tie->m_dLB, tie->m_dLambdaG, double(tie->GetCode())}, {0.13, 0.13, 666.0});
  auto below = Well(6.0, 0.51, 4.0 - 0.52, 2.0);
  below->MultiPhase();
  EXPECT_EQ(below->GetCode(), 6);
  // Chart holdup 0.384886 (psi 1) below lambda 0.4: held at 0.4; below, the
  // same point without the surface tension that the charts divide by.
  auto floor = Well(2.441, 3.0, 2.0, 2.0);
  floor->MultiPhase();
  EXPECT_EQ(floor->m_dHoldup, 0.4);
  // HL/psi 0.819812 times psi 1.81 (X2 = 0.156, beyond the chart): held at 1.
  auto cap = Well(1.0, 30.0, 6.0, 50.0);
  cap->MultiPhase();
  test::ExpectValues({cap->m_dPsi, cap->m_dHoldup}, {1.81, 1.0});
  // X1 below 1e-9: HL/psi = 0, HL = lambdaL.
  auto dry = Well(2.441, 20.0, 1e-6, 2.0);
  dry->MultiPhase();
  test::ExpectValues({dry->m_dHoldupPsi, dry->m_dHoldup}, {0.0, dry->m_dLambdaL});

  // A missing divisor gives no result only where it is used.
  auto still = Well(2.441, 0.0, 0.0, 2.0);  // Vm = 0
  floor->m_dSigma = 0.0;
  for (CHagedornBrown* e : {still.get(), floor.get()}) {
    e->MultiPhase();
    test::ExpectValues({e->m_dFrictionDP, e->m_dElevationDP}, {kNotSet, kNotSet});
  }
  // Bubble flow uses no surface tension; without gas (NGV = 0) it has HL = 1.
  auto bubble = Well(6.0, 0.0, 0.7, 2.0);
  bubble->m_dSigma = 0.0;
  bubble->MultiPhase();
  EXPECT_EQ(bubble->m_dHoldup, 1.0);
  EXPECT_TRUE(IsUsable(bubble->m_dFrictionDP));
}

}  // namespace
}  // namespace pdrop
