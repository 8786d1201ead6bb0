// Hydraulic helpers: Reynolds numbers, the Fanning friction factor, gas
// velocity, in-situ velocities from a holdup and the liquid surface tension.
#include <gtest/gtest.h>

#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// 2.441 in tubing, 1000 ft vertical: area pi (2.441/24)^2 = 0.0324985 ft2.
class HydraulicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    e.reset(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, 0));
    e->SetProps(&gas, nullptr, nullptr);
  }
  test::TestGas gas;
  std::unique_ptr<CPressDrop> e;
};

TEST_F(HydraulicsTest, GasReynoldsNumberAndItsEdgeCases) {
  e->m_dMuG = 0.012;
  // 0.020011 x 0.65 x 1e6 / 0.012 / 2.441 = 1083929.2 / 2.441 = 444051.3
  EXPECT_NEAR(e->REg(1.0e6), 444051.3, 0.5);
  // Annulus of 2.375 in in 6.276 in: the same numerator over 8.651 in.
  std::unique_ptr<CPressDrop> a(CPressDrop::New(2.375, 6.276, 0.0, 500.0, 0));
  a->SetProps(&gas, nullptr, nullptr);
  a->m_dMuG = 0.012;
  EXPECT_NEAR(a->REg(1.0e6), 125295.2, 0.5);

  EXPECT_EQ(e->REg(0.0), 0.0);
  EXPECT_EQ(e->REg(kNotSet), 0.0);
  e->m_dMuG = kNotSet;
  EXPECT_EQ(e->REg(1.0e6), 0.0);
  e->m_dMuG = -0.5;  // negative but not the sentinel
  EXPECT_EQ(e->REg(1.0e6), 1.0e8);
  e->m_dMuG = 0.0;
  EXPECT_EQ(e->REg(1.0e6), 0.0);
  e->m_dMuG = 0.012;
  e->SetProps(nullptr, nullptr, nullptr);
  EXPECT_EQ(e->REg(1.0e6), 0.0);
}

TEST_F(HydraulicsTest, LiquidAndMixtureReynoldsNumbers) {
  e->m_dRhoL = 62.4;
  e->m_dMuL = 1.0;
  // Hydraulic diameter 2.441/12 = 0.2034167 ft: 0.2034167 x 3 x 62.4 / 1 / 0.000672 = 56666.07
  EXPECT_NEAR(e->REl(3.0, kNotSet), 56666.07, 0.01);
  EXPECT_NEAR(e->REl(3.0, 0.5), 0.5 * 3.0 * 62.4 / 0.000672, 1e-6);
  EXPECT_EQ(e->REl(kNotSet, kNotSet), 0.0);
  EXPECT_NEAR(e->REm(3.0, 31.2, 2.0, kNotSet), 56666.07 / 4.0, 0.01);
  EXPECT_EQ(e->REm(kNotSet, 62.4, 1.0, 0.2), 0.0);
}

TEST_F(HydraulicsTest, SmoothPipeFactorAcrossTheLaminarTurbulentBand) {
  EXPECT_EQ(e->ff(0.0, 2.441, 0.0), 0.0);
  EXPECT_NEAR(e->ff(0.0, 2.441, 1000.0), 0.016, 1e-12);  // 16/1000
  EXPECT_NEAR(e->ff(0.0, 2.441, 2000.0), 0.008, 1e-12);  // 16/2000
  // 0.0014 + 0.125 x 3000^-0.32 = 0.011043; mean with 16/3000 = 0.008188
  EXPECT_NEAR(e->ff(0.0, 2.441, 3000.0), 0.008188, 1e-6);
  // At 4000 the laminar weight is zero: 0.0014 + 0.125 x 4000^-0.32 = 0.010195
  EXPECT_NEAR(e->ff(0.0, 2.441, 4000.0), 0.010195, 1e-6);
  for (double e0 : {0.0, 0.0006}) {  // continuous at both ends of the band
    EXPECT_NEAR(e->ff(e0, 2.441, 2000.001), 0.008, 1e-8);
    EXPECT_NEAR(e->ff(e0, 2.441, 3999.999), e->ff(e0, 2.441, 4000.001), 1e-8);
  }
}

