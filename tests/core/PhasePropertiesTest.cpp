// One segment's own calculations: phase properties at segment conditions in
// black-oil and equation-of-state mode (densities, rates, superficial
// velocities, free gas and water, liquid mixing, mass fractions and the phase
// switch); hydraulic functions (Reynolds numbers, the Fanning friction factor,
// gas velocity, in-situ velocities from a holdup, the liquid surface
// tension); static columns and single-phase gas and liquid flow.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectNear;
using test::ExpectValues;

// Superficial velocity [ft/s] of a daily volume [ft3/d] through 2.441 in
// tubing (0.0324985 ft2).
double PerDay(double ft3PerDay) { return ft3PerDay / 0.0324985 / 86400.0; }

// 1000 psia and 600 degR in 2.441 in tubing (area 0.0324985 ft2, hydraulic
// diameter 0.2034167 ft), 1000 ft vertical: 0.65 gas with z 0.9, a 0.85 oil
// with Bo 1.2 and 400 scf/STB, water with Bw 1.
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

TEST_F(PhasePropertiesTest, BlackOilGasPropertiesAbsentGasAndThePressureCap) {
  gas.yield = 10.0;
  e->m_dQgFree = 1.0e6;
  e->GasProp();
  // rhoG = 2.69881 x 1000 x 0.65 / (0.9 x 600); Bg = 14.65 x 600 x 0.9 /
  // (519.668 x 1000) ft3/scf; 1 MMscf/d x 10 bbl/MMscf carried.
  ExpectNear({{e->m_dZ, 0.9},
              {e->m_dMuG, 0.012},
              {e->m_dRhoG, 3.24857, 1e-5},
              {e->m_dBg, 0.0152232, 1e-7},
              {e->m_dVsg, PerDay(1.0e6 * 0.0152232), 1e-5},
              {e->m_dQlInGas, 10.0, 1e-12}});
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
              {e->m_dRso, 0.0004},
              {e->m_dVso, PerDay(1000.0 * 1.2 * 5.6145835), 1e-5},
              {e->m_dRhoW, 62.3, 1e-12},
              {e->m_dVsw, PerDay(500.0 * 5.6145835), 1e-5}});
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
              {e->m_dQgFree, 6.0e5, 1e-6},
              {e->m_dVsg, PerDay(6.0e5 * 0.0152232), 1e-5},
              {e->m_dQwFree, 500.0},
              {e->m_dQlInSitu, 1700.0, 1e-9},
              {e->m_dRhoL, 51.55353, 1e-5},  // 47.07583 x 12/17 + 62.3 x 5/17
              {e->m_dMuL, 1.705882, 1e-6},   // 2 x 12/17 + 1 x 5/17
              {e->m_dVsl, PerDay(1700.0 * 5.6145835), 1e-5},
              {e->m_dSigma, 36.66667, 1e-5}});
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
              {e->m_dQwFree, 40.0, 1e-12},
              {e->m_dVsw, PerDay(40.0 * 5.6145835), 1e-7},
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
    e->SetProps(&fluid);
  }
  test::TestEOS fluid{&gas, &oil, &water};
};

TEST_F(EosTest, RatesVelocitiesMixingAndMassFractionsComeFromTheStreams) {
  e->m_dP = 25000.0;  // no pressure cap in this mode
  e->GasProp();
  e->LiquidProp();
  ExpectNear({{oil.lastPressure, 25000.0},
              {e->m_dQgFree, 1.5e6},
              {e->m_dQg, 1.5e6},
              {e->m_dVsg, 2.0 / (e->m_dRhoG * 0.0324985), 1e-4},
              {e->m_dQo, 1000.0},
              {e->m_dQw, 800.0},
              {e->m_dQwFree, 800.0},
              {e->m_dVso, 10.0 / (50.0 * 0.0324985), 1e-4},  // 6.1541 ft/s
              {e->m_dQlInSitu, 0.4, 1e-12},
              {e->m_dRhoL, 56.2, 1e-9},  // equal volumes of 50 and 62.4
              {e->m_dMuL, 1.5, 1e-12},
              {e->m_dVsl, 0.4 / 0.0324985, 1e-4},
              {e->m_dSigma, 40.55556, 1e-5},  // (1000 x 25 + 800 x 60) / 1800
              {e->m_dGLMassRatio, 2.0 / 22.48, 1e-12},
              {e->m_dXg, 2.0 / 24.48, 1e-12},
              {e->m_dXo, 10.0 / 24.48, 1e-12},
              {e->m_dXg + e->m_dXo + e->m_dXw, 1.0, 1e-12},
              {e->m_dLGR, 0.4 / 1.5, 1e-12}});
}

