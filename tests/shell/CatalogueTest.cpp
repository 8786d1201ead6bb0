// The correlation catalogue and factory: lists, help texts, default
// efficiencies, flow-regime names and the flow-pattern map entry.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using Entries = std::vector<std::pair<std::string, int>>;
using EnumFn = void (*)(std::vector<std::string>&, std::vector<std::uint16_t>&);

// Runs a list operation on arrays holding stale entries, which it must
// replace, and pairs names with codes by index.
Entries List(EnumFn fn) {
  std::vector<std::string> names{"stale", "stale"};
  std::vector<std::uint16_t> codes{99};
  fn(names, codes);
  EXPECT_EQ(names.size(), codes.size());
  Entries out;
  for (std::size_t i = 0; i < names.size() && i < codes.size(); ++i)
    out.emplace_back(names[i], codes[i]);
  return out;
}

const Entries kAll{{"Modified Beggs & Brill", 3}, {"Fanning Gas", 0}, {"Flanigan", 7},
                   {"Gray", 4}, {"Hagedorn & Brown", 5}, {"Modified Flanigan", 8},
                   {"Modified Panhandle", 2}, {"Panhandle", 1}, {"Weymouth", 6}};
const Entries kGas{{"Modified Beggs & Brill", 3}, {"Fanning Gas", 0}, {"Gray", 4},
                   {"Hagedorn & Brown", 5}, {"Modified Panhandle", 2}, {"Panhandle", 1},
                   {"Weymouth", 6}};
const Entries kLiquid{{"Modified Beggs & Brill", 3}, {"Fanning Liquid", 0}, {"Gray", 4},
                      {"Hagedorn & Brown", 5}};
const Entries kMulti1{{"Modified Beggs & Brill", 3}, {"Gray", 4}, {"Hagedorn & Brown", 5}};
const Entries kMulti2{{"Modified Beggs & Brill", 3}, {"Gray", 4}, {"Hagedorn & Brown", 5},
                      {"Flanigan", 7}, {"Modified Flanigan", 8}, {"Weymouth Multiphase", 6}};

Entries WithMechanistic(Entries e) {
  e.emplace_back("Petalas & Aziz", 9);
  return e;
}

// The mechanistic-model flag is process-wide: every test leaves it at 0.
class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { CPressDrop::m_bMechModel = 0; }
  void TearDown() override { CPressDrop::m_bMechModel = 0; }
};

TEST_F(CatalogueTest, ListsHoldTheirEntriesInOrderWithoutMechanisticModel) {
  EXPECT_EQ(List(&CPressDrop::EnumerateAll), kAll);
  EXPECT_EQ(List(&CPressDrop::EnumerateGas), kGas);
  EXPECT_EQ(List(&CPressDrop::EnumerateLiquid), kLiquid);
  EXPECT_EQ(List(&CPressDrop::EnumerateMultiphase1), kMulti1);
  EXPECT_EQ(List(&CPressDrop::EnumerateMultiphase2), kMulti2);
}

TEST_F(CatalogueTest, MechanisticModelIsAppendedToAllAndMultiphaseListsOnly) {
  CPressDrop::m_bMechModel = 1;
  EXPECT_EQ(List(&CPressDrop::EnumerateAll), WithMechanistic(kAll));
  EXPECT_EQ(List(&CPressDrop::EnumerateMultiphase1), WithMechanistic(kMulti1));
  EXPECT_EQ(List(&CPressDrop::EnumerateMultiphase2), WithMechanistic(kMulti2));
  EXPECT_EQ(List(&CPressDrop::EnumerateGas), kGas);
  EXPECT_EQ(List(&CPressDrop::EnumerateLiquid), kLiquid);
  CPressDrop::m_bMechModel = -3;  // any nonzero value admits it
  EXPECT_EQ(List(&CPressDrop::EnumerateAll).size(), 10u);
}

TEST_F(CatalogueTest, FlowCodeNamesAndTheFlowCodeList) {
  CPressDrop::m_bMechModel = 1;  // never adds to the flow codes
  const Entries list{{"StaticGrad", 0}, {"SinglePhase", 1}, {"Segregated", 2},
                     {"Intermittent", 3}, {"Distributed", 4}, {"Transitional", 5},
                     {"Undefined", 666}, {"Bubble", 6}, {"Dispersed Bubble", 7},
                     {"Stratified Smooth", 8}, {"Stratified Wavy", 9}, {"AnnularMist", 10},
                     {"Slug", 11}, {"Elongated Bubble", 12}, {"Froth", 13}};
  EXPECT_EQ(List(&CPressDrop::EnumerateFlowCodes), list);
  const std::vector<std::string> names{
      "Static Gradient", "Single Phase", "Segregated", "Intermittent", "Distributed",
      "Transitional", "Bubble", "Dispersed Bubble", "Stratified (Smooth)", "Stratified (Wavy)",
      "Annular Mist", "Slug", "Elongated Bubble", "Froth"};
  for (int code = 0; code < 14; ++code) EXPECT_EQ(CPressDrop::GetCodeName(code), names[code]);
  for (int code : {666, 14, 665, -1}) EXPECT_EQ(CPressDrop::GetCodeName(code), "Undefined") << code;
}

