// No pattern decision, search or froth interpolation allocates while no
// sheet is attached: this binary's operator new counts while counting is on.
#include <gtest/gtest.h>

#include "../support/CountingNew.h"

#include <memory>
#include <vector>

#include "MechTestSupport.h"

using pdrop::test::g_allocations;
using pdrop::test::g_counting;

namespace pdrop {
namespace {

TEST(MechNoAllocation, DecisionsOfEveryPatternAllocateNothing) {
  // Patterns 6 to 13 in order, then froth without a boundary (equal densities).
  const double points[][4] = {
      {0.0, 100.0, 0.1, 1.0}, {0.0, 100.0, 10.0, 30.0}, {100.0, 0.0, 0.1, 0.01},
      {100.0, 0.0, 3.0, 0.1}, {100.0, 0.0, 50.0, 0.1},  {100.0, 0.0, 3.0, 3.0},
      {100.0, 0.0, 0.1, 1.0}, {0.0, 100.0, 24.0, 10.0}, {0.0, 100.0, 2.0, 0.1}};
  std::vector<std::unique_ptr<test::MechProbe>> models;
  for (const auto& p : points) {
    models.push_back(std::make_unique<test::MechProbe>(p[0], p[1], p[2], p[3]));
    models.back()->m_bDiagStratified = 1;  // without a sheet a trace only moves the cursor
  }
  models.back()->m_dRhoG = 50.0;
  g_allocations = 0;
  g_counting = true;
  for (auto& m : models) m->MultiPhase();
  auto probe = std::make_unique<int>(1);  // the counter counts
  g_counting = false;
  EXPECT_EQ(g_allocations.load(), 1);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(models[i]->GetCode(), 6 + i);
  EXPECT_EQ(models.back()->m_dStatus, CMechModel::kStatusNoFroth);
}

}  // namespace
}  // namespace pdrop
