// The engine object and its segment record: geometry from Init, settings
// that Init keeps or resets, the base virtual interface, fluid binding,
// fresh values, Init, assignment, copy construction and the flat result
// array of CopyData.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectValues;
using test::kPi;

TEST(Engine, InitSetsGeometryAndSignsKeepsOptionsAndScaleChangesLengthsOnly) {
  CPressDrop e;
  // An inner diameter not set is no inner string.
  e.Init(kNotSet, 2.441, 0.0, 1000.0);
  ExpectValues({e.m_dInnerOD, e.m_dDiameter, e.m_dLength}, {0.0, 2.441, 1000.0});
  EXPECT_NEAR(e.m_dArea, kPi * std::pow(2.441 / 24.0, 2), 1e-15);
  // An annulus: hydraulic diameter 6.276 - 2.375 and the ring's area.
  e.Init(2.375, 6.276, 300.0, 400.0);
  const double ring = kPi * (6.276 * 6.276 - 2.375 * 2.375) / 576.0;
  ExpectValues({e.m_dDiameter, e.m_dArea, e.m_dLength}, {3.901, ring, 500.0}, 1e-12);
  ExpectValues({double(e.GetCode()), e.m_dP2, e.m_dQg, e.m_dBg, e.m_dRhoL},
               {666.0, 0.0, 0.0, kNotSet, kNotSet});
  e.Scale(0.5);
  ExpectValues({e.m_dDx, e.m_dDz, e.m_dLength, e.m_dArea, e.m_dDiameter},
               {150.0, 200.0, 250.0, ring, 3.901}, 1e-12);
  // Init again resets the signs and the subdivision switch, and keeps the options.
  e.SetFlw(-1);
  e.SetDir(-1);
  e.SetSubdiv(0);
  e.SetFe(0.9);
  e.SetHFe(0.8);
  e.SetFf(0.002);
  e.SetGradientType(2);
  e.SetFlowOver(1);
  e.SetDiag(true);
  e.m_dNumSubdiv = 3;
  e.Init(0.0, 2.0, 10.0, 0.0);
  ExpectValues(
      {e.m_dFlw, e.m_dDir, double(e.m_nSubdiv), e.m_dFe, e.m_dHFe, e.m_dFf, double(e.m_bDiag),
       double(e.GetGradientType()), double(e.m_nFlowOver), e.m_dNumSubdiv},
      {1.0, 1.0, 1.0, 0.9, 0.8, 0.002, 1.0, 2.0, 1.0, 3.0});
}

TEST(Engine, BaseClassHasNoFlowMapKeepsItsEfficiencyAndTruncatesTheRegime) {
  CPressDrop e;
  e.SetFE(0.5);
  EXPECT_EQ(e.GetFE(), 1.0);
  std::vector<CFlowRegime> map(3);
  EXPECT_FALSE(e.GetFlowMap(map));
  EXPECT_TRUE(map.empty());
  MemorySheet sheet;
  e.m_nDiagRow = 17;
  e.SetExcelDiag(&sheet);
  EXPECT_EQ(e.m_nDiagRow, 0);  // a new sheet is written from its first row
  e.m_dFlowRegime = 3.9;
  EXPECT_EQ(e.GetCode(), 3);
  e.m_dFlowRegime = std::nan("");
  EXPECT_EQ(e.GetCode(), 666);
}

TEST(Engine, BindingThreeObjectsOrAStreamFluid) {
  test::TestGas gas;
  test::TestLiquid oil = test::MakeOil();
  test::TestLiquid water = test::MakeWater();
  CPressDrop e;
  e.SetProps(&gas, &oil, &water);
  EXPECT_EQ(e.m_LiquidLift.m_pGas, &gas);
  EXPECT_FALSE(e.m_bEOS);

  // The stream fluid asks for its phases in the order water, oil, gas.
  struct OrderedEOS : test::TestEOS {
    std::string order;
    CProp* GetGas() override { return order += 'g', gas; }
    CProp* GetOil() override { return order += 'o', oil; }
    CProp* GetWtr() override { return order += 'w', water; }
    using TestEOS::TestEOS;
  } eos{&gas, &oil, &water};
  eos.isenthalpic = true;
  e.SetProps(&eos);
  EXPECT_EQ(eos.order, "wog");
  EXPECT_TRUE(e.m_bEOS && e.m_bIsenthalpic);
  EXPECT_EQ(e.m_pEOS, &eos);
  EXPECT_EQ(e.m_pWtr, &water);
  // Three objects again: the stream fluid is let go, the mode stays.
  e.SetProps(&gas, nullptr, &water);
  EXPECT_EQ(e.m_pEOS, nullptr);
  EXPECT_TRUE(e.m_bEOS);
  EXPECT_EQ(e.m_pOil, nullptr);
}

