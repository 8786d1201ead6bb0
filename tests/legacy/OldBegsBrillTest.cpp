// The legacy calculator: constructors, assignment from an engine, the driver
// (reverse flow, sub-division, diagnostics), the legacy ties, and a
// comparison with the engine's Modified Beggs & Brill.
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

TEST(OldBegsBrill, ThreeConstructors) {
  COldBegsBrill plain;
  EXPECT_EQ(plain.m_dPipeID, 4.0);
  EXPECT_EQ(plain.m_dDx, 5280.0);
  EXPECT_NEAR(plain.m_dArea, kPi * 4.0 * 4.0 / 576.0, 1e-12);
  EXPECT_EQ(plain.m_nMaxIter, 10);
  EXPECT_EQ(plain.m_dSubdiv, kNotSet);
  EXPECT_EQ(plain.m_dSigma, 15.0);
  EXPECT_EQ(plain.m_dRhoL, 62.3);
  EXPECT_EQ(plain.m_nLiquidRates, 1);

  COldBegsBrill annulus(2.375, 6.276, 300.0, 400.0, 0);
  EXPECT_EQ(annulus.m_dLength, 500.0);
  EXPECT_EQ(annulus.m_nLiquidRates, 0);
  EXPECT_NEAR(annulus.m_dArea, kPi * (6.276 * 6.276 - 2.375 * 2.375) / 576.0, 1e-12);

  test::TestGas gas;
  annulus.SetProps(&gas, nullptr, nullptr);
  annulus.SetDir(-1);
  annulus.m_dSigma = 22.0;
  annulus.m_dBo = 1.3;
  COldBegsBrill piece(&annulus, 4);
  EXPECT_EQ(piece.m_dDx, 75.0);
  EXPECT_EQ(piece.m_dDz, 100.0);
  EXPECT_EQ(piece.m_dDir, -1.0);
  EXPECT_EQ(piece.m_pGas, &gas);
  EXPECT_EQ(piece.m_dSigma, 22.0);
  EXPECT_EQ(piece.m_dBo, 1.3);
  EXPECT_EQ(piece.m_dArea, annulus.m_dArea);
  EXPECT_EQ(piece.m_dPIn, 14.5);
  EXPECT_EQ(piece.m_dPOut, 14.5);
}

TEST(OldBegsBrill, AssignmentTakesTheEngineSettings) {
  test::TestGas gas;
  test::TestLiquid oil = test::MakeOil(), water = test::MakeWater();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(1.0, 3.0, 40.0, 30.0, 3));
  e->m_nUseLiquid = 0;
  e->SetSubdiv(0);
  e->m_dMaxSubdiv = 7.0;
  e->SetFe(0.9);
  e->SetHFe(0.8);
  e->SetFf(0.002);
  e->m_nLegacyOption = 5;
  e->SetFlowOver(1);
  e->SetProps(&gas, &oil, &water);
  e->m_dFrictionDP = -3.0;
  e->m_dElevationDP = 12.0;
  e->m_dFlowRegime = 4.7;
  COldBegsBrill old;
  old = *e;
  EXPECT_EQ(old.m_nLiquidRates, 0);
  EXPECT_EQ(old.m_nSubdivSet, 0);
  EXPECT_EQ(old.m_dMaxSeg, 7.0);
  EXPECT_EQ(old.m_dFe, 0.9);
  EXPECT_EQ(old.m_dHFe, 0.8);
  EXPECT_EQ(old.m_dRough, 0.002);
  EXPECT_EQ(old.m_dArea, e->m_dArea);
  EXPECT_EQ(old.m_dInnerOD, 1.0);
  EXPECT_EQ(old.m_dPipeID, 3.0);
  EXPECT_EQ(old.m_dDx, 40.0);
  EXPECT_EQ(old.m_dDz, 30.0);
  EXPECT_EQ(old.m_dLength, 50.0);
  EXPECT_EQ(old.m_dFrictionDP, -3.0);
  EXPECT_EQ(old.m_dElevationDP, 12.0);
  EXPECT_EQ(old.m_bDebug, 5);
  EXPECT_EQ(old.m_nFlowOver, 1);
  EXPECT_EQ(old.m_pGas, &gas);
  EXPECT_EQ(old.m_pOil, &oil);
  EXPECT_EQ(old.m_pWtr, &water);
  EXPECT_EQ(old.GetCode(), 4);
}

// Water in a 2-in horizontal pipe with constant properties: the change is
// linear in length, so a length sets the whole-segment change.
double WaterChangePerFoot() {
  test::TestLiquid water = test::MakeWater();
  COldBegsBrill probe(0.0, 2.0, 1000.0, 0.0, 1);
  probe.SetProps(nullptr, nullptr, &water);
  probe.SetSubdiv(0);
  probe.m_dMaxSeg = 1.0;
  return std::fabs(probe.Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0) - 3000.0) / 1000.0;
}

