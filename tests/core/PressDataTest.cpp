// The segment record: fresh values, Init, assignment, copy construction and
// the flat result array of CopyData.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using R = CPressData;
using Field = double R::*;

// The 56 fields in declaration order.
const std::array<Field, 56> kDeclared{
    &R::m_dLength, &R::m_dFlowRegime, &R::m_dP1, &R::m_dP2, &R::m_dP, &R::m_dIterations, &R::m_dT,
    &R::m_dFrictionDP, &R::m_dTotalDP, &R::m_dElevationDP, &R::m_dHoldup, &R::m_dFE, &R::m_dBg,
    &R::m_dRhoG, &R::m_dZ, &R::m_dMuG, &R::m_dVsg, &R::m_dLambdaG, &R::m_dQgDissolved,
    &R::m_dGasLiquidYield, &R::m_dQlInGas, &R::m_dBo, &R::m_dRhoO, &R::m_dRso, &R::m_dMuO,
    &R::m_dSigmaO, &R::m_dVso, &R::m_dBw, &R::m_dRhoW, &R::m_dRsw, &R::m_dMuW, &R::m_dSigmaW,
    &R::m_dVsw, &R::m_dRhoL, &R::m_dMuL, &R::m_dVsl, &R::m_dLambdaL, &R::m_dSigma,
    &R::m_dLiquidVolume, &R::m_dVg, &R::m_dVl, &R::m_dReM, &R::m_dFm, &R::m_dRhoNS, &R::m_dMuNS,
    &R::m_dRhoS, &R::m_dVm, &R::m_dStatus, &R::m_dQg, &R::m_dQo, &R::m_dQw, &R::m_dQlInSitu,
    &R::m_dGLMassRatio, &R::m_dXg, &R::m_dXo, &R::m_dXw};

// The flat layout: declaration order without m_dTotalDP, m_dRsw and
// m_dQlInSitu, and m_dTotalDP put right after m_dVm.
std::vector<Field> Exported() {
  std::vector<Field> out;
  for (Field f : kDeclared) {
    if (f == &R::m_dTotalDP || f == &R::m_dRsw || f == &R::m_dQlInSitu) continue;
    out.push_back(f);
    if (f == &R::m_dVm) out.push_back(&R::m_dTotalDP);
  }
  return out;
}

// Gives every field a distinct value, base + its declaration index.
void Fill(R& d, double base) {
  for (std::size_t i = 0; i < kDeclared.size(); ++i) d.*kDeclared[i] = base + double(i);
}

bool SkippedByCopy(Field f) { return f == &R::m_dRsw || f == &R::m_dQlInSitu; }

TEST(PressDataTest, FreshRecordIsNotSetExceptUndefinedRegime) {
  const CPressData d;
  for (std::size_t i = 0; i < kDeclared.size(); ++i)
    EXPECT_EQ(d.*kDeclared[i], kDeclared[i] == &R::m_dFlowRegime ? 666.0 : kNotSet) << "#" << i + 1;
  std::unique_ptr<CPressDrop> e(CPressDrop::New(3));
  EXPECT_EQ(e->GetCode(), 666);
}

TEST(PressDataTest, InitResetsAllButTotalRswAndStatus) {
  CPressData d;
  Fill(d, 100.0);
  d.Init();
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    double expected = f == &R::m_dFlowRegime ? 666.0 : kNotSet;
    if (f == &R::m_dTotalDP || f == &R::m_dRsw || f == &R::m_dStatus) expected = 100.0 + double(i);
    EXPECT_EQ(d.*f, expected) << "#" << i + 1;
  }
}

TEST(PressDataTest, CopyDataWritesFiftyFourValuesAndNothingBeyond) {
  CPressData d;
  Fill(d, 1000.0);
  constexpr double kGuard = 12345.5;
  std::array<double, 60> out;
  out.fill(kGuard);
  EXPECT_EQ(d.CopyData(out.data()), 54);
  const std::vector<Field> layout = Exported();
  ASSERT_EQ(layout.size(), 54u);
  for (std::size_t i = 0; i < layout.size(); ++i) EXPECT_EQ(out[i], d.*layout[i]) << "index " << i;
  EXPECT_EQ(out[0], d.m_dLength);
  EXPECT_EQ(out[45], d.m_dTotalDP);
  EXPECT_EQ(out[53], d.m_dXw);
  for (std::size_t i = 54; i < out.size(); ++i) EXPECT_EQ(out[i], kGuard) << "written at " << i;
  // Sentinels pass through as they stand.
  EXPECT_EQ(CPressData().CopyData(out.data()), 54);
  EXPECT_EQ(out[1], 666.0);
  EXPECT_EQ(out[45], kNotSet);
}

TEST(PressDataTest, AssignmentCopiesEveryFieldButRswAndInSituLiquid) {
  CPressData src, dst;
  Fill(src, 100.0);
  Fill(dst, 5000.0);
  EXPECT_EQ(&(dst = src), &dst);
  const CPressData& alias = dst;
  dst = alias;  // self-assignment changes nothing
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    EXPECT_EQ(dst.*f, SkippedByCopy(f) ? 5000.0 + double(i) : src.*f) << "#" << i + 1;
  }
}

TEST(PressDataTest, CopyConstructionCopiesAssignedFieldsAndLeavesSkippedOnesNotSet) {
  CPressData src;
  Fill(src, 100.0);
  const CPressData copy(src);
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    EXPECT_EQ(copy.*f, SkippedByCopy(f) ? kNotSet : src.*f) << "#" << i + 1;
  }
}

}  // namespace
}  // namespace pdrop
