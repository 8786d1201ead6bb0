// Phase properties at segment conditions in black-oil and equation-of-state
// mode: densities, rates, superficial velocities, free gas and water, liquid
// mixing, mass fractions and the phase switch.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectNear;

// Superficial velocity [ft/s] of a daily volume [ft3/d] through 2.441 in
// tubing (0.0324985 ft2).
double PerDay(double ft3PerDay) { return ft3PerDay / 0.0324985 / 86400.0; }

// 1000 psia and 600 degR in 2.441 in tubing, 1000 ft vertical: 0.65 gas with
// z 0.9, a 0.85 oil with Bo 1.2 and 400 scf/STB, water with Bw 1.
class PhasePropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gas.z = 0.9;
    e.reset(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, 0));
    e->SetProps(&gas, &oil, &water);
    e->m_dP = 1000.0;
    e->m_dT = 600.0;
  }
  void Rates(double qg, double qo, double qw) {
    e->m_dQg = qg;
    e->m_dQo = qo;
    e->m_dQw = qw;
  }
  test::TestGas gas;
  test::TestLiquid oil = test::MakeOil();
  test::TestLiquid water = test::MakeWater();
  std::unique_ptr<CPressDrop> e;
};

TEST_F(PhasePropertiesTest, BlackOilGasPropertiesAbsentGasAndThePressureCap) {
  gas.yield = 10.0;
  e->m_dQgFree = 1.0e6;
  e->GasProp();
  // rhoG = 2.69881 x 1000 x 0.65 / (0.9 x 600); Bg = 14.65 x 600 x 0.9 /
  // (519.668 x 1000) ft3/scf; 1 MMscf/d x 10 bbl/MMscf carried.
  ExpectNear({{e->m_dZ, 0.9},
              {e->m_dMuG, 0.012}, {e->m_dRhoG, 3.24857, 1e-5}, {e->m_dBg, 0.0152232, 1e-7},
              {e->m_dVsg, PerDay(1.0e6 * 0.0152232), 1e-5}, {e->m_dQlInGas, 10.0, 1e-12}});
  for (double gravity : {0.0, kNotSet}) {
    gas.gravity = gravity;
    e->GasProp();
    for (double v :
         {e->m_dZ, e->m_dMuG, e->m_dRhoG, e->m_dBg, e->m_dGasLiquidYield, e->m_dVsg, e->m_dQlInGas})
      EXPECT_EQ(v, kNotSet) << gravity;
    EXPECT_EQ(e->m_dQgFree, 1.0e6);
  }
  // Liquids are evaluated at most at 20000 psia, the gas is not.
  gas.gravity = 0.65;
  e->m_dP = 25000.0;
  e->m_dQgFree = 0.0;
  e->GasProp();
  e->LiquidProp();
  ExpectNear({{oil.lastPressure, 20000.0},
              {water.lastPressure, 20000.0},
              {e->m_dBg, 6.08927e-4, 1e-9},  // 14.65 x 600 x 0.9 / (519.668 x 25000)
              {e->m_dRhoG, 3.24857 * 25.0, 1e-3}});
}

TEST_F(PhasePropertiesTest, BlackOilOilAndWaterDensityAndVelocity) {
  Rates(0.0, 1000.0, 500.0);
  e->OilProp();
  e->WtrProp();
  // Stock-tank oil and its dissolved gas: (62.3 x 0.85 + 0.0136 x 0.65 x 400) / 1.2
  ExpectNear({{e->m_dRhoO, 47.07583, 1e-5},
              {e->m_dRso, 0.0004}, {e->m_dVso, PerDay(1000.0 * 1.2 * 5.6145835), 1e-5},
              {e->m_dRhoW, 62.3, 1e-12}, {e->m_dVsw, PerDay(500.0 * 5.6145835), 1e-5}});
  // A missing or non-positive Bo gives no density and counts as 0 in the velocity.
  for (double bo : {0.0, -1.2, kNotSet}) {
    oil.fvf = bo;
    e->OilProp();
    EXPECT_EQ(e->m_dRhoO, kNotSet) << bo;
  }
  EXPECT_EQ(e->m_dVso, 0.0);
  // Absent oil: its fields are not set, but its surface tension is kept.
  e->m_dSigmaO = 7.0;
  oil.gravity = 0.0;
  e->OilProp();
  for (double v : {e->m_dMuO, e->m_dBo, e->m_dRso, e->m_dRhoO, e->m_dVso}) EXPECT_EQ(v, kNotSet);
  EXPECT_EQ(e->m_dSigmaO, 7.0);
}

