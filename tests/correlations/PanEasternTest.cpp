// Modified Panhandle: the Panhandle equation with Panhandle B constants.
#include <gtest/gtest.h>

#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

TEST(PanEastern, DefaultsAndWorkedLine) {
  for (int code : {2, 8}) {
    std::unique_ptr<CPressDrop> made(CPressDrop::New(code));
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "CPanEastern");
    EXPECT_EQ(made->GetFE(), 0.80);
  }
  EXPECT_EQ(CPressDrop::GetDefaultFlowEff(8), CPanEastern::GetDefaultFE(true));
  // 10 miles of 6 in, 10 MMscf/d of 0.65 gravity gas, 520 degR, z 0.9:
  // dp^2 = 2.385e-6 (14.65/520)^2 6^-4.9608 (1e7/0.8)^1.9608 0.65^0.9608
  //        * 520 * 10 * 0.9 = 66530.13; sqrt(800^2 + dp^2) - 800 = 40.55347
  test::TestGas gas;
  CPanEastern e;
  e.Init(0.0, 6.0, 52800.0, 0.0);
  e.SetProps(&gas, nullptr, nullptr);
  e.m_dQgFree = 1e7;
  e.m_dT = 520.0;
  e.m_dZ = 0.9;
  e.m_dP1 = 800.0;
  e.m_dRhoG = 2.0;
  e.GasFlow();
  EXPECT_NEAR(e.m_dFrictionDP, 40.553467, 1e-6);
  e.SetFE(-1.0);  // the Panhandle gas default, not this class's 0.80
  EXPECT_EQ(e.GetFE(), 0.85);
}

}  // namespace
}  // namespace pdrop
