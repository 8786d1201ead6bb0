// Robustness of every correlation code: the stored reference outputs
// (a change made for speed must not change a result); a randomised sweep;
// and eight threads, each with its own engines and fluid objects, that solve
// the reference cases as a serial run does and must get identical numbers,
// also while the Beggs & Brill debug table is being written by all of them
// (whose rows must come out whole).
//
// The sweep calls every code with inputs drawn log-uniformly across and
// beyond the physical ranges, and with NaN, infinities, zeros, negatives,
// huge values and the not-set marker in every argument and geometry field.
// Every call must return, no result field may hold a NaN or an infinity, and
// the host's fluid objects must be as they were. PDROP_SWEEP_CALLS sets the
// number of calls per code: 2000 by default (the share that runs with every
// test run), 100000 or more for the full sweep. Absurd draws (thousands of
// MMscf/d through a half-inch pipe) make pieces that never settle and are
// split again, so a call may take a good fraction of a second: the default
// keeps the whole sweep to seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../TestFluids.h"
#include "ReferenceCases.h"

namespace pdrop {
namespace {

TEST(ReferenceOutputs, EveryCodeReproducesTheStoredResults) {
  std::ifstream in(PDROP_REFERENCE_FILE);
  ASSERT_TRUE(in) << PDROP_REFERENCE_FILE;
  std::string line;
  std::getline(in, line);
  int rows = 0;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string field[7];
    for (std::string& f : field) std::getline(s, f, ',');
    const int code = std::stoi(field[0]);
    const reference::Segment* segment = nullptr;
    for (const auto& seg : reference::Segments()) {
      if (field[1] == seg.name) segment = &seg;
    }
    ASSERT_NE(segment, nullptr) << line;
    const reference::Outcome o = reference::Solve(code, *segment);
    const double stored[4] = {std::stod(field[2]), std::stod(field[3]), std::stod(field[4]),
                              std::stod(field[5])};
    const double now[4] = {o.p2, o.friction, o.elevation, o.holdup};
    for (int k = 0; k < 4; ++k) {
      EXPECT_NEAR(now[k], stored[k], 1e-10 * std::max(1.0, std::fabs(stored[k])))
          << "code " << code << ", " << segment->name << ", column " << k + 2;
    }
    EXPECT_EQ(o.regime, std::stoi(field[6])) << "code " << code << ", " << segment->name;
    ++rows;
  }
  EXPECT_EQ(rows, 10 * static_cast<int>(reference::Segments().size()));
}

std::vector<double> SolveAll() {
  std::vector<double> out;
  for (int code = 0; code <= 9; ++code) {
    for (const auto& s : reference::Segments()) {
      const reference::Outcome o = reference::Solve(code, s);
      out.insert(out.end(), {o.p2, o.friction, o.elevation, o.holdup, double(o.regime)});
    }
  }
  return out;
}

void ExpectThreadsMatchSerial() {
  const std::vector<double> serial = SolveAll();
  std::vector<std::vector<double>> results(8);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) results[t] = SolveAll();
    });
  }
  for (std::thread& th : threads) th.join();
  for (const std::vector<double>& r : results) EXPECT_EQ(r, serial);
}

TEST(Concurrency, EightThreadsGetTheSerialResults) { ExpectThreadsMatchSerial(); }

TEST(Concurrency, DebugTableStaysWellFormedUnderEightThreads) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "Beggs&Brill.csv";
  std::filesystem::remove(file);
  setenv("DEBUG_BEGGS_AND_BRILL", "1", 1);
  ExpectThreadsMatchSerial();
  unsetenv("DEBUG_BEGGS_AND_BRILL");

  const std::string header = "qg,qo,qw,vsg,vsl,LGR,Cl,El,flow,oy,os,e(os),y,ln(y),s,e(s)";
  long rows = 0;
  for (const std::string& line : test::ReadLines(file)) {
    if (line.empty() || line == header) continue;
    // A whole row: sixteen fields, none of them run into another row.
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 15) << line;
    ++rows;
  }
  EXPECT_GT(rows, 100);
  std::filesystem::remove(file);
}

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
    constexpr double kInf = std::numeric_limits<double>::infinity();
    static const double values[] = {std::nan(""), kInf,  -kInf,  0.0,    -1.0,
                                    -1e6,         1e300, -1e300, 1e-300, kNotSet};
    return values[std::uniform_int_distribution<int>(0, 9)(rng_)];
  }
  std::mt19937_64 rng_;
};

class Sweep : public ::testing::TestWithParam<int> {};

TEST_P(Sweep, EveryCallReturnsFiniteValuesAndLeavesTheFluidAlone) {
  const int code = GetParam();
  BlackOilPhases ph = reference::Phases();
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
  EXPECT_NEAR(ph.oil->OilGravity(), 141.5 / 164.5, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, Sweep, ::testing::Range(0, 10));

}  // namespace
}  // namespace pdrop
