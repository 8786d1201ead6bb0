// Randomised sweep: every correlation code called with inputs drawn
// log-uniformly across and beyond the physical ranges, and with NaN,
// infinities, zeros, negatives, huge values and the not-set marker in every
// argument and geometry field. Every call must return, no result field may
// hold a NaN or an infinity, and the host's fluid objects must be as they were.
//
// PDROP_SWEEP_CALLS sets the number of calls per code: 2000 by default (the
// share that runs with every test run), 100000 or more for the full sweep.
// Absurd draws (thousands of MMscf/d through a half-inch pipe) make pieces
// that never settle and are split again, so a call may take a good fraction
// of a second: the default keeps the whole sweep to seconds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

long CallsPerCode() {
  const char* env = std::getenv("PDROP_SWEEP_CALLS");
  const long n = env != nullptr ? std::atol(env) : 0;
  return n > 0 ? n : 2000;
}

class Draw {
 public:
  explicit Draw(std::uint64_t seed) : rng_(seed) {}

  // Log-uniform in [lo, hi], sometimes replaced by a hostile value.
  double Value(double lo, double hi, bool signed_ = false) {
    if (Chance(0.04)) return Hostile();
    double v = std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng_));
    if (signed_ && Chance(0.3)) v = -v;
    return v;
  }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }
  int Sign() { return Chance(0.5) ? 1 : -1; }

 private:
  double Hostile() {
    static const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    0.0, -1.0, -1e6, 1e300, -1e300, 1e-300, kNotSet};
    return values[std::uniform_int_distribution<int>(0, 9)(rng_)];
  }
  std::mt19937_64 rng_;
};

class Sweep : public ::testing::TestWithParam<int> {};

TEST_P(Sweep, EveryCallReturnsFiniteValuesAndLeavesTheFluidAlone) {
  const int code = GetParam();
  BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 32.0;
  fluid.waterSalinity = 3.0;
  BlackOilPhases ph = fluid.MakePhases();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(code));
  Draw d(0x5eed0000u + static_cast<unsigned>(code));
  const long calls = CallsPerCode();
  double out[CPressData::kCopyDataSize];
  long results = 0;
  for (long i = 0; i < calls; ++i) {
    e->Init(d.Chance(0.2) ? d.Value(0.5, 10.0) : 0.0, d.Value(0.5, 60.0), d.Value(0.01, 1e5),
            d.Value(0.01, 1e5, true));
    e->SetDir(d.Sign());
    e->SetFlw(d.Sign());
    e->SetFf(d.Value(1e-6, 0.1));
    e->SetFlowOver(d.Chance(0.1) ? 1 : 0);
    e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
    const double hostBubblePoint = d.Chance(0.2) ? 2500.0 : kNotSet;
    *ph.oil->BubblePointParameter() = hostBubblePoint;

    const double p2 = e->Cal(d.Value(1.0, 1e5), d.Value(300.0, 1500.0), d.Value(1e-5, 0.5, true),
                             d.Chance(0.15) ? 0.0 : d.Value(1e-6, 1e4, true),
                             d.Chance(0.3) ? 0.0 : d.Value(1e-3, 1e6, true),
                             d.Chance(0.3) ? 0.0 : d.Value(1e-3, 1e6, true));
    ASSERT_TRUE(p2 == kNotSet || (std::isfinite(p2) && p2 >= 5.0)) << "call " << i << ": " << p2;
    e->CopyData(out);
    for (int k = 0; k < CPressData::kCopyDataSize; ++k) {
      ASSERT_TRUE(std::isfinite(out[k])) << "call " << i << ", field " << k;
    }
    ASSERT_EQ(ph.oil->BubblePointParameter()->Value(), hostBubblePoint) << "call " << i;
    if (p2 != kNotSet) ++results;
  }
  // The draw must reach the physics, not only the input guards.
  EXPECT_GT(results, calls / 20) << "code " << code;
  EXPECT_EQ(ph.gas->SpecificGravity(), 0.7);
  EXPECT_NEAR(ph.oil->OilGravity(), 141.5 / 163.5, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, Sweep, ::testing::Range(0, 10));

}  // namespace
}  // namespace pdrop