TEST_F(EosTest, GasWithoutMassRateSwitchesTheSegmentToLiquidFlowOnce) {
  gas.massFlow = kNotSet;
  e->m_bGas = true;
  e->GasProp();
  // The liquid properties and the liquid flow routine have run: 56.2 x 1000 / 144.
  ExpectNear({{e->m_dVsg, kNotSet},
              {e->m_dQg, 0.0},
              {e->m_dQgFree, 0.0},
              {e->m_dRhoL, 56.2, 1e-9},
              {e->m_dFlowRegime, 1.0},
              {e->m_dElevationDP, 390.2778, 1e-4}});
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
              {e->m_dQw, 0.0},
              {e->m_dQg, 1.5e6},
              {e->m_dFlowRegime, 1.0},
              {e->m_dXg, 1.0},
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
              {e->m_dRhoL, 62.4, 1e-12},
              {e->m_dQlInSitu, 0.2, 1e-12},
              {e->m_dSigma, 60.0, 1e-12},
              {e->m_dXo, 0.0},
              {e->m_dXw, 12.48 / 14.48, 1e-12}});
  // No mass at all: no fractions and no ratio.
  gas.massFlow = water.massFlow = 0.0;
  e->GasProp();
  e->LiquidProp();
  for (double v : {e->m_dGLMassRatio, e->m_dXg, e->m_dXo, e->m_dXw}) EXPECT_EQ(v, kNotSet);
  EXPECT_FALSE(e->m_bInPhaseSwitch);
}

TEST_F(PhasePropertiesTest, ReynoldsNumbersAndTheirEdgeCases) {
  e->m_dMuG = 0.012;
  // 0.020011 x 0.65 x 1e6 / 0.012 / 2.441 = 444051.3
  EXPECT_NEAR(e->REg(1.0e6), 444051.3, 0.5);
  ExpectValues({e->REg(0.0), e->REg(kNotSet)}, {0.0, 0.0});
  // Gas viscosity not set, negative but not the sentinel, zero.
  for (auto [mu, re] : {std::pair{kNotSet, 0.0}, {-0.5, 1.0e8}, {0.0, 0.0}}) {
    e->m_dMuG = mu;
    EXPECT_EQ(e->REg(1.0e6), re) << mu;
  }
  // Liquid: 0.2034167 x 3 x 62.4 / 1 / 0.000672 = 56666.07.
  e->m_dRhoL = 62.4;
  e->m_dMuL = 1.0;
  ExpectNear({{e->REl(3.0, kNotSet), 56666.07, 0.01},
              {e->REl(kNotSet, kNotSet), 0.0},
              {e->REl(3.0, 0.5), 0.5 * 3.0 * 62.4 / 0.000672, 1e-6},
              {e->REm(3.0, 31.2, 2.0, kNotSet), 56666.07 / 4.0, 0.01},
              {e->REm(kNotSet, 62.4, 1.0, 0.2), 0.0}});
  // In an annulus of 2.375 in in 6.276 in the gas number has the same
  // numerator over 8.651 in; without a gas object it is 0.
  e->Init(2.375, 6.276, 0.0, 500.0);
  e->m_dMuG = 0.012;
  EXPECT_NEAR(e->REg(1.0e6), 125295.2, 0.5);
  e->SetProps(nullptr, nullptr, nullptr);
  EXPECT_EQ(e->REg(1.0e6), 0.0);
}