TEST_F(PhasePropertiesTest, BlackOilLiquidMixesByInSituVolumeAfterFreeGasSplit) {
  Rates(1.0e6, 1000.0, 500.0);
  e->GasProp();
  e->LiquidProp();
  // Dissolved: 0.0004 MMscf/STB x 1000 STB/d = 0.4 MMscf/d; free 600000 scf/d.
  // In situ: 1000 x 1.2 + 500 x 1 = 1700 res bbl/d; fo = 12/17, fw = 5/17.
  // Surface tension by stock-tank rates: (1000 x 25 + 500 x 60) / 1500.
  ExpectNear({{e->m_dQgDissolved, 0.4, 1e-12},
              {e->m_dQgFree, 6.0e5, 1e-6}, {e->m_dVsg, PerDay(6.0e5 * 0.0152232), 1e-5},
              {e->m_dQwFree, 500.0}, {e->m_dQlInSitu, 1700.0, 1e-9},
              {e->m_dRhoL, 51.55353, 1e-5},  // 47.07583 x 12/17 + 62.3 x 5/17
              {e->m_dMuL, 1.705882, 1e-6},   // 2 x 12/17 + 1 x 5/17
              {e->m_dVsl, PerDay(1700.0 * 5.6145835), 1e-5}, {e->m_dSigma, 36.66667, 1e-5}});
  // Free gas below 0.5 scf/d, or dissolved gas above the total, is none.
  for (double qg : {400000.4, 100000.0, 400000.6}) {
    e->m_dQg = qg;
    e->LiquidProp();
    EXPECT_NEAR(e->m_dQgFree, qg > 400000.5 ? 0.6 : 0.0, 1e-6) << qg;
    EXPECT_TRUE(qg > 400000.5 || e->m_dVsg == 0.0) << qg;
  }
}

TEST_F(PhasePropertiesTest, BlackOilWaterCarriedByTheGasIsTakenFromTheWaterRate) {
  gas.yield = 10.0;  // bbl/MMscf
  Rates(1.0e6, 0.0, 50.0);
  e->GasProp();
  e->LiquidProp();
  ExpectNear({{e->m_dQlInGas, 10.0, 1e-12},
              {e->m_dQwFree, 40.0, 1e-12}, {e->m_dVsw, PerDay(40.0 * 5.6145835), 1e-7},
              {e->m_dSigma, 60.0, 1e-12}});
  // Less water than the gas carries: none is free, and there is no liquid,
  // but black-oil mode never switches phases.
  e->m_dQw = 5.0;
  e->m_bGas = false;
  e->m_bLiquid = true;
  e->LiquidProp();
  EXPECT_EQ(e->m_dQwFree, 0.0);
  for (double v : {e->m_dRhoL, e->m_dMuL, e->m_dVsl, e->m_dSigma}) EXPECT_EQ(v, kNotSet);
  EXPECT_FALSE(e->m_bGas);
  EXPECT_EQ(e->m_dFlowRegime, 666.0);
  // Without free gas a trickle of water stays free, and so does all of it
  // when the gas carries none.
  Rates(0.0, 0.0, 0.0005);
  e->LiquidProp();
  EXPECT_EQ(e->m_dQwFree, 0.0005);
  e->m_bWaterInGas = false;
  Rates(1.0e6, 0.0, 50.0);
  e->LiquidProp();
  EXPECT_EQ(e->m_dQwFree, 50.0);
}

// Equation-of-state mode: 2 lbm/s of gas (1.5 MMscf/d), 10 lbm/s of oil at
// 50 lbm/ft3 (0.2 ft3/s, 1000 STB/d), 12.48 lbm/s of water at 62.4 lbm/ft3
// (0.2 ft3/s, 800 bbl/d).
class EosTest : public PhasePropertiesTest {
 protected:
  void SetUp() override {
    PhasePropertiesTest::SetUp();
    gas.massFlow = 2.0;
    gas.stdVolFlow = 1.5;
    for (auto [liquid, rho, mass, bbl] :
         {std::tuple{&oil, 50.0, 10.0, 1000.0}, std::tuple{&water, 62.4, 12.48, 800.0}}) {
      liquid->density = rho;
      liquid->massFlow = mass;
      liquid->volFlow = 0.2;
      liquid->liqVolFlow = bbl;
    }
    fluid.gas = &gas;
    fluid.oil = &oil;
    fluid.water = &water;
    e->SetProps(&fluid);
  }
  test::TestEOS fluid;
};

