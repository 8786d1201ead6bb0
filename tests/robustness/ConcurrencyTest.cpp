// Eight threads, each with its own engines and fluid objects, solve the same
// cases as a serial run and must get identical numbers, also while the
// Beggs & Brill debug table is being written by all of them (whose rows must
// come out whole).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

struct Case {
  int code;
  double dx, dz, p, qg, qo, qw;
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (int code = 0; code <= 9; ++code) {
    cases.push_back({code, 0.0, 1000.0, 1500.0, 0.5, 1000.0, 300.0});
    cases.push_back({code, 2000.0, 50.0, 900.0, 5.0, 200.0, 20.0});
    cases.push_back({code, 500.0, -200.0, 1200.0, 1.0, 0.0, 50.0});
    cases.push_back({code, 0.0, 3000.0, 800.0, 2.0, 0.0, 0.0});
  }
  return cases;
}

// Solves every case with engines and fluid objects of its own.
std::vector<double> Solve(const std::vector<Case>& cases) {
  BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 32.0;
  fluid.waterSalinity = 3.0;
  BlackOilPhases ph = fluid.MakePhases();
  std::vector<double> out;
  for (const Case& c : cases) {
    std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.992, c.dx, c.dz, c.code));
    e->SetDir(c.dz < 0.0 ? -1 : 1);
    e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
    out.push_back(e->Cal(c.p, 620.0, 0.01, c.qg, c.qo, c.qw));
    out.push_back(e->m_dFrictionDP);
    out.push_back(e->m_dHoldup);
  }
  return out;
}

void ExpectThreadsMatchSerial() {
  const std::vector<Case> cases = Cases();
  const std::vector<double> serial = Solve(cases);
  std::vector<std::vector<double>> results(8);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) results[t] = Solve(cases);
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
  std::string line;
  long rows = 0;
  while (std::getline(in, line)) {
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