TEST_F(PhasePropertiesTest, FrictionFactorsAcrossTheLaminarTurbulentBandAndChen) {
  // Smooth: 16/Re to 2000; at 3000 the mean of 16/3000 and 0.0014 + 0.125 x
  // 3000^-0.32 = 0.011043, 0.008188; at 4000 the laminar weight is zero:
  // 0.010195. The second factor takes the larger in the band.
  ExpectNear({{e->ff(0.0, 2.441, 0.0), 0.0},
              {e->ff(0.0, 2.441, 1000.0), 0.016, 1e-12},
              {e->ff(0.0, 2.441, 2000.0), 0.008, 1e-12},
              {e->ff(0.0, 2.441, 3000.0), 0.008188, 1e-6},
              {e->ff(0.0, 2.441, 4000.0), 0.010195, 1e-6},
              {e->ff2(0.0, 2.441, 0.0), 0.0},
              {e->ff2(0.0, 2.441, 1000.0), 0.016, 1e-12},
              {e->ff2(0.0, 2.441, 2000.0), 0.008, 1e-12},
              {e->ff2(0.0, 2.441, 3000.0), 0.011043, 1e-6}});
  for (double e0 : {0.0, 0.0006}) {  // continuous at both ends of the band
    EXPECT_NEAR(e->ff(e0, 2.441, 2000.001), 0.008, 1e-8);
    EXPECT_NEAR(e->ff(e0, 2.441, 3999.999), e->ff(e0, 2.441, 4000.001), 1e-8);
  }
  // Chen (1979), Fanning form, e/D = 0.0006/2.441 = 2.45801e-4, Re = 1e5:
  //   A = (e/D)^1.1098 / 2.8257 + 5.8506 / Re^0.8981 = 2.24029e-4
  //   1/sqrt(f) = -4 log10((e/D)/3.7065 - 5.0452/Re log10 A) = -4 log10(2.50451e-4) = 14.40511
  //   f = 1/14.40511^2 = 0.0048191
  // Colebrook, 1/sqrt(f) = -4 log10(r/3.7 + 1.2613/(Re sqrt f)), iterated,
  // gives 0.0048092; Chen's explicit form stays within 0.5 % of it.
  const double f = e->ff(0.0006, 2.441, 1.0e5);
  EXPECT_NEAR(f, 0.0048191, 2e-7);
  EXPECT_NEAR(f / 0.0048092, 1.0, 0.005);
  EXPECT_DOUBLE_EQ(e->ff2(0.0006, 2.441, 1.0e5), f);
}

TEST_F(PhasePropertiesTest, GasVelocityHoldupVelocitiesAndSurfaceTension) {
  // Bg = 14.65 x 600 x 0.9 / (520 x 1000) / 86400 = 1.760817e-7;
  // 1 MMscf/d: 1e6 x 1.760817e-7 / 0.0324985 = 5.41815 ft/s
  ExpectValues({e->Vg(1000.0, 600.0, 1.0), e->Vg(2000.0, 600.0, 1.0)}, {5.41815, 5.41815 / 2},
               1e-5);
  // Holdup 0.25: 0.25 x 1000 ft x 0.0324985 ft2 / 5.6145835 ft3/bbl = 1.447056 bbl,
  // Vg = 3 / 0.75, Vl = 1 / 0.25. A velocity not set is copied as it stands
  // without slip, and 0 with it; without a holdup nothing is touched.
  struct Row {
    double holdup, vsg, vg, vl;
  } rows[] = {{0.25, 3.0, 4.0, 4.0},
              {1.0, kNotSet, kNotSet, 1.0},
              {0.0, 7.0, 7.0, 0.0},
              {0.5, kNotSet, 0.0, 2.0},
              {kNotSet, 3.0, 123.0, 123.0}};
  for (const Row& r : rows) {
    e->m_dVsl = 1.0;
    e->m_dVsg = r.vsg;
    e->m_dHoldup = r.holdup;
    e->m_dVg = e->m_dVl = e->m_dLiquidVolume = 123.0;
    e->HoldupAndVelocity();
    ExpectValues({e->m_dVg, e->m_dVl}, {r.vg, r.vl}, 1e-12, "holdup row");
  }
  EXPECT_EQ(e->m_dLiquidVolume, 123.0);
  e->m_dHoldup = 0.25;
  e->HoldupAndVelocity();
  EXPECT_NEAR(e->m_dLiquidVolume, 1.447056, 1e-6);
  // Surface tension weighted by oil and free-water rates: (100 x 25 + 300 x 60) / 400.
  struct Tension {
    double qo, qw, sigmaW, sigma;
  } tensions[] = {{100.0, 300.0, 60.0, 51.25},
                  {100.0, 300.0, kNotSet, 6.25},
                  {100.0, kNotSet, kNotSet, 25.0},
                  {0.0, 0.0, 60.0, 0.0}};
  e->m_dSigmaO = 25.0;
  for (const Tension& t : tensions) {
    e->m_dQo = t.qo;
    e->m_dQwFree = t.qw;
    e->m_dSigmaW = t.sigmaW;
    EXPECT_NEAR(e->Stl(), t.sigma, 1e-12) << t.qw << " " << t.sigmaW;
  }
}