TEST(OldBegsBrill, SubdivisionCountsAndDiagnosticRows) {
  test::TestLiquid water = test::MakeWater();
  const double g = WaterChangePerFoot();
  struct Case {
    double change;
    int pieces;
  } cases[] = {{15.0, 1}, {40.0, 5}, {500.0, 20}};
  for (const Case& c : cases) {
    COldBegsBrill old(0.0, 2.0, c.change / g, 0.0, 1);
    old.SetProps(nullptr, nullptr, &water);
    old.SetDiag(true);
    const double p2 = old.Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0);
    EXPECT_EQ(old.m_nSegs, c.pieces) << c.change;
    EXPECT_NEAR(p2, 3000.0 + c.change, 1e-6) << "friction against the flow";
    // One diagnostic row per piece, 45 columns written in rows of 50.
    ASSERT_EQ(old.m_pDiag.size(), static_cast<std::size_t>(50 * c.pieces));
    EXPECT_EQ(old.m_nDiagCols, 45);
    const double* last = &old.m_pDiag[50 * (c.pieces - 1)];
    EXPECT_NEAR(last[0], c.change / g / c.pieces, 1e-9) << "piece length";
    EXPECT_EQ(last[1], 1.0) << "single phase";
    EXPECT_NEAR(last[3], p2, 1e-9) << "outlet pressure";
    EXPECT_EQ(last[31], 62.3) << "liquid density";
    EXPECT_EQ(last[24], 15.0);
    EXPECT_EQ(last[29], 15.0);
    EXPECT_EQ(last[35], 15.0);
  }
  // A fixed count, and a fixed count below 2 solved as one piece.
  COldBegsBrill forced(0.0, 2.0, 40.0 / g, 0.0, 1);
  forced.SetProps(nullptr, nullptr, &water);
  forced.m_dSubdiv = 3.0;
  EXPECT_NEAR(forced.Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0), 3040.0, 1e-6);
  EXPECT_EQ(forced.m_nSegs, 3);
  forced.m_dSubdiv = 1.0;
  EXPECT_NEAR(forced.Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0), 3040.0, 1e-6);
  EXPECT_EQ(forced.m_nSegs, 1);
}

TEST(OldBegsBrill, ReverseFlowForAnyNegativeRate) {
  test::TestLiquid oil = test::MakeOil();
  oil.solutionRatio = 0.0;
  COldBegsBrill old(0.0, 2.0, 500.0, 0.0, 1);
  old.SetProps(nullptr, &oil, nullptr);
  const double forward = old.Cal(1000.0, 600.0, 0.0, 0.0, 800.0, 0.0) - 1000.0;
  const double reverse = old.Cal(1000.0, 600.0, 0.0, 0.0, -800.0, 0.0) - 1000.0;
  EXPECT_GT(forward, 0.0);
  EXPECT_NEAR(reverse, -forward, 1e-9);
  EXPECT_GT(old.m_dRe, 0.0) << "magnitudes, not a negative Reynolds number";
  EXPECT_EQ(old.m_dFlw, 1.0);
  // Negative gas with positive oil: the oil rate stays positive.
  test::TestGas gas;
  old.SetProps(&gas, &oil, nullptr);
  old.Cal(1000.0, 600.0, 0.0, -0.5, 800.0, 0.0);
  EXPECT_EQ(old.m_dQo, 800.0);
  EXPECT_EQ(old.m_dQg, 0.5e6);
  // Nothing to compute below 6 psia, or with bad input.
  EXPECT_EQ(old.Cal(6.0, 600.0, 0.0, 0.0, 800.0, 0.0), 0.0);
  EXPECT_EQ(old.Cal(std::nan(""), 600.0, 0.0, 0.0, 800.0, 0.0), 0.0);
  EXPECT_EQ(old.Cal(1000.0, 600.0, 0.0, 0.0, INFINITY, 0.0), 0.0);
}

