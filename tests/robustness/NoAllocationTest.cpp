// Cal allocates nothing on the heap when diagnostics are off and no piece
// needs the rescue split: the global operator new of this test binary counts
// every allocation made while counting is on.
#include <gtest/gtest.h>

#include "../support/CountingNew.h"

#include <memory>

#include "ReferenceCases.h"

using pdrop::test::g_allocations;
using pdrop::test::g_counting;

namespace pdrop {
namespace {

class NoAllocation : public ::testing::TestWithParam<int> {};

// Every reference segment (two-phase up and down, gas with condensate, a
// gas well, a water injector), with 200 inlet pressures each.
TEST_P(NoAllocation, CalAllocatesNothing) {
  BlackOilPhases ph = reference::Phases();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(GetParam()));
  long calls = 0;
  for (const reference::Segment& s : reference::Segments()) {
    e->Init(0.0, 2.992, s.dx, s.dz);
    e->SetDir(s.dir);
    e->SetFlw(s.flw);
    e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
    e->Cal(s.p, 620.0, 0.01, s.qg, s.qo, s.qw);  // outside the count: first use
    g_allocations = 0;
    g_counting = true;
    for (int i = 0; i < 200; ++i, ++calls) e->Cal(s.p + 5.0 * i, 620.0, 0.01, s.qg, s.qo, s.qw);
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0) << "code " << GetParam() << ", " << s.name;
  }
  EXPECT_EQ(calls, 200 * long(reference::Segments().size()));
}

INSTANTIATE_TEST_SUITE_P(AllCodes, NoAllocation, ::testing::Range(0, 10));

}  // namespace
}  // namespace pdrop