using R = CPressData;
using Field = double R::*;

// The 56 fields in declaration order.
// clang-format off
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
// clang-format on

// Gives every field a distinct value, base + its declaration index.
void Fill(R& d, double base) {
  for (std::size_t i = 0; i < kDeclared.size(); ++i) d.*kDeclared[i] = base + double(i);
}

bool Is(Field f, std::initializer_list<Field> set) {
  for (Field g : set) {
    if (f == g) return true;
  }
  return false;
}

// Fresh, after Init (which keeps the total, Rsw and the status), assigned
// (which skips Rsw and the in-situ liquid, and changes nothing assigned to
// itself) and copy-constructed (the skipped fields not set).
TEST(PressData, FreshInitAssignedAndCopiedRecords) {
  const CPressData fresh;
  CPressData init, src, assigned;
  Fill(init, 100.0);
  init.Init();
  Fill(src, 100.0);
  Fill(assigned, 5000.0);
  EXPECT_EQ(&(assigned = src), &assigned);
  const CPressData& alias = assigned;
  assigned = alias;
  const CPressData copied(src);
  for (std::size_t i = 0; i < kDeclared.size(); ++i) {
    const Field f = kDeclared[i];
    const double unset = f == &R::m_dFlowRegime ? 666.0 : kNotSet;
    const bool skipped = Is(f, {&R::m_dRsw, &R::m_dQlInSitu});
    EXPECT_EQ(fresh.*f, unset) << "#" << i + 1;
    EXPECT_EQ(init.*f, Is(f, {&R::m_dTotalDP, &R::m_dRsw, &R::m_dStatus}) ? 100.0 + i : unset) << i;
    EXPECT_EQ(assigned.*f, skipped ? 5000.0 + i : src.*f) << "#" << i + 1;
    EXPECT_EQ(copied.*f, skipped ? kNotSet : src.*f) << "#" << i + 1;
  }
  std::unique_ptr<CPressDrop> e(CPressDrop::New(3));
  EXPECT_EQ(e->GetCode(), 666);
}

// The flat layout: declaration order without m_dTotalDP, m_dRsw and
// m_dQlInSitu, and m_dTotalDP put right after m_dVm; nothing beyond 54.
TEST(PressData, CopyDataWritesFiftyFourValuesAndNothingBeyond) {
  std::vector<Field> layout;
  for (Field f : kDeclared) {
    if (Is(f, {&R::m_dTotalDP, &R::m_dRsw, &R::m_dQlInSitu})) continue;
    layout.push_back(f);
    if (f == &R::m_dVm) layout.push_back(&R::m_dTotalDP);
  }
  ASSERT_EQ(layout.size(), 54u);
  CPressData d;
  Fill(d, 1000.0);
  constexpr double kGuard = 12345.5;
  std::array<double, 60> out;
  out.fill(kGuard);
  EXPECT_EQ(d.CopyData(out.data()), 54);
  for (std::size_t i = 0; i < layout.size(); ++i) EXPECT_EQ(out[i], d.*layout[i]) << "index " << i;
  ExpectValues({out[0], out[45], out[53]}, {d.m_dLength, d.m_dTotalDP, d.m_dXw});
  for (std::size_t i = 54; i < out.size(); ++i) EXPECT_EQ(out[i], kGuard) << "written at " << i;
  // Sentinels pass through as they stand.
  EXPECT_EQ(CPressData().CopyData(out.data()), 54);
  ExpectValues({out[1], out[45]}, {666.0, kNotSet});
}

}  // namespace
}  // namespace pdrop
