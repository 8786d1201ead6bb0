// Critical unloading velocity and rate of a gas well (Turner, Hubbard &
// Dukler 1969; Coleman, Clay, McCurdy & Norris 1991).
#include <gtest/gtest.h>

#include <cmath>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// A gas that remembers how often, and at what pressure, its z was asked.
class CountingGas : public test::TestGas {
 public:
  int zCalls = 0;
  double zPressure = kNotSet;
  double ZFactor(double T, double p) override {
    ++zCalls;
    zPressure = p;
    return test::TestGas::ZFactor(T, p);
  }
};

class LiquidLiftTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gas.z = 0.9;
    turner.SetProps(&gas);
    coleman.SetProps(&gas);
  }
  CountingGas gas;
  CTurner turner;
  CColeman coleman;
};

TEST_F(LiquidLiftTest, TurnerByHandAndColemanByItsCoefficients) {
  // 0.65 gas at 1000 psia, 600 degR, z 0.9:
  //   rho_g = 2.693 x 1000 x 0.65 / 0.9 / 600 = 3.241574 lbm/ft3
  //   v_c = 5.62 x (67 - 3.241574)^0.25 / sqrt(3.241574)
  //       = 5.62 x 2.825754 / 1.800437 = 8.82049 ft/s
  // 2.441 in tubing, A = pi x 2.441^2 / 576 = 0.0324985 ft2:
  //   q_c = 3.0648 x 8.82049 x 0.0324985 x 1000 / 600 / 0.9 = 1.62691 MMscf/d
  EXPECT_NEAR(turner.Wtr(1000.0, 600.0, kNotSet), 8.82049, 1e-5);
  EXPECT_NEAR(turner.WtrD(2.441, 1000.0, 600.0), 1.62691, 1e-5);
  EXPECT_LT(turner.Cnd(1000.0, 600.0, 0.9), turner.Wtr(1000.0, 600.0, 0.9));
  // 5.62 / 4.434 = 1.267479 for water, 4.02 / 3.369 = 1.193232 for condensate.
  for (double p : {50.0, 500.0, 3000.0}) {
    test::ExpectValues({turner.Wtr(p, 580.0, 0.85) / coleman.Wtr(p, 580.0, 0.85),
                        turner.Cnd(p, 580.0, 0.85) / coleman.Cnd(p, 580.0, 0.85),
                        turner.CndA(0.05, p, 580.0) / coleman.CndA(0.05, p, 580.0)},
                       {1.267479, 1.193232, 1.193232}, 1e-6);
  }
  // The diameter form equals the area form of the same area.
  for (double d : {1.995, 2.441, 4.0}) {
    const double area = test::kPi * d * d / 576.0;
    EXPECT_DOUBLE_EQ(turner.WtrD(d, 800.0, 590.0), turner.WtrA(area, 800.0, 590.0)) << d;
    EXPECT_DOUBLE_EQ(coleman.CndD(d, 800.0, 590.0), coleman.CndA(area, 800.0, 590.0)) << d;
  }
}

TEST_F(LiquidLiftTest, PressuresBelowSixPsiaAreEvaluatedAtSix) {
  const double v6 = turner.Wtr(6.0, 560.0, kNotSet);
  const double q6 = turner.WtrA(0.0325, 6.0, 560.0);
  for (double p : {3.0, 0.0, -20.0}) {
    gas.zPressure = kNotSet;
    EXPECT_DOUBLE_EQ(turner.Wtr(p, 560.0, kNotSet), v6) << p;
    EXPECT_EQ(gas.zPressure, 6.0) << p;
    gas.zPressure = kNotSet;
    EXPECT_DOUBLE_EQ(turner.WtrA(0.0325, p, 560.0), q6) << p;
    EXPECT_EQ(gas.zPressure, 6.0) << p;
  }
  EXPECT_LT(turner.Wtr(6.5, 560.0, kNotSet), v6);  // above the floor the density counts
}

TEST_F(LiquidLiftTest, CallerZIsUsedUnchangedButRatesAskTheGas) {
  const double withCallerZ = turner.Wtr(1000.0, 600.0, 0.8);
  EXPECT_EQ(gas.zCalls, 0);
  CountingGas other;
  other.z = 0.8;
  CTurner asked;
  asked.SetProps(&other);
  EXPECT_DOUBLE_EQ(withCallerZ, asked.Wtr(1000.0, 600.0, kNotSet));
  // The rate takes z from the gas object (0.9).
  const double q = turner.WtrA(0.0325, 1000.0, 600.0);
  EXPECT_GE(gas.zCalls, 1);
  EXPECT_NEAR(q, 3.0648 * turner.Wtr(1000.0, 600.0, 0.9) * 0.0325 * 1000.0 / 600.0 / 0.9, 1e-12);
  const CTurner copy(turner);  // shares the unowned gas object
  EXPECT_EQ(copy.m_pGas, &gas);
}

TEST_F(LiquidLiftTest, NoCriticalValueWithoutGasInputOrALighterLiquid) {
  CTurner bare;
  const double nan = std::nan("");
  // No gas object; an input not set or NaN.
  for (double v : {bare.Wtr(1000.0, 600.0, 0.9), bare.Cnd(1000.0, 600.0, 0.9),
                   bare.WtrA(0.03, 1000.0, 600.0), bare.CndD(2.441, 1000.0, 600.0),
                   turner.Wtr(kNotSet, 600.0, 0.9), turner.Cnd(1000.0, kNotSet, 0.9),
                   turner.WtrA(kNotSet, 1000.0, 600.0), turner.WtrA(0.03, kNotSet, 600.0),
                   turner.CndA(0.03, 1000.0, kNotSet), turner.WtrD(kNotSet, 1000.0, 600.0),
                   turner.Wtr(nan, 600.0, 0.9), turner.Wtr(1000.0, 600.0, nan)})
    EXPECT_EQ(v, kNotSet);
  // Gas as dense as the liquid: rho_g = 2.693 x 20000 x 0.65 / 600 = 58.35 is
  // above condensate, below water; 87.5 at 30000 psia is above both.
  // Non-positive densities from a meaningless z or temperature.
  gas.z = 1.0;
  for (double v : {turner.Cnd(20000.0, 600.0, kNotSet), coleman.CndA(0.03, 20000.0, 600.0),
                   turner.Wtr(30000.0, 600.0, kNotSet), turner.WtrD(2.441, 30000.0, 600.0),
                   turner.Wtr(1000.0, 600.0, -0.9), turner.Wtr(1000.0, -600.0, 0.9)})
    EXPECT_EQ(v, kNotSet);
  EXPECT_GT(turner.Wtr(20000.0, 600.0, kNotSet), 0.0);
  gas.gravity = 0.0;  // and of a meaningless gravity
  EXPECT_EQ(turner.Wtr(1000.0, 600.0, 0.9), kNotSet);
}

}  // namespace
}  // namespace pdrop
