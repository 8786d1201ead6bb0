// Eight threads, each with its own engines and fluid objects, solve the
// reference cases of every code as a serial run does and must get identical
// numbers, also while the Beggs & Brill debug table is being written by all
// of them (whose rows must come out whole).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "ReferenceCases.h"

namespace pdrop {
namespace {

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

  std::ifstream in(file);
  ASSERT_TRUE(in) << file;
  const std::string header = "qg,qo,qw,vsg,vsl,LGR,Cl,El,flow,oy,os,e(os),y,ln(y),s,e(s)";
  long rows = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line == header) continue;
    // A whole row: sixteen fields, none of them run into another row.
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 15) << line;
    ++rows;
  }
  EXPECT_GT(rows, 100);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace pdrop
