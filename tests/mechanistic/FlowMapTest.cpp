// The flow-pattern map in memory and as text files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

namespace fs = std::filesystem;

class FlowMap : public ::testing::Test {
 protected:
  void SetUp() override {
    fluid.gasGravity = 0.7;
    fluid.oilApi = 32.0;
    phases = fluid.MakePhases();
  }
  void Prepare(CMechModel& e, double dx, double dz) {
    e.Init(0.0, 4.0, dx, dz);
    e.SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
    ASSERT_NE(e.Cal(1000.0, 600.0, 0.0, 1.0, 500.0, 100.0), kNotSet);
  }
  static std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  BlackOilFluid fluid;
  BlackOilPhases phases;
};

TEST_F(FlowMap, FifteenEntriesByCodeAndTheRecordPutBack) {
  CMechModel e;
  std::vector<CFlowRegime> map(3);
  // Nothing evaluated yet: no map.
  EXPECT_FALSE(e.GetFlowMap(map));
  EXPECT_TRUE(map.empty());
  // Gas alone, or liquid alone: every point is undetermined, and the entries
  // are there to be indexed by code.
  for (const auto& [qg, qo, qw] : {std::tuple{1.0, 0.0, 0.0}, std::tuple{0.0, 500.0, 100.0}}) {
    CMechModel one;
    one.Init(0.0, 4.0, 1000.0, 0.0);
    one.SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
    ASSERT_NE(one.Cal(1000.0, 600.0, 0.0, qg, qo, qw), kNotSet);
    ASSERT_TRUE(one.GetFlowMap(map)) << qg;
    ASSERT_EQ(map.size(), 15u);
    for (const CFlowRegime& entry : map) {
      EXPECT_EQ(entry.m_nCode, CFlowRegime::kNoCode);
      EXPECT_TRUE(entry.m_aVsg.empty() && entry.m_aVsl.empty() && entry.m_aHoldup.empty() &&
                  entry.m_aElevationDP.empty());
    }
  }

  Prepare(e, 1000.0, 0.0);
  const double p2 = e.m_dP2, length = e.m_dLength, vsg = e.m_dVsg, vsl = e.m_dVsl;
  ASSERT_TRUE(e.GetFlowMap(map));
  ASSERT_EQ(map.size(), 15u);
  std::size_t points = 0;
  for (std::size_t code = 0; code < map.size(); ++code) {
    const CFlowRegime& entry = map[code];
    if (!entry.IsCode()) {
      EXPECT_EQ(entry.m_nCode, 0xFFFFFFFFu);
      EXPECT_TRUE(entry.m_aVsg.empty() && entry.m_aVsl.empty() && entry.m_aHoldup.empty());
      continue;
    }
    EXPECT_EQ(entry.m_nCode, code);
    EXPECT_GE(code, 6u);
    EXPECT_LE(code, 13u);
    ASSERT_EQ(entry.m_aVsg.size(), entry.m_aVsl.size());
    ASSERT_EQ(entry.m_aVsg.size(), entry.m_aElevationDP.size());
    points += entry.m_aVsg.size();
    for (double h : entry.m_aHoldup) EXPECT_TRUE(h == kNotSet || (h >= 0.0 && h <= 1.0));
    // A level pipe has no elevation change.
    for (double el : entry.m_aElevationDP) EXPECT_TRUE(el == kNotSet || el == 0.0);
  }
  EXPECT_LE(points, 2500u);
  EXPECT_GT(points, 2400u);
  // A level pipe shows stratified flow at low rates and annular at high gas rates.
  EXPECT_TRUE(map[8].IsCode() || map[9].IsCode());
  EXPECT_TRUE(map[10].IsCode());
  EXPECT_EQ(map[10].GetCodeName(), "Annular Mist");
  // The grid spans 0.01-500 ft/s of gas and 0.01-100 of liquid.
  double lowest = 1e9, highest = 0.0;
  for (const CFlowRegime& entry : map) {
    for (double v : entry.m_aVsg) {
      lowest = std::min(lowest, v);
      highest = std::max(highest, v);
    }
  }
  EXPECT_NEAR(lowest, 0.01, 1e-12);
  EXPECT_NEAR(highest, 500.0, 1e-6);

  EXPECT_EQ(e.m_dP2, p2);
  EXPECT_EQ(e.m_dLength, length);
  EXPECT_EQ(e.m_dVsg, vsg);
  EXPECT_EQ(e.m_dVsl, vsl);
  // A calculation after the map gives what it gave before.
  EXPECT_EQ(e.Cal(1000.0, 600.0, 0.0, 1.0, 500.0, 100.0), p2);
}

