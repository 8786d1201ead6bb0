// Fanning: single-phase gas or liquid; a stream with both is liquid flow.
#include <gtest/gtest.h>

#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

constexpr double kT = 600.0;

// With liquid the gas is left out; alone it is a pure gas phase.
TEST(Fanning, GasWithLiquidIsSolvedAsTheLiquidAloneAndGasAloneAsAPureGasPhase) {
  test::TestGas gas;
  test::TestLiquid oil = test::MakeOil();
  oil.solutionRatio = 0.0;
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.441, 500.0, 2000.0, 0));
  EXPECT_TRUE(e->bIsSinglePhase());
  e->SetProps(&gas, &oil, nullptr);

  const double liquidOnly = e->Cal(2000.0, kT, 0.0, 0.0, 800.0, 0.0);
  const double withGas = e->Cal(2000.0, kT, 0.0, 2.0, 800.0, 0.0);
  EXPECT_DOUBLE_EQ(withGas, liquidOnly);
  test::ExpectValues({e->m_dHoldup, e->m_dLambdaL, e->m_dLambdaG, double(e->GetCode())},
                     {1.0, 1.0, 0.0, 1.0});

  e->Init(0.0, 4.0, 1000.0, 200.0);
  e->SetProps(&gas, nullptr, nullptr);
  e->Cal(1000.0, kT, 0.0, 5.0, 0.0, 0.0);
  test::ExpectValues({e->m_dHoldup, e->m_dLambdaG, e->m_dLambdaL, e->m_dRhoS, e->m_dVm, e->m_dVg},
                     {0.0, 1.0, 0.0, e->m_dRhoG, e->m_dVsg, e->m_dVsg});
  // Gas moving up a well: elevation and friction both lower the pressure
  // when marched with the flow.
  e->Init(0.0, 4.0, 0.0, 1000.0);
  e->SetDir(-1);
  e->SetFlw(-1);
  e->Cal(1000.0, kT, 0.0, 5.0, 0.0, 0.0);
  EXPECT_LT(e->m_dElevationDP, 0.0);
  EXPECT_LT(e->m_dFrictionDP, 0.0);
}

}  // namespace
}  // namespace pdrop
