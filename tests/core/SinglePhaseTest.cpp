// Hydraulic helpers (Reynolds numbers, the Fanning friction factor, gas
// velocity, in-situ velocities from a holdup, the liquid surface tension),
// static columns and single-phase gas and liquid flow of the base engine.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectNear;
using test::ExpectValues;

// 2.441 in tubing (area pi (2.441/24)^2 = 0.0324985 ft2, hydraulic diameter
// 0.2034167 ft), 1000 ft vertical, at 1000 psia and 600 degR.
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

TEST_F(SinglePhaseTest, ReynoldsNumbersAndTheirEdgeCases) {
  e->m_dMuG = 0.012;
  // 0.020011 x 0.65 x 1e6 / 0.012 / 2.441 = 444051.3; in an annulus of 2.375 in
  // in 6.276 in the same numerator over 8.651 in.
  EXPECT_NEAR(e->REg(1.0e6), 444051.3, 0.5);
  std::unique_ptr<CPressDrop> a(CPressDrop::New(2.375, 6.276, 0.0, 500.0, 0));
  a->SetProps(&gas, nullptr, nullptr);
  a->m_dMuG = 0.012;
  EXPECT_NEAR(a->REg(1.0e6), 125295.2, 0.5);
  ExpectValues({e->REg(0.0), e->REg(kNotSet)}, {0.0, 0.0});
  // Gas viscosity not set, negative but not the sentinel, zero; no gas object.
  for (auto [mu, re] : {std::pair{kNotSet, 0.0}, {-0.5, 1.0e8}, {0.0, 0.0}}) {
    e->m_dMuG = mu;
    EXPECT_EQ(e->REg(1.0e6), re) << mu;
  }
  e->m_dMuG = 0.012;
  e->SetProps(nullptr, nullptr, nullptr);
  EXPECT_EQ(e->REg(1.0e6), 0.0);
  // Liquid: 0.2034167 x 3 x 62.4 / 1 / 0.000672 = 56666.07.
  e->m_dRhoL = 62.4;
  e->m_dMuL = 1.0;
  ExpectNear({{e->REl(3.0, kNotSet), 56666.07, 0.01}, {e->REl(kNotSet, kNotSet), 0.0},
              {e->REl(3.0, 0.5), 0.5 * 3.0 * 62.4 / 0.000672, 1e-6},
              {e->REm(3.0, 31.2, 2.0, kNotSet), 56666.07 / 4.0, 0.01},
              {e->REm(kNotSet, 62.4, 1.0, 0.2), 0.0}});
}

