// Panhandle A, Panhandle B (modified Panhandle), Weymouth and the Flanigan
// method.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// 10 MMscf/d of 0.65 gravity gas at 520 degR, z 0.9, 800 psia at the known
// end; gas 2 lbm/ft3.
void GasLine(CPressDrop& e, CProp* gas) {
  e.SetProps(gas, nullptr, nullptr);
  e.m_dQgFree = 1e7;
  e.m_dT = 520.0;
  e.m_dZ = 0.9;
  e.m_dP1 = 800.0;
  e.m_dRhoG = 2.0;
}

// The gas line through 10 miles of 6 in pipe; liquid 50 lbm/ft3.
class PanhandleLine : public ::testing::Test {
 protected:
  void SetUp() override { Line(0.0); }
  // Init clears the record, so the conditions follow it.
  void Line(double dz) {
    e.Init(0.0, 6.0, 52800.0, dz);
    GasLine(e, &gas);
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

// The line above through each gas equation: dp^2 = C (14.65/520)^2 6^-a
// (1e7/E)^b 0.65^c * 520 * 10 * 0.9, the other end at sqrt(800^2 +- dp^2).
TEST(GasEquations, DefaultsAndWorkedLines) {
  const struct {
    int code;
    double (*defaultFE)(bool);
    double fe, flw, dp;
  } rows[] = {
      // 1.279e-5, 4.8539, E 0.85, 1.8539, 0.8539: dp^2 = 70487.74
      {1, &CPanhandle::GetDefaultFE, 0.85, 1.0, 42.904347},
      {7, &CPanhandle::GetDefaultFE, 0.85, -1.0, -45.339638},
      // 2.385e-6, 4.9608, E 0.80, 1.9608, 0.9608: dp^2 = 66530.13
      {2, &CPanEastern::GetDefaultFE, 0.80, 1.0, 40.553467},
      {8, &CPanEastern::GetDefaultFE, 0.80, 1.0, 40.553467},
      // 5.3213e-6, 5.334, E 1.15, 2, 1: dp^2 = 68673.80
      {6, &CWeymouth::GetDefaultFE, 1.15, -1.0, -44.138768},
  };
  test::TestGas gas;
  for (const auto& r : rows) {
    std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 6.0, 52800.0, 0.0, r.code));
    EXPECT_EQ(e->GetFE(), r.fe);
    EXPECT_EQ(CPressDrop::GetDefaultFlowEff(r.code), r.defaultFE(r.code > 6)) << r.code;
    GasLine(*e, &gas);
    e->m_dFlw = r.flw;
    e->GasFlow();
    EXPECT_NEAR(e->m_dFrictionDP, r.dp, 1e-6) << r.code;
    EXPECT_EQ(e->GetCode(), 0);
    e->SetFE(-1.0);  // the Panhandle gas default, whatever the class's own
    EXPECT_EQ(e->GetFE(), 0.85);
  }
  EXPECT_EQ(CWeymouth::GetDefaultFE(true), 1.0);
}

TEST_F(PanhandleLine, SquaredFormLimitsAndZeroEfficiency) {
  e.GasFlow();
  EXPECT_NEAR(e.m_dFm, 70487.74, 0.01);
  e.m_dP1 = 200.0;  // 200^2 - 70487.74 < 5^2 against the flow: no result
  e.m_dFlw = -1.0;
  e.GasFlow();
  EXPECT_EQ(e.m_dFrictionDP, kNotSet);
  e.m_dQgFree = 1e-6;  // no free gas to speak of
  e.GasFlow();
  EXPECT_EQ(e.m_dFrictionDP, 0.0);
  Line(0.0);
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

TEST_F(PanhandleLine, FlaniganHoldupAndHead) {
  Line(300.0);
  // HL = 1 / (1 + 0.3264 * 2^1.006) = 0.6040396 > lambda 0.2;
  // rhoS = 0.6040396*50 + 0.3959604*2 = 30.99390
  Flanigan(2.0, 0.5);
  EXPECT_NEAR(e.m_dHoldup, 0.6040396, 1e-7);
  EXPECT_NEAR(e.m_dElevationDP, 30.99390 * 300.0 / 144.0, 1e-4);
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