// Static columns: hydrostatic change only. The gas, oil and water columns
// are checked through the gradient types that choose them.
TEST_F(PhasePropertiesTest, StaticColumnsAndTheGradientTypeThatChoosesThePhase) {
  // Gas: 2.69881 x 1000 x 0.65 / (1 x 600) = 2.92371 lbm/ft3 -> 20.3035 psi;
  // live oil with 400 scf/STB of 0.65 gas dissolved:
  // (62.3 x 0.85 + 0.0136 x 0.65 x 400) / 1.2 = 47.0758 lbm/ft3 -> 326.916 psi;
  // water: 62.3 lbm/ft3 -> 432.639 psi.
  gas.z = 1.0;
  struct Row {
    int type;
    double elevation, holdup;
  } rows[] = {{0, 20.3035, 0.0},
              {7, 20.3035, 0.0},
              {-1, 20.3035, 0.0},
              {1, 326.916, 1.0},
              {2, 432.639, 1.0}};
  for (const Row& r : rows) {
    e->m_dElevationDP = 0.0;
    e->SetGradientType(r.type);
    e->StaticGradient();
    EXPECT_NEAR(e->m_dElevationDP, r.elevation, 1e-3) << r.type;
    ExpectValues({e->m_dHoldup, e->m_dLambdaG, e->m_dLambdaL, e->m_dFlowRegime, e->m_dFrictionDP},
                 {r.holdup, 1.0 - r.holdup, r.holdup, 0.0, 0.0}, 0.0, "gradient type");
  }
  // The mixed liquid: 56 x 1000 / 144.
  e->m_dRhoL = 56.0;
  e->StaticLiquid();
  ExpectNear({{e->m_dElevationDP, 388.889, 1e-3}, {e->m_dFrictionDP, 0.0}});
  // A column of unknown density has no elevation change.
  e->m_dRhoG = e->m_dRhoW = kNotSet;
  e->StaticGas();
  EXPECT_EQ(e->m_dElevationDP, kNotSet);
  e->StaticWater();
  EXPECT_EQ(e->m_dElevationDP, kNotSet);
}

// Gas and laminar liquid flow by hand; the flow sign turns the friction, the
// direction sign the elevation change only.
TEST_F(PhasePropertiesTest, SinglePhaseGasAndLiquidFlowByHandAndTheirSigns) {
  SetGasFlow();
  e->CPressDrop::GasFlow();
  // Re = 0.020011 x 0.65 x 2e6 / 0.012 / 2.441 = 888102.6
  // f = 0.0014 + 0.125 x Re^-0.32 = 0.0029610
  // dp = 2 x 0.002961 x 3 x 10^2 x 1000 / 0.2034167 / 144 / 32.2 = 1.88358 psi
  // elevation 3 x 1000 / 144
  ExpectNear({{e->m_dReM, 888102.6, 0.5},
              {e->m_dFm, 0.0029610, 1e-7},
              {e->m_dFrictionDP, 1.88358, 1e-4},
              {e->m_dElevationDP, 20.8333, 1e-4},
              {e->m_dFlowRegime, 1.0},
              {e->m_dRhoS, 3.0},
              {e->m_dVm, 10.0},
              {e->m_dLiquidVolume, 0.0}});
  // Without a gas velocity there is no friction.
  e->m_dVsg = kNotSet;
  e->GasFlow();
  EXPECT_GT(e->m_dReM, 0.0);
  EXPECT_EQ(e->m_dFrictionDP, 0.0);

  // The liquid flow must set the code that the gas flow left.
  SetLiquidFlow();
  e->m_dFlowRegime = kNotSet;
  e->CPressDrop::LiquidFlow();
  // Re = 0.2034167 x 1 x 62.4 / 100 / 0.000672 = 188.887, f = 16/Re.
  // Hagen-Poiseuille, dp = 32 mu v L / (D^2 gc), mu = 100 x 0.000672 lbm/(ft s):
  //   32 x 0.0672 x 1 x 1000 / (0.2034167^2 x 32.2) / 144 = 11.2080 psi
  ExpectNear({{e->m_dReM, 188.887, 1e-3},
              {e->m_dFrictionDP, 11.2080, 1e-4},
              {e->m_dElevationDP, 433.333, 1e-3},
              {e->m_dFlowRegime, 1.0},
              {e->m_dRhoNS, 62.4},
              {e->m_dVm, 1.0}});

  for (bool gasCase : {true, false}) {
    auto run = [&](int flw, int dir) {
      gasCase ? SetGasFlow() : SetLiquidFlow();
      e->SetFlw(flw);
      e->SetDir(dir);
      gasCase ? e->GasFlow() : e->LiquidFlow();
      return std::make_pair(e->m_dFrictionDP, e->m_dElevationDP);
    };
    const auto base = run(1, 1), flw = run(-1, 1), dir = run(1, -1);
    ASSERT_TRUE(base.first > 0.0 && base.second > 0.0);
    ExpectValues({flw.first, flw.second, dir.first, dir.second},
                 {-base.first, base.second, base.first, -base.second});
  }
}

}  // namespace
}  // namespace pdrop
