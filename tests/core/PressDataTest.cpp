// The segment record: fresh values, Init, assignment, copy construction and
// the flat result array of CopyData.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using Field = double CPressData::*;

// The 56 fields in declaration order.
const std::array<Field, 56> kDeclared{
    &CPressData::m_dLength,      &CPressData::m_dFlowRegime, &CPressData::m_dP1,
    &CPressData::m_dP2,          &CPressData::m_dP,          &CPressData::m_dIterations,
    &CPressData::m_dT,           &CPressData::m_dFrictionDP, &CPressData::m_dTotalDP,
    &CPressData::m_dElevationDP, &CPressData::m_dHoldup,     &CPressData::m_dFE,
    &CPressData::m_dBg,          &CPressData::m_dRhoG,       &CPressData::m_dZ,
    &CPressData::m_dMuG,         &CPressData::m_dVsg,        &CPressData::m_dLambdaG,
    &CPressData::m_dQgDissolved, &CPressData::m_dGasLiquidYield, &CPressData::m_dQlInGas,
    &CPressData::m_dBo,          &CPressData::m_dRhoO,       &CPressData::m_dRso,
    &CPressData::m_dMuO,         &CPressData::m_dSigmaO,     &CPressData::m_dVso,
    &CPressData::m_dBw,          &CPressData::m_dRhoW,       &CPressData::m_dRsw,
    &CPressData::m_dMuW,         &CPressData::m_dSigmaW,     &CPressData::m_dVsw,
    &CPressData::m_dRhoL,        &CPressData::m_dMuL,        &CPressData::m_dVsl,
    &CPressData::m_dLambdaL,     &CPressData::m_dSigma,      &CPressData::m_dLiquidVolume,
    &CPressData::m_dVg,          &CPressData::m_dVl,         &CPressData::m_dReM,
    &CPressData::m_dFm,          &CPressData::m_dRhoNS,      &CPressData::m_dMuNS,
    &CPressData::m_dRhoS,        &CPressData::m_dVm,         &CPressData::m_dStatus,
    &CPressData::m_dQg,          &CPressData::m_dQo,         &CPressData::m_dQw,
    &CPressData::m_dQlInSitu,    &CPressData::m_dGLMassRatio, &CPressData::m_dXg,
    &CPressData::m_dXo,          &CPressData::m_dXw};

// The exported order of CopyData: declaration order without m_dTotalDP,
// m_dRsw and m_dQlInSitu, with m_dTotalDP put after m_dVm.
const std::array<Field, 54> kExported{
    &CPressData::m_dLength,      &CPressData::m_dFlowRegime, &CPressData::m_dP1,
    &CPressData::m_dP2,          &CPressData::m_dP,          &CPressData::m_dIterations,
    &CPressData::m_dT,           &CPressData::m_dFrictionDP, &CPressData::m_dElevationDP,
    &CPressData::m_dHoldup,      &CPressData::m_dFE,         &CPressData::m_dBg,
    &CPressData::m_dRhoG,        &CPressData::m_dZ,          &CPressData::m_dMuG,
    &CPressData::m_dVsg,         &CPressData::m_dLambdaG,    &CPressData::m_dQgDissolved,
    &CPressData::m_dGasLiquidYield, &CPressData::m_dQlInGas, &CPressData::m_dBo,
    &CPressData::m_dRhoO,        &CPressData::m_dRso,        &CPressData::m_dMuO,
    &CPressData::m_dSigmaO,      &CPressData::m_dVso,        &CPressData::m_dBw,
    &CPressData::m_dRhoW,        &CPressData::m_dMuW,        &CPressData::m_dSigmaW,
    &CPressData::m_dVsw,         &CPressData::m_dRhoL,       &CPressData::m_dMuL,
    &CPressData::m_dVsl,         &CPressData::m_dLambdaL,    &CPressData::m_dSigma,
    &CPressData::m_dLiquidVolume, &CPressData::m_dVg,        &CPressData::m_dVl,
    &CPressData::m_dReM,         &CPressData::m_dFm,         &CPressData::m_dRhoNS,
    &CPressData::m_dMuNS,        &CPressData::m_dRhoS,       &CPressData::m_dVm,
    &CPressData::m_dTotalDP,     &CPressData::m_dStatus,     &CPressData::m_dQg,
    &CPressData::m_dQo,          &CPressData::m_dQw,         &CPressData::m_dGLMassRatio,
    &CPressData::m_dXg,          &CPressData::m_dXo,         &CPressData::m_dXw};

// Gives every field a distinct value, base + its declaration index.
void Fill(CPressData& d, double base) {
  for (std::size_t i = 0; i < kDeclared.size(); ++i) d.*kDeclared[i] = base + static_cast<double>(i);
}

