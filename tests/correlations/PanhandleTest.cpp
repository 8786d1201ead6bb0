// Panhandle A and the Flanigan method.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// 10 miles of 6 in line; 10 MMscf/d of 0.65 gravity gas at 520 degR, z 0.9,
// 800 psia at the known end; liquid 50, gas 2 lbm/ft3.
class PanhandleLine : public ::testing::Test {
 protected:
  void SetUp() override { Line(0.0); }
  // Init clears the record, so the conditions follow it.
  void Line(double dz) {
    e.Init(0.0, 6.0, 52800.0, dz);
    e.SetProps(&gas, nullptr, nullptr);
    e.m_dQgFree = 1e7;
    e.m_dT = 520.0;
    e.m_dZ = 0.9;
    e.m_dP1 = 800.0;
    e.m_dRhoG = 2.0;
    e.m_dRhoL = 50.0;
  }
  // 1 MMscf/d of free gas with `liquid` in situ: R = 1 bbl per MMscf with
  // the default, so X = Vsg.
  void Flanigan(double vsg, double vsl, double liquid = 1.0) {
    e.m_dQgFree = 1e6;
    e.m_dQlInSitu = liquid;
    e.m_dVsg = vsg;
    e.m_dVsl = vsl;
    e.MultiPhase();
  }
  test::TestGas gas;
  CPanhandle e;
};

TEST_F(PanhandleLine, GasEquationIsTheSquaredPressureFormForBothFlowSigns) {
  // dp^2 = 1.279e-5 (14.65/520)^2 6^-4.8539 (1e7/0.85)^1.8539 0.65^0.8539
  //        * 520 * 10 * 0.9 = 70487.74 psia^2
  e.GasFlow();
  EXPECT_NEAR(e.m_dFm, 70487.74, 0.01);
  EXPECT_NEAR(e.m_dFrictionDP, 42.904347, 1e-6);  // sqrt(800^2 + dp^2) - 800
  EXPECT_EQ(e.GetCode(), 0);
  e.m_dFlw = -1.0;
  e.GasFlow();
  EXPECT_NEAR(e.m_dFrictionDP, -45.339638, 1e-6);  // sqrt(800^2 - dp^2) - 800
  e.m_dP1 = 200.0;                                 // 200^2 - 70487.74 < 5^2: no result
  e.GasFlow();
  EXPECT_EQ(e.m_dFrictionDP, kNotSet);
  e.m_dQgFree = 1e-6;  // no free gas to speak of
  e.GasFlow();
  EXPECT_EQ(e.m_dFrictionDP, 0.0);
}

TEST_F(PanhandleLine, DefaultsAndZeroEfficiency) {
  for (int code : {1, 7}) {
    std::unique_ptr<CPressDrop> made(CPressDrop::New(code));
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "CPanhandle");
    EXPECT_EQ(made->GetFE(), 0.85);
  }
  EXPECT_EQ(CPressDrop::GetDefaultFlowEff(1), CPanhandle::GetDefaultFE(false));
  EXPECT_EQ(CPressDrop::GetDefaultFlowEff(7), CPanhandle::GetDefaultFE(true));
  // Zero, negative and NaN all mean the gas default 0.85: the line above.
  for (double bad : {0.0, -1.0, std::nan("")}) {
    e.SetFE(0.9);
    e.SetFE(bad);
    EXPECT_EQ(e.GetFE(), 0.85);
    e.GasFlow();
    EXPECT_NEAR(e.m_dFrictionDP, 42.904347, 1e-6);
  }
  e.m_dFlowEff = 0.0;  // written past SetFE: no result rather than a division by 0
  e.GasFlow();
  EXPECT_EQ(e.m_dFrictionDP, kNotSet);
}

TEST_F(PanhandleLine, FlaniganEfficiencyRowsAndLiquidUnits) {
  // 100 X; 53.755 X^0.73; 45.92 X^0.533; 51.46 X^0.252; 61.23 X^0.127; 82.
  const double rows[][2] = {{0.05, 5.0},      {0.2, 16.602396}, {1.0, 45.92}, {2.0, 61.281493},
                            {5.0, 75.116172}, {10.0, 82.0},     {20.0, 82.0}};
  for (const auto& row : rows) {
    Flanigan(row[0], 0.1);
    EXPECT_NEAR(e.m_dFE, 0.85 / 82.0 * row[1], 1e-8) << "X = " << row[0];
  }
  // In equation-of-state mode the liquid comes in ft3/s: 1 bbl/d is
  // 5.6145835/86400 ft3/s, and R is 1 as before.
  e.m_bEOS = true;
  Flanigan(2.0, 0.1, 5.6145835 / 86400.0);
  EXPECT_NEAR(e.m_dFE, 0.85 / 82.0 * 61.281493, 1e-8);
}

TEST_F(PanhandleLine, FlaniganHoldupHeadAndSigns) {
  Line(300.0);
  // HL = 1 / (1 + 0.3264 * 2^1.006) = 0.6040396 > lambda 0.2;
  // rhoS = 0.6040396*50 + 0.3959604*2 = 30.99390
  Flanigan(2.0, 0.5);
  EXPECT_NEAR(e.m_dHoldup, 0.6040396, 1e-7);
  EXPECT_NEAR(e.m_dElevationDP, 30.99390 * 300.0 / 144.0, 1e-4);
  const double friction = e.m_dFrictionDP;
  const double elevation = e.m_dElevationDP;
  e.m_dFlw = -1.0;
  Flanigan(2.0, 0.5);
  EXPECT_LT(e.m_dFrictionDP, -friction);  // squared form: the falling side costs more
  EXPECT_EQ(e.m_dElevationDP, elevation);
  e.m_dFlw = 1.0;
  e.m_dDir = -1.0;
  Flanigan(2.0, 0.5);
  EXPECT_EQ(e.m_dFrictionDP, friction);
  EXPECT_EQ(e.m_dElevationDP, -elevation);
  // 1 / (1 + 0.3264 * 10^1.006) = 0.232 is below lambda = 1/3: held there.
  Flanigan(10.0, 5.0);
  EXPECT_DOUBLE_EQ(e.m_dHoldup, 5.0 / 15.0);
}

TEST_F(PanhandleLine, MissingGasObjectOrVelocitiesGiveNoResult) {
  Flanigan(0.0, 0.5);  // X = 0: efficiency 0
  EXPECT_EQ(e.m_dFrictionDP, kNotSet);
  Flanigan(0.0, 0.0);  // Vm = 0: no holdup either
  EXPECT_EQ(e.m_dElevationDP, kNotSet);
  e.SetProps(nullptr, nullptr, nullptr);
  Flanigan(2.0, 0.5);
  EXPECT_EQ(e.m_dFrictionDP, kNotSet);
}

TEST(Panhandle, WholeLineKeepsTheSquaredFormWhateverThePieces) {
  // z = 1, isothermal: p2^2 = 800^2 + 70487.74/0.9, one piece or many.
  test::TestGas gas;
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 6.0, 52800.0, 0.0, 1));
  e->SetProps(&gas, nullptr, nullptr);
  EXPECT_NEAR(e->Cal(800.0, 520.0, 0.0, 10.0, 0.0, 0.0), 847.537438, 1e-5);
  EXPECT_GT(e->m_nSubdivUsed, 1);
}

}  // namespace
}  // namespace pdrop
