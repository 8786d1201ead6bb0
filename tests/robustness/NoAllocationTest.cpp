// Cal allocates nothing on the heap when diagnostics are off and no piece
// needs the rescue split: the global operator new of this test binary counts
// every allocation made while counting is on.
#include <gtest/gtest.h>

#include "../support/CountingNew.h"

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "pdrop/pdrop.h"

using pdrop::test::g_allocations;
using pdrop::test::g_counting;

namespace pdrop {
namespace {

class NoAllocation : public ::testing::TestWithParam<int> {};

TEST_P(NoAllocation, CalAllocatesNothing) {
  BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 32.0;
  BlackOilPhases ph = fluid.MakePhases();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(GetParam()));
  struct Segment {
    double dx, dz, qg, qo, qw;
  } segments[] = {{0.0, 50.0, 0.5, 1000.0, 300.0},   // vertical two-phase
                  {1000.0, 0.0, 5.0, 100.0, 0.0},    // horizontal, gas with condensate
                  {800.0, 300.0, 0.0, 800.0, 200.0},  // liquid
                  {0.0, 500.0, 2.0, 0.0, 0.0}};       // gas alone
  long calls = 0;
  for (const Segment& s : segments) {
    e->Init(0.0, 2.992, s.dx, s.dz);
    e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
    e->Cal(1500.0, 620.0, 0.01, s.qg, s.qo, s.qw);  // outside the count: first use
    g_allocations = 0;
    g_counting = true;
    for (int i = 0; i < 200; ++i) {
      e->Cal(1000.0 + 5.0 * i, 620.0, 0.01, s.qg, s.qo, s.qw);
      ++calls;
    }
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0) << "code " << GetParam() << ", dx " << s.dx;
  }
  EXPECT_EQ(calls, 800);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, NoAllocation, ::testing::Range(0, 10));

}  // namespace
}  // namespace pdrop