bool SkippedByAssignment(Field f) { return f == &CPressData::m_dRsw || f == &CPressData::m_dQlInSitu; }

TEST(PressDataTest, FreshRecordIsNotSetExceptUndefinedRegime) {
  const CPressData d;
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const double expected = kDeclared[i] == &CPressData::m_dFlowRegime ? 666.0 : kNotSet;
    EXPECT_EQ(d.*kDeclared[i], expected) << "field #" << i + 1;
  }
  std::unique_ptr<CPressDrop> e(CPressDrop::New(3));
  EXPECT_EQ(e->GetCode(), 666);
}

TEST(PressDataTest, InitResetsAllButTotalRswAndStatus) {
  CPressData d;
  Fill(d, 100.0);
  d.Init();
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    double expected = kNotSet;
    if (f == &CPressData::m_dFlowRegime) expected = 666.0;
    if (f == &CPressData::m_dTotalDP || f == &CPressData::m_dRsw || f == &CPressData::m_dStatus)
      expected = 100.0 + static_cast<double>(i);
    EXPECT_EQ(d.*f, expected) << "field #" << i + 1;
  }
}

TEST(PressDataTest, CopyDataWritesFiftyFourValuesInExportOrder) {
  CPressData d;
  Fill(d, 1000.0);
  constexpr double kGuard = 12345.5;
  std::array<double, 60> out;
  out.fill(kGuard);
  EXPECT_EQ(d.CopyData(out.data()), 54);
  for (std::size_t i = 0; i < kExported.size(); ++i) EXPECT_EQ(out[i], d.*kExported[i]) << "index " << i;
  EXPECT_EQ(out[45], d.m_dTotalDP);
  EXPECT_EQ(out[44], d.m_dVm);
  EXPECT_EQ(out[46], d.m_dStatus);
  // m_dRsw and m_dQlInSitu are not exported anywhere.
  EXPECT_EQ(std::count(out.begin(), out.begin() + 54, d.m_dRsw), 0);
  EXPECT_EQ(std::count(out.begin(), out.begin() + 54, d.m_dQlInSitu), 0);
  for (std::size_t i = 54; i < out.size(); ++i) EXPECT_EQ(out[i], kGuard) << "written past 54 at " << i;

  // Sentinels pass through as they stand.
  const CPressData fresh;
  EXPECT_EQ(fresh.CopyData(out.data()), 54);
  EXPECT_EQ(out[0], kNotSet);
  EXPECT_EQ(out[1], 666.0);
  EXPECT_EQ(out[45], kNotSet);
}

TEST(PressDataTest, AssignmentCopiesEveryFieldButRswAndInSituLiquid) {
  CPressData src, dst;
  Fill(src, 100.0);
  Fill(dst, 5000.0);
  CPressData& result = (dst = src);
  EXPECT_EQ(&result, &dst);
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    const double expected = SkippedByAssignment(f) ? 5000.0 + static_cast<double>(i) : src.*f;
    EXPECT_EQ(dst.*f, expected) << "field #" << i + 1;
  }
  // Self-assignment changes nothing.
  const CPressData& alias = dst;
  dst = alias;
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    EXPECT_EQ(dst.*f, SkippedByAssignment(f) ? 5000.0 + static_cast<double>(i) : src.*f);
  }
}

TEST(PressDataTest, CopyConstructionCopiesAssignedFieldsAndLeavesSkippedOnesNotSet) {
  CPressData src;
  Fill(src, 100.0);
  const CPressData copy(src);
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    EXPECT_EQ(copy.*f, SkippedByAssignment(f) ? kNotSet : src.*f) << "field #" << i + 1;
  }
  // The record part of an engine copies the same way.
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, 0));
  const CPressData fromEngine(*e);
  EXPECT_EQ(fromEngine.m_dLength, 1000.0);
  EXPECT_STREQ(fromEngine.GetRuntimeClass()->m_lpszClassName, "CPressData");
}

TEST(PressDataTest, RuntimeClassNamesTheRecordAndItsEngines) {
  const CPressData d;
  EXPECT_STREQ(d.GetRuntimeClass()->m_lpszClassName, "CPressData");
  EXPECT_EQ(d.GetRuntimeClass(), CPressData::GetThisClass());
  EXPECT_TRUE(d.IsKindOf(PDROP_RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(d.IsKindOf(PDROP_RUNTIME_CLASS(CPressDrop)));

  std::unique_ptr<CPressDrop> e(CPressDrop::New(0));
  EXPECT_STREQ(e->GetRuntimeClass()->m_lpszClassName, "CFanning");
  EXPECT_TRUE(e->IsKindOf(PDROP_RUNTIME_CLASS(CPressData)));
  EXPECT_TRUE(e->IsKindOf(PDROP_RUNTIME_CLASS(CPressDrop)));
}

}  // namespace
}  // namespace pdrop