TEST_F(CatalogueTest, HelpTextsDependOnVariantOnlyForFanningAndWeymouth) {
  EXPECT_EQ(CPressDrop::GetBblHelp(0, 0), "Multistep Cullender & Smith");
  EXPECT_EQ(CPressDrop::GetBblHelp(1, 0), "Equivalent to Moody");
  EXPECT_EQ(CPressDrop::GetBblHelp(-5, 0), "Equivalent to Moody");
  EXPECT_EQ(CPressDrop::GetBblHelp(0, 6), "Predominantly Horizontal Gas Pipes");
  EXPECT_EQ(CPressDrop::GetBblHelp(2, 6), "Weymouth Multiphase - Horizontal Pipes");
  const std::vector<std::pair<int, std::string>> fixed{
      {1, "Predominantly Horizontal Gas Pipes"}, {2, "Predominantly Horizontal Gas Pipes"},
      {3, "Generally Applicable"}, {4, "Predominantly Gas"}, {5, "Predominantly Oil"},
      {7, "Panhandle Multiphase - Horizontal Pipes"},
      {8, "Modified Panhandle Multiphase - Horizontal Pipes"}, {9, "Mechanistic Model"},
      {10, ""}, {-1, ""}, {666, ""}};
  for (const auto& [code, text] : fixed) {
    EXPECT_EQ(CPressDrop::GetBblHelp(0, code), text) << code;
    EXPECT_EQ(CPressDrop::GetBblHelp(1, code), text) << code;
  }
}

TEST_F(CatalogueTest, DefaultEfficienciesFollowTheGasPipelineClasses) {
  const std::vector<std::pair<int, double>> eff{{0, 1.0}, {1, 0.85}, {2, 0.80}, {3, 1.0},
                                                {4, 1.0}, {5, 1.0}, {6, 1.15}, {7, 0.82},
                                                {8, 0.82}, {9, 1.0}, {42, 1.0}, {-1, 1.0}};
  for (const auto& [code, value] : eff)
    EXPECT_DOUBLE_EQ(CPressDrop::GetDefaultFlowEff(code), value) << code;
  EXPECT_DOUBLE_EQ(CPressDrop::GetDefaultFE(true), 1.0);
  EXPECT_DOUBLE_EQ(CPressDrop::GetDefaultFE(false), 1.0);
}

TEST_F(CatalogueTest, FlowRegimeEntryNamesItsCodeOnlyWhenSet) {
  const CFlowRegime none;
  EXPECT_EQ(none.m_nCode, 0xFFFFFFFFu);
  EXPECT_FALSE(none.IsCode());
  EXPECT_EQ(none.GetCodeName(), "");
  EXPECT_TRUE(none.m_aVsg.empty() && none.m_aVsl.empty() && none.m_aHoldup.empty() &&
              none.m_aElevationDP.empty());
  CFlowRegime slug;
  slug.m_nCode = 11;
  slug.m_aVsg = {1.0, 2.0};
  const CFlowRegime copy(slug);
  EXPECT_TRUE(copy.IsCode());
  EXPECT_EQ(copy.GetCodeName(), "Slug");
  EXPECT_EQ(copy.m_aVsg, slug.m_aVsg);
  slug.m_nCode = 0;
  EXPECT_EQ(slug.GetCodeName(), "Static Gradient");
  slug.m_nCode = 0xFFFFFFFEu;  // a code, but not one of the table
  EXPECT_TRUE(slug.IsCode());
  EXPECT_EQ(slug.GetCodeName(), "Undefined");
}

TEST_F(CatalogueTest, FactoryKeepsTheCodeAndFallsBackToFanning) {
  for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    std::unique_ptr<CPressDrop> e(CPressDrop::New(code));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_nCode, code);
    EXPECT_TRUE(e->IsKindOf(PDROP_RUNTIME_CLASS(CPressDrop)));
  }
  std::unique_ptr<CPressDrop> unknown(CPressDrop::New(42));
  EXPECT_STREQ(unknown->GetRuntimeClass()->m_lpszClassName, "CFanning");
  EXPECT_EQ(unknown->m_nCode, 42);
}

TEST_F(CatalogueTest, FiveArgumentNewAlsoInitialisesTheGeometry) {
  // 2.375 in tubing in 6.276 in casing, 500 ft vertical.
  std::unique_ptr<CPressDrop> e(CPressDrop::New(2.375, 6.276, 0.0, 500.0, 5));
  EXPECT_EQ(e->m_nCode, 5);
  EXPECT_DOUBLE_EQ(e->m_dDiameter, 3.901);
  // pi ((6.276/24)^2 - (2.375/24)^2) = pi (0.0683823 - 0.0097928) = 0.184064 ft2
  EXPECT_NEAR(e->m_dArea, 0.184064, 1e-6);
  EXPECT_DOUBLE_EQ(e->m_dLength, 500.0);
  EXPECT_EQ(e->m_dFlowRegime, 666.0);
  EXPECT_EQ(e->m_dFrictionDP, 0.0);
  // Not-set arguments are read as 0: a 3-4-5 segment with no inner string.
  std::unique_ptr<CPressDrop> g(CPressDrop::New(kNotSet, 2.441, 300.0, 400.0, 0));
  EXPECT_EQ(g->m_dInnerOD, 0.0);
  EXPECT_DOUBLE_EQ(g->m_dLength, 500.0);
}

}  // namespace
}  // namespace pdrop