TEST(OldBegsBrill, LegacyTiesAndTheUnmappedCode) {
  COldBegsBrill old;
  auto regime = [&](double lambda, double nfr) {
    old.m_dLambda = lambda;
    old.m_dNFr = nfr;
    old.m_dL1 = 316.0 * std::pow(lambda, 0.302);
    old.m_dL2 = 0.0009252 / std::pow(lambda, 2.4684);
    old.m_dL3 = 0.1 / std::pow(lambda, 1.4516);
    old.m_dL4 = 0.5 / std::pow(lambda, 6.738);
    old.GetFlowRegime();
    return old.GetCode();
  };
  const double l = 0.2;
  EXPECT_EQ(regime(l, 316.0 * std::pow(l, 0.302)), 3) << "NFr = L1 is intermittent";
  EXPECT_EQ(regime(l, 0.0009252 / std::pow(l, 2.4684)), 6) << "NFr = L2 is unmapped";
  EXPECT_EQ(regime(l, 0.1 / std::pow(l, 1.4516)), 6) << "NFr = L3 is unmapped";
  EXPECT_EQ(regime(l, 0.5 * (0.0009252 / std::pow(l, 2.4684) + 0.1 / std::pow(l, 1.4516))), 5);
  EXPECT_EQ(regime(0.005, 1e6), 4);
  EXPECT_EQ(regime(0.5, 1e-6), 2);
  // The engine's rule for the same point: NFr = L1 is distributed there.
  EXPECT_EQ(regime(l, 316.0 * std::pow(l, 0.302) * (1.0 + 1e-12)), 4);
}

TEST(OldBegsBrill, MarchKeepsThePipeInclination) {
  test::TestGas gas;
  test::TestLiquid water = test::MakeWater();
  water.tension = 15.0;
  COldBegsBrill old(0.0, 2.441, 400.0, 300.0, 1);
  old.SetProps(&gas, nullptr, &water);
  old.m_dSubdiv = 4.0;
  old.Cal(1500.0, 600.0, 0.0, 0.3, 0.0, 800.0);
  EXPECT_NEAR(old.m_dAngle, std::atan(300.0 / 400.0), 1e-12);
  EXPECT_EQ(old.m_dDx, 400.0) << "geometry put back";
  EXPECT_NEAR(old.m_dLength, 500.0, 1e-9);
}

// The same segments through the engine's Modified Beggs & Brill. With
// constant properties and the legacy surface tension (15 dyn/cm) the two
// differ only by the legacy velocity factor 0.178010756 (against
// 5.6145835/... in the engine, 0.05 %) and the engine's damping near
// lambda = 0 or 1; with the black-oil fluid also by the properties the
// legacy calculator leaves out (dissolved gas in the oil density, computed
// surface tension, the water the gas carries).
double RelativeDifference(double dx, double dz, bool blackOil) {
  test::TestGas gas;
  test::TestLiquid water = test::MakeWater();
  water.tension = 15.0;
  BlackOilFluid fluid;
  BlackOilPhases ph = fluid.MakePhases();
  CProp* g = blackOil ? static_cast<CProp*>(ph.gas.get()) : &gas;
  CProp* o = blackOil ? static_cast<CProp*>(ph.oil.get()) : nullptr;
  CProp* w = blackOil ? static_cast<CProp*>(ph.water.get()) : &water;
  const double qo = blackOil ? 600.0 : 0.0;

  std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.992, dx, dz, 3));
  e->SetDir(-1);
  e->SetFlw(-1);  // uphill flow marched up from the inlet
  e->SetProps(g, o, w);
  const double engine = e->Cal(1500.0, 620.0, 0.0, 0.8, qo, 400.0) - 1500.0;

  COldBegsBrill old(0.0, 2.992, dx, dz, 1);
  old.SetDir(-1);
  old.SetFlw(-1);
  old.SetProps(g, o, w);
  const double legacy = old.Cal(1500.0, 620.0, 0.0, 0.8, qo, 400.0) - 1500.0;
  return std::fabs(legacy - engine) / std::fabs(engine);
}

TEST(OldBegsBrill, AgreesWithTheEngineWhereTheRulesAgree) {
  EXPECT_LT(RelativeDifference(1000.0, 0.0, false), 0.005) << "horizontal";
  EXPECT_LT(RelativeDifference(600.0, 800.0, false), 0.005) << "inclined uphill";
  EXPECT_LT(RelativeDifference(1000.0, 0.0, true), 0.10) << "horizontal, black oil";
  EXPECT_LT(RelativeDifference(600.0, 800.0, true), 0.10) << "inclined, black oil";
}

TEST(OldBegsBrill, UnmappedRegimeGoesThroughTheMessageHandler) {
  std::vector<std::string> messages;
  SetMessageHandler([&](const std::string& m) { messages.push_back(m); });
  COldBegsBrill old;
  old.m_dVsg = 3.0;
  old.m_dVsl = 1.0;
  old.m_dSigma = std::nan("");  // no surface tension: the map has no pattern for NaN
  old.m_dPipeID = std::nan("");
  old.MultiPhase();
  SetMessageHandler(nullptr);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "*** ERROR -- UNMAPPED FLOW REGIME!");
  EXPECT_EQ(old.m_dHoldup, 0.0);
  EXPECT_EQ(old.GetCode(), 6);
}

}  // namespace
}  // namespace pdrop
