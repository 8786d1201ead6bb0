// The correlation catalogue and factory. The lists, names, help texts and
// default efficiencies as the command shows them are checked against a
// stored `pdrop list`; here: what the command does not show.
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

TEST(Catalogue, MechanisticModelFlagAppendsItToAllAndMultiphaseListsOnly) {
  const std::pair<EnumFn, bool> lists[] = {
      {&CPressDrop::EnumerateAll, true},         {&CPressDrop::EnumerateMultiphase1, true},
      {&CPressDrop::EnumerateMultiphase2, true}, {&CPressDrop::EnumerateGas, false},
      {&CPressDrop::EnumerateLiquid, false},     {&CPressDrop::EnumerateFlowCodes, false}};
  for (const auto& [fn, gainsIt] : lists) {
    CPressDrop::m_bMechModel = 0;
    Entries expected = List(fn);
    if (gainsIt) expected.emplace_back("Petalas & Aziz", 9);
    CPressDrop::m_bMechModel = -3;  // any nonzero value admits it
    EXPECT_EQ(List(fn), expected);
  }
  CPressDrop::m_bMechModel = 0;
}

TEST(Catalogue, NamesAndHelpTextsOutsideTheListedOnes) {
  for (int code : {666, 14, 665, -1}) EXPECT_EQ(CPressDrop::GetCodeName(code), "Undefined") << code;
  // Only Fanning and Weymouth have a second help text.
  for (int option : {1, -5}) EXPECT_EQ(CPressDrop::GetBblHelp(option, 0), "Equivalent to Moody");
  EXPECT_EQ(CPressDrop::GetBblHelp(2, 6), "Weymouth Multiphase - Horizontal Pipes");
  EXPECT_EQ(CPressDrop::GetBblHelp(1, 3), CPressDrop::GetBblHelp(0, 3));
  for (int code : {10, -1, 666}) EXPECT_EQ(CPressDrop::GetBblHelp(0, code), "") << code;
  for (int code : {42, -1}) EXPECT_DOUBLE_EQ(CPressDrop::GetDefaultFlowEff(code), 1.0) << code;
}

TEST(Catalogue, FlowRegimeEntryNamesItsCodeOnlyWhenSet) {
  CFlowRegime entry;
  EXPECT_FALSE(entry.IsCode());
  EXPECT_EQ(entry.GetCodeName(), "");
  entry.m_nCode = 11;
  entry.m_aVsg = {1.0, 2.0};
  const CFlowRegime copy(entry);
  EXPECT_EQ(copy.GetCodeName(), "Slug");
  EXPECT_EQ(copy.m_aVsg, entry.m_aVsg);
  entry.m_nCode = 0xFFFFFFFEu;  // a code, but not one of the table
  EXPECT_TRUE(entry.IsCode());
  EXPECT_EQ(entry.GetCodeName(), "Undefined");
}

// The geometry the factory passes to Init is Init's (core/EngineTest.cpp) and
// reaches every solved segment of the other suites.
TEST(Catalogue, FactoryBuildsEachCodesClassKeepsTheCodeAndFallsBackToFanning) {
  const std::pair<int, const char*> classes[] = {
      {0, "CFanning"},    {1, "CPanhandle"},     {2, "CPanEastern"}, {3, "CBeggsBrill"},
      {4, "CGray"},       {5, "CHagedornBrown"}, {6, "CWeymouth"},   {7, "CPanhandle"},
      {8, "CPanEastern"}, {9, "CMechModel"},     {42, "CFanning"}};
  for (const auto& [code, name] : classes) {
    std::unique_ptr<CPressDrop> e(CPressDrop::New(code));
    EXPECT_STREQ(e->GetRuntimeClass()->m_lpszClassName, name) << code;
    EXPECT_EQ(e->m_nCode, code);
  }
  EXPECT_EQ(std::unique_ptr<CPressDrop>(CPressDrop::New(2.375, 6.276, 0.0, 500.0, 5))->m_nCode, 5);
}

}  // namespace
}  // namespace pdrop