TEST_F(EosTest, RatesVelocitiesMixingAndMassFractionsComeFromTheStreams) {
  e->m_dP = 25000.0;  // no pressure cap in this mode
  e->GasProp();
  e->LiquidProp();
  ExpectNear({{oil.lastPressure, 25000.0},
              {e->m_dQgFree, 1.5e6}, {e->m_dQg, 1.5e6},
              {e->m_dVsg, 2.0 / (e->m_dRhoG * 0.0324985), 1e-4}, {e->m_dQo, 1000.0},
              {e->m_dQw, 800.0}, {e->m_dQwFree, 800.0},
              {e->m_dVso, 10.0 / (50.0 * 0.0324985), 1e-4},  // 6.1541 ft/s
              {e->m_dQlInSitu, 0.4, 1e-12},
              {e->m_dRhoL, 56.2, 1e-9},  // equal volumes of 50 and 62.4
              {e->m_dMuL, 1.5, 1e-12}, {e->m_dVsl, 0.4 / 0.0324985, 1e-4},
              {e->m_dSigma, 40.55556, 1e-5},  // (1000 x 25 + 800 x 60) / 1800
              {e->m_dGLMassRatio, 2.0 / 22.48, 1e-12}, {e->m_dXg, 2.0 / 24.48, 1e-12},
              {e->m_dXo, 10.0 / 24.48, 1e-12}, {e->m_dXg + e->m_dXo + e->m_dXw, 1.0, 1e-12},
              {e->m_dLGR, 0.4 / 1.5, 1e-12}});
}

TEST_F(EosTest, GasWithoutMassRateSwitchesTheSegmentToLiquidFlowOnce) {
  gas.massFlow = kNotSet;
  e->m_bGas = true;
  e->GasProp();
  // The liquid properties and the liquid flow routine have run: 56.2 x 1000 / 144.
  ExpectNear({{e->m_dVsg, kNotSet},
              {e->m_dQg, 0.0}, {e->m_dQgFree, 0.0}, {e->m_dRhoL, 56.2, 1e-9},
              {e->m_dFlowRegime, 1.0}, {e->m_dElevationDP, 390.2778, 1e-4}});
  EXPECT_FALSE(e->m_bGas || e->m_bInPhaseSwitch);
  EXPECT_TRUE(e->m_bLiquid && e->m_bOil && e->m_bWater);
  // Inside a switch already, no flow routine runs again.
  e->m_dFlowRegime = 666.0;
  e->m_bInPhaseSwitch = true;
  e->GasProp();
  EXPECT_EQ(e->m_dFlowRegime, 666.0);
}

TEST_F(EosTest, LiquidWithoutMassRateSwitchesTheSegmentToGasFlow) {
  oil.massFlow = 0.0;
  water.massFlow = kNotSet;
  e->LiquidProp();
  for (double v :
       {e->m_dRhoL, e->m_dMuL, e->m_dVsl, e->m_dSigma, e->m_dVso, e->m_dVsw, e->m_dGLMassRatio})
    EXPECT_EQ(v, kNotSet);
  EXPECT_TRUE(e->m_bGas);
  EXPECT_FALSE(e->m_bLiquid || e->m_bOil || e->m_bWater || e->m_bInPhaseSwitch);
  // Gas properties and gas flow have run.
  ExpectNear({{e->m_dQo, 0.0},
              {e->m_dQw, 0.0}, {e->m_dQg, 1.5e6}, {e->m_dFlowRegime, 1.0}, {e->m_dXg, 1.0},
              {e->m_dXo, 0.0}});
  EXPECT_GT(e->m_dFrictionDP, 0.0);
}

TEST_F(EosTest, MissingOilOrMassRatesInTheStreams) {
  // No oil object: the liquid is the water alone.
  fluid.oil = nullptr;
  e->SetProps(&fluid);
  e->GasProp();
  e->LiquidProp();
  ExpectNear({{e->m_dRhoO, kNotSet},
              {e->m_dRhoL, 62.4, 1e-12}, {e->m_dQlInSitu, 0.2, 1e-12}, {e->m_dSigma, 60.0, 1e-12},
              {e->m_dXo, 0.0}, {e->m_dXw, 12.48 / 14.48, 1e-12}});
  // No mass at all: no fractions and no ratio.
  gas.massFlow = water.massFlow = 0.0;
  e->GasProp();
  e->LiquidProp();
  for (double v : {e->m_dGLMassRatio, e->m_dXg, e->m_dXo, e->m_dXw}) EXPECT_EQ(v, kNotSet);
  EXPECT_FALSE(e->m_bInPhaseSwitch);
}

}  // namespace
}  // namespace pdrop
