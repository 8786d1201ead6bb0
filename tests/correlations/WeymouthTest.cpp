// Weymouth: the Panhandle equation with Weymouth's constants.
#include <gtest/gtest.h>

#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

TEST(Weymouth, DefaultsAndWorkedLine) {
  std::unique_ptr<CPressDrop> made(CPressDrop::New(6));
  EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "CWeymouth");
  EXPECT_EQ(made->GetFE(), 1.15);
  EXPECT_EQ(CWeymouth::GetDefaultFE(true), 1.0);
  // 10 miles of 6 in, 10 MMscf/d of 0.65 gravity gas, 520 degR, z 0.9, with
  // the flow: dp^2 = 5.3213e-6 (14.65/520)^2 6^-5.334 (1e7/1.15)^2 * 0.65
  //           * 520 * 10 * 0.9 = 68673.80; sqrt(800^2 - dp^2) - 800 = -44.13877
  test::TestGas gas;
  CWeymouth e;
  e.Init(0.0, 6.0, 52800.0, 0.0);
  e.SetProps(&gas, nullptr, nullptr);
  e.SetFlw(-1);
  e.m_dQgFree = 1e7;
  e.m_dT = 520.0;
  e.m_dZ = 0.9;
  e.m_dP1 = 800.0;
  e.m_dRhoG = 2.0;
  e.GasFlow();
  EXPECT_NEAR(e.m_dFrictionDP, -44.138768, 1e-6);
  e.SetFE(-1.0);  // the Panhandle gas default, not this class's 1.15
  EXPECT_EQ(e.GetFE(), 0.85);
}

}  // namespace
}  // namespace pdrop
