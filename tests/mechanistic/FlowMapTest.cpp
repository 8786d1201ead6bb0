// The flow-pattern map in memory and as text files.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

namespace fs = std::filesystem;

class FlowMap : public ::testing::Test {
 protected:
  void Prepare(CMechModel& e, double dx, double dz, double qg = 1.0, double qo = 500.0,
               double qw = 100.0) {
    e.Init(0.0, 4.0, dx, dz);
    e.SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
    ASSERT_NE(e.Cal(1000.0, 600.0, 0.0, qg, qo, qw), kNotSet);
  }
  BlackOilPhases phases = BlackOilFluid{0.7, 32.0}.MakePhases();  // gas gravity 0.7, 32 API
};

TEST_F(FlowMap, FifteenEntriesByCodeAndTheRecordPutBack) {
  std::vector<CFlowRegime> map(3);
  // Nothing evaluated yet: no map.
  EXPECT_FALSE(CMechModel().GetFlowMap(map));
  EXPECT_TRUE(map.empty());
  // Gas alone, or liquid alone: every point is undetermined, and the entries
  // are there to be indexed by code.
  for (const auto& [qg, qo, qw] : {std::tuple{1.0, 0.0, 0.0}, std::tuple{0.0, 500.0, 100.0}}) {
    CMechModel one;
    Prepare(one, 1000.0, 0.0, qg, qo, qw);
    ASSERT_TRUE(one.GetFlowMap(map)) << qg;
    ASSERT_EQ(map.size(), 15u);
    for (const CFlowRegime& entry : map) {
      EXPECT_EQ(entry.m_nCode, CFlowRegime::kNoCode);
      EXPECT_TRUE(entry.m_aVsg.empty() && entry.m_aVsl.empty() && entry.m_aHoldup.empty() &&
                  entry.m_aElevationDP.empty());
    }
  }
  // A level pipe, then a vertical one.
  for (const auto& [dx, dz] : {std::pair{1000.0, 0.0}, std::pair{0.0, 1000.0}}) {
    CMechModel e;
    Prepare(e, dx, dz);
    const double p2 = e.m_dP2, length = e.m_dLength, vsg = e.m_dVsg, vsl = e.m_dVsl;
    ASSERT_TRUE(e.GetFlowMap(map));
    ASSERT_EQ(map.size(), 15u);
    std::size_t points = 0;
    double lowest = 1e9, highest = 0.0;
    for (std::size_t code = 0; code < map.size(); ++code) {
      const CFlowRegime& entry = map[code];
      EXPECT_EQ(entry.m_nCode, entry.IsCode() ? code : 0xFFFFFFFFu);
      EXPECT_TRUE(entry.IsCode() ? code >= 6 && code <= 13 : entry.m_aVsg.empty());
      ASSERT_EQ(entry.m_aVsg.size(), entry.m_aVsl.size());
      ASSERT_EQ(entry.m_aVsg.size(), entry.m_aElevationDP.size());
      ASSERT_TRUE(entry.m_aHoldup.size() <= entry.m_aVsg.size());
      points += entry.m_aVsg.size();
      for (double h : entry.m_aHoldup) EXPECT_TRUE(h == kNotSet || (h >= 0.0 && h <= 1.0));
      // A level pipe has no elevation change; per foot of a vertical pipe it
      // lies between the gas and the liquid gradient.
      for (double el : entry.m_aElevationDP) {
        EXPECT_TRUE(el == kNotSet || (dz == 0.0 ? el == 0.0 : el > 0.0 && el < 0.5)) << el;
      }
      for (double v : entry.m_aVsg) {
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
      }
    }
    EXPECT_TRUE(points > 2400u && points <= 2500u) << points;
    // The grid spans 0.01-500 ft/s of gas. A level pipe shows stratified flow
    // at low rates and annular at high gas rates; a vertical one no stratified flow.
    EXPECT_NEAR(lowest, 0.01, 1e-12);
    EXPECT_NEAR(highest, 500.0, 1e-6);
    EXPECT_EQ(map[8].IsCode() || map[9].IsCode(), dz == 0.0);
    EXPECT_TRUE(dz != 0.0 || map[10].GetCodeName() == "Annular Mist");
    // The record is put back: a calculation after the map gives what it gave before.
    EXPECT_TRUE(e.m_dP2 == p2 && e.m_dLength == length && e.m_dVsg == vsg && e.m_dVsl == vsl);
    EXPECT_EQ(e.Cal(1000.0, 600.0, 0.0, 1.0, 500.0, 100.0), p2);
  }
}

TEST_F(FlowMap, TextDumpsOfPatternsAndBoundaries) {
  FlowMapWriter w;
  Prepare(w, 1000.0, 0.0);
  const double rhoL = w.m_dRhoL, vsg = w.m_dVsg;
  const fs::path dir = fs::temp_directory_path() / ("pdrop_map_" + std::to_string(::getpid()));
  fs::create_directories(dir);

  ASSERT_TRUE(w.WriteBoundaryFile(dir.string()));
  const std::vector<std::string> b = test::ReadLines(dir / "FlowPatternMapBoundaries.txt");
  ASSERT_GT(b.size(), 3u);
  EXPECT_EQ(b[0], "Flow Pattern , VsG [ft/s] , VsL [ft/s]");
  // The first point is written as the first change and again as an edge point.
  EXPECT_EQ(b[1], b[2]);
  EXPECT_NE(b[1].find(" , 1.00000000E-02 , 1.00000000E-02, "), std::string::npos) << b[1];

  ASSERT_TRUE(w.WritePatternFiles(dir.string()));
  std::size_t lines = 0;
  for (const char* name :
       {"6_Bubble", "7_Dispersed_Bubble", "8_Stratified_Smooth", "9_Stratified_Wavy",
        "10_Annular_Mist", "11_Slug", "12_Elongated_Bubble", "13_Froth"}) {
    const std::vector<std::string> f =
        test::ReadLines(dir / ("FlowPattern_" + std::string(name) + ".txt"));
    ASSERT_FALSE(f.empty()) << name;
    EXPECT_EQ(f[0], "Flow Pattern , VsG [ft/s] , VsL [ft/s] , EL , FE");
    lines += f.size() - 1;
    // Every line of a file is of its own pattern, so a pattern that never
    // occurs leaves its header alone.
    const std::string code = std::string(name).substr(0, std::string(name).find('_'));
    for (std::size_t i = 1; i < f.size(); ++i) {
      ASSERT_EQ(f[i].substr(0, code.size() + 2), code + " ,") << name;
    }
  }
  // The grid has 406 x 427 points; undetermined ones are in no file.
  EXPECT_TRUE(lines <= 406u * 427u && lines > 406u * 427u * 9 / 10) << lines;
  // The fluid is put back after each dump: one left out by the boundary file
  // would be kept by the pattern files as theirs to put back.
  EXPECT_TRUE(w.m_dRhoL == rhoL && w.m_dVsg == vsg);
  // A directory that does not exist: no file, and the fluid still put back.
  EXPECT_FALSE(w.WritePatternFiles((dir / "missing" / "deeper").string()));
  EXPECT_EQ(w.m_dRhoL, rhoL);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pdrop