TEST_F(HydraulicsTest, RoughPipeFactorFollowsChen) {
  // Chen (1979), Fanning form, e/D = 0.0006/2.441 = 2.45801e-4, Re = 1e5:
  //   A = (e/D)^1.1098 / 2.8257 + 5.8506 / Re^0.8981 = 2.24029e-4
  //   1/sqrt(f) = -4 log10((e/D)/3.7065 - 5.0452/Re log10 A) = -4 log10(2.50451e-4) = 14.40511
  //   f = 1/14.40511^2 = 0.0048191
  const double f = e->ff(0.0006, 2.441, 1.0e5);
  EXPECT_NEAR(f, 0.0048191, 2e-7);
  // Colebrook, 1/sqrt(f) = -4 log10(r/3.7 + 1.2613/(Re sqrt f)), iterated,
  // gives 0.0048092; Chen's explicit form stays within 0.5 % of it.
  EXPECT_NEAR(f / 0.0048092, 1.0, 0.005);
}

TEST_F(HydraulicsTest, SecondFactorTakesTheLargerInTheBand) {
  EXPECT_EQ(e->ff2(0.0, 2.441, 0.0), 0.0);
  EXPECT_NEAR(e->ff2(0.0, 2.441, 1000.0), 0.016, 1e-12);
  EXPECT_NEAR(e->ff2(0.0, 2.441, 2000.0), 0.008, 1e-12);
  EXPECT_NEAR(e->ff2(0.0, 2.441, 3000.0), 0.011043, 1e-6);  // max(0.005333, 0.011043)
  EXPECT_DOUBLE_EQ(e->ff2(0.0006, 2.441, 1.0e5), e->ff(0.0006, 2.441, 1.0e5));
}

TEST_F(HydraulicsTest, GasVelocityAtPipelineStandardConditions) {
  gas.z = 0.9;
  // Bg = 14.65 x 600 x 0.9 / (520 x 1000) / 86400 = 1.760817e-7;
  // 1 MMscf/d: 1e6 x 1.760817e-7 / 0.0324985 = 5.41815 ft/s
  EXPECT_NEAR(e->Vg(1000.0, 600.0, 1.0), 5.41815, 1e-5);
  EXPECT_NEAR(e->Vg(2000.0, 600.0, 1.0), 5.41815 / 2.0, 1e-5);
}

TEST_F(HydraulicsTest, HoldupGivesInSituVelocitiesAndLiquidVolume) {
  e->m_dVsg = 3.0;
  e->m_dVsl = 1.0;
  e->m_dHoldup = 0.25;
  e->HoldupAndVelocity();
  // 0.25 x 1000 ft x 0.0324985 ft2 / 5.6145835 ft3/bbl = 1.447056 bbl
  EXPECT_NEAR(e->m_dLiquidVolume, 1.447056, 1e-6);
  EXPECT_NEAR(e->m_dVg, 4.0, 1e-12);  // 3 / 0.75
  EXPECT_NEAR(e->m_dVl, 4.0, 1e-12);  // 1 / 0.25
  e->m_dHoldup = 1.0;
  e->m_dVsg = kNotSet;
  e->HoldupAndVelocity();
  EXPECT_EQ(e->m_dVg, kNotSet);  // copied as it stands
  EXPECT_EQ(e->m_dVl, 1.0);
  e->m_dHoldup = 0.0;
  e->m_dVsg = 7.0;
  e->HoldupAndVelocity();
  EXPECT_EQ(e->m_dVg, 7.0);
  EXPECT_EQ(e->m_dVl, 0.0);
  e->m_dHoldup = 0.5;
  e->m_dVsg = kNotSet;
  e->HoldupAndVelocity();
  EXPECT_EQ(e->m_dVg, 0.0);
  e->m_dHoldup = kNotSet;  // without a holdup nothing is touched
  e->m_dVg = e->m_dLiquidVolume = 123.0;
  e->HoldupAndVelocity();
  EXPECT_EQ(e->m_dVg, 123.0);
  EXPECT_EQ(e->m_dLiquidVolume, 123.0);
}

TEST_F(HydraulicsTest, SurfaceTensionIsWeightedByOilAndFreeWaterRates) {
  e->m_dQo = 100.0;
  e->m_dQwFree = 300.0;
  e->m_dSigmaO = 25.0;
  e->m_dSigmaW = 60.0;
  EXPECT_NEAR(e->Stl(), 51.25, 1e-12);  // (100 x 25 + 300 x 60) / 400
  e->m_dSigmaW = kNotSet;
  EXPECT_NEAR(e->Stl(), 6.25, 1e-12);  // (2500 + 0) / 400
  e->m_dQwFree = kNotSet;
  EXPECT_NEAR(e->Stl(), 25.0, 1e-12);
  e->m_dQo = e->m_dQwFree = 0.0;
  EXPECT_EQ(e->Stl(), 0.0);
}

}  // namespace
}  // namespace pdrop
