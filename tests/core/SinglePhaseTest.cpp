// Static columns and single-phase gas and liquid flow of the base engine.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// 2.441 in tubing, 1000 ft vertical, at 1000 psia and 600 degR.
class SinglePhaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    e.reset(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, 0));
    e->SetProps(&gas, &oil, &water);
    e->m_dP = 1000.0;
    e->m_dT = 600.0;
  }
  // Smooth pipe, 2 MMscf/d of 0.65 gas at 3 lbm/ft3 and 10 ft/s.
  void SetGasFlow() {
    e->m_dFf = 0.0;
    e->m_dQg = 2.0e6;
    e->m_dMuG = 0.012;
    e->m_dRhoG = 3.0;
    e->m_dVsg = 10.0;
  }
  // 100 cP liquid of 62.4 lbm/ft3 at 1 ft/s: laminar.
  void SetLiquidFlow() {
    e->m_dRhoL = 62.4;
    e->m_dMuL = 100.0;
    e->m_dVsl = 1.0;
  }
  test::TestGas gas;
  test::TestLiquid oil = test::MakeOil();
  test::TestLiquid water = test::MakeWater();
  std::unique_ptr<CPressDrop> e;
};

TEST_F(SinglePhaseTest, StaticColumnsGiveHydrostaticChangeOnly) {
  e->m_dRhoG = 5.0;
  e->StaticGas();
  EXPECT_NEAR(e->m_dElevationDP, 34.72, 0.005);  // 5 x 1000 / 144 = 34.722
  EXPECT_EQ(e->m_dFrictionDP, 0.0);
  EXPECT_EQ(e->m_dHoldup, 0.0);
  EXPECT_EQ(e->m_dLambdaG, 1.0);
  EXPECT_EQ(e->m_dLambdaL, 0.0);
  EXPECT_EQ(e->m_dFlowRegime, 0.0);
  e->m_dRhoO = 50.0;
  e->StaticOil();
  EXPECT_NEAR(e->m_dElevationDP, 347.222, 1e-3);  // 50 x 1000 / 144
  EXPECT_EQ(e->m_dHoldup, 1.0);
  EXPECT_EQ(e->m_dLambdaG, 0.0);
  EXPECT_EQ(e->m_dLambdaL, 1.0);
  e->m_dRhoL = 56.0;
  e->StaticLiquid();
  EXPECT_NEAR(e->m_dElevationDP, 388.889, 1e-3);
  EXPECT_EQ(e->m_dFrictionDP, 0.0);
  // A column of unknown density has no elevation change.
  e->m_dRhoG = e->m_dRhoW = kNotSet;
  e->StaticGas();
  EXPECT_EQ(e->m_dElevationDP, kNotSet);
  e->StaticWater();
  EXPECT_EQ(e->m_dElevationDP, kNotSet);
}

TEST_F(SinglePhaseTest, GradientTypeChoosesThePhaseAndAnyOtherValueMeansGas) {
  // Gas: 2.69881 x 1000 x 0.65 / (1 x 600) = 2.92371 lbm/ft3 -> 20.3035 psi
  for (int type : {0, 7, -1}) {
    e->m_dElevationDP = 0.0;
    e->SetGradientType(type);
    e->StaticGradient();
    EXPECT_NEAR(e->m_dElevationDP, 20.3035, 1e-4) << type;
    EXPECT_EQ(e->m_dHoldup, 0.0) << type;
  }
  // Live oil with 400 scf/STB of 0.65 gas dissolved:
  // (62.3 x 0.85 + 0.0136 x 0.65 x 400) / 1.2 = 47.0758 lbm/ft3 -> 326.916 psi
  e->SetGradientType(1);
  e->StaticGradient();
  EXPECT_NEAR(e->m_dElevationDP, 326.916, 1e-3);
  EXPECT_EQ(e->m_dHoldup, 1.0);
  // Water: 62.3 lbm/ft3 -> 432.639 psi
  e->SetGradientType(2);
  e->StaticGradient();
  EXPECT_NEAR(e->m_dElevationDP, 432.639, 1e-3);
  EXPECT_EQ(e->m_dFlowRegime, 0.0);
}

TEST_F(SinglePhaseTest, GasFlowFrictionByHand) {
  SetGasFlow();
  e->CPressDrop::GasFlow();
  // Re = 0.020011 x 0.65 x 2e6 / 0.012 / 2.441 = 888102.6
  // f = 0.0014 + 0.125 x Re^-0.32 = 0.0029610
  // dp = 2 x 0.002961 x 3 x 10^2 x 1000 / 0.2034167 / 144 / 32.2 = 1.88358 psi
  EXPECT_NEAR(e->m_dReM, 888102.6, 0.5);
  EXPECT_NEAR(e->m_dFm, 0.0029610, 1e-7);
  EXPECT_NEAR(e->m_dFrictionDP, 1.88358, 1e-4);
  EXPECT_NEAR(e->m_dElevationDP, 20.8333, 1e-4);  // 3 x 1000 / 144
  EXPECT_EQ(e->m_dFlowRegime, 1.0);
  EXPECT_EQ(e->m_dRhoS, 3.0);
  EXPECT_EQ(e->m_dVm, 10.0);
  EXPECT_EQ(e->m_dLiquidVolume, 0.0);
  // Without a gas velocity there is no friction.
  e->m_dVsg = kNotSet;
  e->GasFlow();
  EXPECT_GT(e->m_dReM, 0.0);
  EXPECT_EQ(e->m_dFrictionDP, 0.0);
}

TEST_F(SinglePhaseTest, LaminarLiquidFrictionMatchesHagenPoiseuille) {
  SetLiquidFlow();
  e->CPressDrop::LiquidFlow();
  // Re = 0.2034167 x 1 x 62.4 / 100 / 0.000672 = 188.887, f = 16/Re.
  // Hagen-Poiseuille, dp = 32 mu v L / (D^2 gc), mu = 100 x 0.000672 lbm/(ft s):
  //   32 x 0.0672 x 1 x 1000 / (0.2034167^2 x 32.2) / 144 = 11.2080 psi
  EXPECT_NEAR(e->m_dReM, 188.887, 1e-3);
  EXPECT_NEAR(e->m_dFrictionDP, 11.2080, 1e-4);
  EXPECT_NEAR(e->m_dElevationDP, 433.333, 1e-3);  // 62.4 x 1000 / 144
  EXPECT_EQ(e->m_dFlowRegime, 1.0);
  EXPECT_EQ(e->m_dRhoNS, 62.4);
  EXPECT_EQ(e->m_dVm, 1.0);
}

TEST_F(SinglePhaseTest, FlowSignTurnsFrictionAndDirectionSignTurnsElevationOnly) {
  for (bool gasCase : {true, false}) {
    auto run = [&](int flw, int dir) {
      gasCase ? SetGasFlow() : SetLiquidFlow();
      e->SetFlw(flw);
      e->SetDir(dir);
      gasCase ? e->GasFlow() : e->LiquidFlow();
      return std::make_pair(e->m_dFrictionDP, e->m_dElevationDP);
    };
    const auto base = run(1, 1);
    ASSERT_GT(base.first, 0.0);
    ASSERT_GT(base.second, 0.0);
    const auto flw = run(-1, 1);
    EXPECT_DOUBLE_EQ(flw.first, -base.first);
    EXPECT_DOUBLE_EQ(flw.second, base.second);
    const auto dir = run(1, -1);
    EXPECT_DOUBLE_EQ(dir.first, base.first);
    EXPECT_DOUBLE_EQ(dir.second, -base.second);
  }
}

}  // namespace
}  // namespace pdrop
