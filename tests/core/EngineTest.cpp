// The engine object: geometry from Init, defaults, settings that Init keeps
// or resets, the base virtual interface and fluid binding.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Engine, InitComputesGeometryAndReadsNotSetAsZero) {
  CPressDrop e;
  e.Init(kNotSet, 2.441, 0.0, 1000.0);
  EXPECT_EQ(e.m_dInnerOD, 0.0);
  EXPECT_EQ(e.m_dDiameter, 2.441);
  EXPECT_EQ(e.m_dLength, 1000.0);
  EXPECT_NEAR(e.m_dArea, kPi * std::pow(2.441 / 24.0, 2), 1e-15);

  // An annulus: hydraulic diameter 6.276 - 2.375 and the ring's area.
  e.Init(2.375, 6.276, 300.0, 400.0);
  EXPECT_NEAR(e.m_dDiameter, 3.901, 1e-12);
  EXPECT_NEAR(e.m_dArea, kPi * (6.276 * 6.276 - 2.375 * 2.375) / 576.0, 1e-12);
  EXPECT_NEAR(e.m_dLength, 500.0, 1e-12);
  EXPECT_EQ(e.GetCode(), 666);
  EXPECT_EQ(e.m_dP2, 0.0);
  EXPECT_EQ(e.m_dQg, 0.0);
  EXPECT_EQ(e.m_dBg, kNotSet);
  EXPECT_EQ(e.m_dRhoL, kNotSet);
}

TEST(Engine, InitResetsSignsButKeepsOptions) {
  CPressDrop e;
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
  // The signs and the subdivision switch are reset; the options are kept.
  EXPECT_EQ(e.m_dFlw, 1.0);
  EXPECT_EQ(e.m_dDir, 1.0);
  EXPECT_EQ(e.m_nSubdiv, 1);
  EXPECT_TRUE(e.m_dFe == 0.9 && e.m_dHFe == 0.8 && e.m_dFf == 0.002 && e.m_bDiag);
  EXPECT_TRUE(e.GetGradientType() == 2 && e.m_nFlowOver == 1 && e.m_dNumSubdiv == 3.0);
}

TEST(Engine, ScaleChangesLengthsOnly) {
  CPressDrop e;
  e.Init(0.0, 4.0, 30.0, 40.0);
  const double area = e.m_dArea;
  e.Scale(0.5);
  EXPECT_EQ(e.m_dDx, 15.0);
  EXPECT_EQ(e.m_dDz, 20.0);
  EXPECT_EQ(e.m_dLength, 25.0);
  EXPECT_EQ(e.m_dArea, area);
  EXPECT_EQ(e.m_dDiameter, 4.0);
}

TEST(Engine, BaseClassHasNoFlowMapAndKeepsItsEfficiency) {
  CPressDrop e;
  e.SetFE(0.5);
  EXPECT_EQ(e.GetFE(), 1.0);
  std::vector<CFlowRegime> map(3);
  EXPECT_FALSE(e.GetFlowMap(map));
  EXPECT_TRUE(map.empty());
  struct Sheet : CDiagSheet {
    void SetValue(int, int, const CellValue&) override {}
    void SetFontColor(int, int, unsigned long) override {}
    void SetBold(int, int, bool) override {}
  } sheet;
  e.m_nDiagRow = 17;
  e.SetExcelDiag(&sheet);
  EXPECT_EQ(e.m_nDiagRow, 0);  // a new sheet is written from its first row
}

TEST(Engine, GetCodeTruncatesTheRegime) {
  CPressDrop e;
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
    CProp* GetGas() override { order += 'g'; return gas; }
    CProp* GetOil() override { order += 'o'; return oil; }
    CProp* GetWtr() override { order += 'w'; return water; }
  } eos;
  eos.gas = &gas;
  eos.oil = &oil;
  eos.water = &water;
  eos.isenthalpic = true;
  e.SetProps(&eos);
  EXPECT_EQ(eos.order, "wog");
  EXPECT_TRUE(e.m_bEOS);
  EXPECT_TRUE(e.m_bIsenthalpic);
  EXPECT_EQ(e.m_pEOS, &eos);
  EXPECT_EQ(e.m_pWtr, &water);

  // Three objects again: the stream fluid is let go, the mode stays.
  e.SetProps(&gas, nullptr, &water);
  EXPECT_EQ(e.m_pEOS, nullptr);
  EXPECT_TRUE(e.m_bEOS);
  EXPECT_EQ(e.m_pOil, nullptr);
}

}  // namespace
}  // namespace pdrop