TEST_F(SinglePhaseTest, FrictionFactorsAcrossTheLaminarTurbulentBandAndChen) {
  // Smooth: 16/Re to 2000; at 3000 the mean of 16/3000 and 0.0014 + 0.125 x
  // 3000^-0.32 = 0.011043, 0.008188; at 4000 the laminar weight is zero:
  // 0.010195. The second factor takes the larger in the band.
  ExpectNear({{e->ff(0.0, 2.441, 0.0), 0.0}, {e->ff(0.0, 2.441, 1000.0), 0.016, 1e-12},
              {e->ff(0.0, 2.441, 2000.0), 0.008, 1e-12},
              {e->ff(0.0, 2.441, 3000.0), 0.008188, 1e-6},
              {e->ff(0.0, 2.441, 4000.0), 0.010195, 1e-6}, {e->ff2(0.0, 2.441, 0.0), 0.0},
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

TEST_F(SinglePhaseTest, GasVelocityHoldupVelocitiesAndSurfaceTension) {
  gas.z = 0.9;
  // Bg = 14.65 x 600 x 0.9 / (520 x 1000) / 86400 = 1.760817e-7;
  // 1 MMscf/d: 1e6 x 1.760817e-7 / 0.0324985 = 5.41815 ft/s
  ExpectValues({e->Vg(1000.0, 600.0, 1.0), e->Vg(2000.0, 600.0, 1.0)}, {5.41815, 5.41815 / 2},
               1e-5);
  // Holdup 0.25: 0.25 x 1000 ft x 0.0324985 ft2 / 5.6145835 ft3/bbl = 1.447056 bbl,
  // Vg = 3 / 0.75, Vl = 1 / 0.25. A velocity not set is copied as it stands
  // without slip, and 0 with it; without a holdup nothing is touched.
  struct Row {
    double holdup, vsg, vg, vl;
  } rows[] = {{0.25, 3.0, 4.0, 4.0}, {1.0, kNotSet, kNotSet, 1.0}, {0.0, 7.0, 7.0, 0.0},
              {0.5, kNotSet, 0.0, 2.0}, {kNotSet, 3.0, 123.0, 123.0}};
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
  } tensions[] = {{100.0, 300.0, 60.0, 51.25}, {100.0, 300.0, kNotSet, 6.25},
                  {100.0, kNotSet, kNotSet, 25.0}, {0.0, 0.0, 60.0, 0.0}};
  e->m_dSigmaO = 25.0;
  for (const Tension& t : tensions) {
    e->m_dQo = t.qo;
    e->m_dQwFree = t.qw;
    e->m_dSigmaW = t.sigmaW;
    EXPECT_NEAR(e->Stl(), t.sigma, 1e-12) << t.qw << " " << t.sigmaW;
  }
}

TEST_F(SinglePhaseTest, StaticColumnsGiveHydrostaticChangeOnly) {
  e->m_dRhoG = 5.0;
  e->StaticGas();  // 5 x 1000 / 144 = 34.722
  ExpectNear({{e->m_dElevationDP, 34.72, 0.005}, {e->m_dFrictionDP, 0.0}, {e->m_dHoldup, 0.0},
              {e->m_dLambdaG, 1.0}, {e->m_dLambdaL, 0.0}, {e->m_dFlowRegime, 0.0}});
  e->m_dRhoO = 50.0;
  e->StaticOil();  // 50 x 1000 / 144
  ExpectNear({{e->m_dElevationDP, 347.222, 1e-3}, {e->m_dHoldup, 1.0}, {e->m_dLambdaG, 0.0},
              {e->m_dLambdaL, 1.0}});
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

TEST_F(SinglePhaseTest, GradientTypeChoosesThePhaseAndAnyOtherValueMeansGas) {
  // Gas: 2.69881 x 1000 x 0.65 / (1 x 600) = 2.92371 lbm/ft3 -> 20.3035 psi;
  // live oil with 400 scf/STB of 0.65 gas dissolved:
  // (62.3 x 0.85 + 0.0136 x 0.65 x 400) / 1.2 = 47.0758 lbm/ft3 -> 326.916 psi;
  // water: 62.3 lbm/ft3 -> 432.639 psi.
  struct Row {
    int type;
    double elevation, holdup;
  } rows[] = {{0, 20.3035, 0.0}, {7, 20.3035, 0.0}, {-1, 20.3035, 0.0}, {1, 326.916, 1.0},
              {2, 432.639, 1.0}};
  for (const Row& r : rows) {
    e->m_dElevationDP = 0.0;
    e->SetGradientType(r.type);
    e->StaticGradient();
    EXPECT_NEAR(e->m_dElevationDP, r.elevation, 1e-3) << r.type;
    EXPECT_EQ(e->m_dHoldup, r.holdup) << r.type;
    EXPECT_EQ(e->m_dFlowRegime, 0.0) << r.type;
  }
}

TEST_F(SinglePhaseTest, GasFlowFrictionByHand) {
  SetGasFlow();
  e->CPressDrop::GasFlow();
  // Re = 0.020011 x 0.65 x 2e6 / 0.012 / 2.441 = 888102.6
  // f = 0.0014 + 0.125 x Re^-0.32 = 0.0029610
  // dp = 2 x 0.002961 x 3 x 10^2 x 1000 / 0.2034167 / 144 / 32.2 = 1.88358 psi
  // elevation 3 x 1000 / 144
  ExpectNear({{e->m_dReM, 888102.6, 0.5}, {e->m_dFm, 0.0029610, 1e-7},
              {e->m_dFrictionDP, 1.88358, 1e-4}, {e->m_dElevationDP, 20.8333, 1e-4},
              {e->m_dFlowRegime, 1.0}, {e->m_dRhoS, 3.0},
              {e->m_dVm, 10.0}, {e->m_dLiquidVolume, 0.0}});
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
  ExpectNear({{e->m_dReM, 188.887, 1e-3}, {e->m_dFrictionDP, 11.2080, 1e-4},
              {e->m_dElevationDP, 433.333, 1e-3}, {e->m_dFlowRegime, 1.0}, {e->m_dRhoNS, 62.4},
              {e->m_dVm, 1.0}});
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
    const auto base = run(1, 1), flw = run(-1, 1), dir = run(1, -1);
    ASSERT_TRUE(base.first > 0.0 && base.second > 0.0);
    ExpectValues({flw.first, flw.second, dir.first, dir.second},
                 {-base.first, base.second, base.first, -base.second});
  }
}

}  // namespace
}  // namespace pdrop