TEST_F(FlowMap, UphillPointsCarryTheirElevationGradient) {
  CMechModel e;
  Prepare(e, 0.0, 1000.0);
  std::vector<CFlowRegime> map;
  ASSERT_TRUE(e.GetFlowMap(map));
  EXPECT_FALSE(map[8].IsCode() || map[9].IsCode()) << "no stratified flow in a vertical pipe";
  // Per foot of a vertical pipe: between the gas and the liquid gradient.
  for (const CFlowRegime& entry : map) {
    for (double el : entry.m_aElevationDP) {
      if (el == kNotSet) continue;
      EXPECT_GT(el, 0.0);
      EXPECT_LT(el, 0.5);
    }
  }
}

TEST_F(FlowMap, TextDumpsOfPatternsAndBoundaries) {
  FlowMapWriter w;
  Prepare(w, 1000.0, 0.0);
  const double rhoL = w.m_dRhoL, vsg = w.m_dVsg;
  const fs::path dir = fs::temp_directory_path() / ("pdrop_map_" + std::to_string(::getpid()));
  fs::create_directories(dir);

  ASSERT_TRUE(w.WriteBoundaryFile(dir.string()));
  const std::vector<std::string> b = Lines(dir / "FlowPatternMapBoundaries.txt");
  ASSERT_GT(b.size(), 3u);
  EXPECT_EQ(b[0], "Flow Pattern , VsG [ft/s] , VsL [ft/s]");
  // The first point is written as the first change and again as an edge point.
  EXPECT_EQ(b[1], b[2]);
  EXPECT_NE(b[1].find(" , 1.00000000E-02 , 1.00000000E-02, "), std::string::npos) << b[1];
  EXPECT_EQ(w.m_dRhoL, rhoL) << "the fluid is put back";
  EXPECT_EQ(w.m_dVsg, vsg);

  ASSERT_TRUE(w.WritePatternFiles(dir.string()));
  const char* header = "Flow Pattern , VsG [ft/s] , VsL [ft/s] , EL , FE";
  std::size_t lines = 0;
  for (const char* name :
       {"FlowPattern_6_Bubble.txt", "FlowPattern_7_Dispersed_Bubble.txt",
        "FlowPattern_8_Stratified_Smooth.txt", "FlowPattern_9_Stratified_Wavy.txt",
        "FlowPattern_10_Annular_Mist.txt", "FlowPattern_11_Slug.txt",
        "FlowPattern_12_Elongated_Bubble.txt", "FlowPattern_13_Froth.txt"}) {
    const std::vector<std::string> f = Lines(dir / name);
    ASSERT_FALSE(f.empty()) << name;
    EXPECT_EQ(f[0], header);
    lines += f.size() - 1;
    // Every line of a file is of its own pattern, so a pattern that never
    // occurs leaves its header alone.
    const std::string code = std::string(name).substr(12, std::string(name).find('_', 12) - 12);
    for (std::size_t i = 1; i < f.size(); ++i) {
      ASSERT_EQ(f[i].substr(0, code.size() + 2), code + " ,") << name;
    }
  }
  // The grid has 406 x 427 points; undetermined ones are in no file.
  EXPECT_LE(lines, 406u * 427u);
  EXPECT_GT(lines, 406u * 427u * 9 / 10);
  EXPECT_EQ(w.m_dRhoL, rhoL);

  // A directory that does not exist: no file, and the fluid still put back.
  EXPECT_FALSE(w.WritePatternFiles((dir / "missing" / "deeper").string()));
  EXPECT_EQ(w.m_dRhoL, rhoL);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pdrop
