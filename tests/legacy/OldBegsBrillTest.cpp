// The legacy calculator: constructors, assignment from an engine, the driver
// (reverse flow, sub-division, diagnostics), the legacy ties, and a
// comparison with the engine's Modified Beggs & Brill; and the legacy
// two-dimensional table.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectValues;
using test::kPi;

TEST(OldBegsBrill, ThreeConstructorsAndAssignmentFromAnEngine) {
  COldBegsBrill plain;
  ExpectValues({plain.m_dPipeID, plain.m_dDx, plain.m_dArea, double(plain.m_nMaxIter),
                plain.m_dSubdiv, plain.m_dSigma, plain.m_dRhoL, double(plain.m_nLiquidRates)},
               {4.0, 5280.0, kPi * 16.0 / 576.0, 10.0, kNotSet, 15.0, 62.3, 1.0}, 1e-12);
  COldBegsBrill annulus(2.375, 6.276, 300.0, 400.0, 0);
  ExpectValues({annulus.m_dLength, double(annulus.m_nLiquidRates), annulus.m_dArea},
               {500.0, 0.0, kPi * (6.276 * 6.276 - 2.375 * 2.375) / 576.0}, 1e-12);
  test::TestGas gas;
  annulus.SetProps(&gas, nullptr, nullptr);
  annulus.SetDir(-1);
  annulus.m_dSigma = 22.0;
  annulus.m_dBo = 1.3;
  COldBegsBrill piece(&annulus, 4);  // a quarter of the segment
  EXPECT_EQ(piece.m_pGas, &gas);
  ExpectValues({piece.m_dDx, piece.m_dDz, piece.m_dDir, piece.m_dSigma, piece.m_dBo, piece.m_dArea,
                piece.m_dPIn, piece.m_dPOut},
               {75.0, 100.0, -1.0, 22.0, 1.3, annulus.m_dArea, 14.5, 14.5});

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
  ExpectValues({double(old.m_nLiquidRates), double(old.m_nSubdivSet), old.m_dMaxSeg, old.m_dFe,
                old.m_dHFe, old.m_dRough, old.m_dArea, old.m_dInnerOD, old.m_dPipeID, old.m_dDx,
                old.m_dDz, old.m_dLength, old.m_dFrictionDP, old.m_dElevationDP,
                double(old.m_bDebug), double(old.m_nFlowOver), double(old.GetCode())},
               {0.0, 0.0, 7.0, 0.9, 0.8, 0.002, e->m_dArea, 1.0, 3.0, 40.0, 30.0, 50.0, -3.0, 12.0,
                5.0, 1.0, 4.0});
  EXPECT_TRUE(old.m_pGas == &gas && old.m_pOil == &oil && old.m_pWtr == &water);
}

// Water in a 2-in horizontal pipe with constant properties: the change is
// linear in length, so a length sets the whole-segment change.
TEST(OldBegsBrill, SubdivisionCountsAndDiagnosticRows) {
  test::TestLiquid water = test::MakeWater();
  auto line = [&water](double length) {
    auto old = std::make_unique<COldBegsBrill>(0.0, 2.0, length, 0.0, 1);
    old->SetProps(nullptr, nullptr, &water);
    return old;
  };
  auto probe = line(1000.0);
  probe->SetSubdiv(0);
  probe->m_dMaxSeg = 1.0;
  const double g = std::fabs(probe->Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0) - 3000.0) / 1000.0;
  for (const auto& [change, pieces] : {std::pair{15.0, 1}, {40.0, 5}, {500.0, 20}}) {
    auto old = line(change / g);
    old->SetDiag(true);
    const double p2 = old->Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0);
    EXPECT_EQ(old->m_nSegs, pieces) << change;
    EXPECT_NEAR(p2, 3000.0 + change, 1e-6) << "friction against the flow";
    // One diagnostic row per piece, 45 columns written in rows of 50: the last
    // piece's length, single phase, outlet pressure, legacy tensions, liquid density.
    ASSERT_EQ(old->m_pDiag.size(), static_cast<std::size_t>(50 * pieces));
    EXPECT_EQ(old->m_nDiagCols, 45);
    const double* last = &old->m_pDiag[50 * (pieces - 1)];
    ExpectValues({last[0], last[1], last[3], last[24], last[29], last[35], last[31]},
                 {change / g / pieces, 1.0, p2, 15.0, 15.0, 15.0, 62.3}, 1e-9);
  }
  // A fixed count, and a fixed count below 2 solved as one piece.
  for (const auto& [count, pieces] : {std::pair{3.0, 3}, {1.0, 1}}) {
    auto old = line(40.0 / g);
    old->m_dSubdiv = count;
    EXPECT_NEAR(old->Cal(3000.0, 600.0, 0.0, 0.0, 0.0, 2000.0), 3040.0, 1e-6);
    EXPECT_EQ(old->m_nSegs, pieces);
  }
}

TEST(OldBegsBrill, ReverseFlowForAnyNegativeRateAndTheInclination) {
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
  ExpectValues({old.m_dQo, old.m_dQg}, {800.0, 0.5e6});
  // Nothing to compute below 6 psia, or with bad input.
  ExpectValues({old.Cal(6.0, 600.0, 0.0, 0.0, 800.0, 0.0),
                old.Cal(std::nan(""), 600.0, 0.0, 0.0, 800.0, 0.0),
                old.Cal(1000.0, 600.0, 0.0, 0.0, INFINITY, 0.0)},
               {0.0, 0.0, 0.0});
  // A march in pieces keeps the pipe's inclination and puts the geometry back.
  test::TestLiquid water = test::MakeWater();
  water.tension = 15.0;
  COldBegsBrill inclined(0.0, 2.441, 400.0, 300.0, 1);
  inclined.SetProps(&gas, nullptr, &water);
  inclined.m_dSubdiv = 4.0;
  inclined.Cal(1500.0, 600.0, 0.0, 0.3, 0.0, 800.0);
  ExpectValues({inclined.m_dAngle, inclined.m_dDx, inclined.m_dLength},
               {std::atan(300.0 / 400.0), 400.0, 500.0}, 1e-9);
}

// The code at liquid content lambda and Froude number NFr, with the
// boundaries L1 to L4 of lambda from the calculator's own map; then a
// regime the map cannot place.
TEST(OldBegsBrill, LegacyTiesAndTheUnmappedRegime) {
  COldBegsBrill old;
  auto regime = [&](double lambda, double nfr) {
    old.m_dLambda = lambda;
    old.MakeFlowMap();
    old.m_dNFr = nfr;
    old.GetFlowRegime();
    return double(old.GetCode());
  };
  regime(0.2, 0.0);  // the boundaries of lambda = 0.2
  const double l1 = old.m_dL1, l2 = old.m_dL2, l3 = old.m_dL3;
  // NFr = L1 is intermittent, NFr = L2 and L3 are unmapped; the engine's
  // rule for the first point (NFr = L1 distributed) is the last.
  ExpectValues({regime(0.2, l1), regime(0.2, l2), regime(0.2, l3), regime(0.2, 0.5 * (l2 + l3)),
                regime(0.005, 1e6), regime(0.5, 1e-6), regime(0.2, l1 * (1.0 + 1e-12))},
               {3, 6, 6, 5, 4, 2, 4});

  // No surface tension and no diameter: the map has no pattern for NaN, and
  // says so through the message handler.
  std::vector<std::string> messages;
  SetMessageHandler([&](const std::string& m) { messages.push_back(m); });
  old.m_dVsg = 3.0;
  old.m_dVsl = 1.0;
  old.m_dSigma = std::nan("");
  old.m_dPipeID = std::nan("");
  old.MultiPhase();
  SetMessageHandler(nullptr);
  EXPECT_EQ(messages, std::vector<std::string>{"*** ERROR -- UNMAPPED FLOW REGIME!"});
  EXPECT_EQ(old.m_dHoldup, 0.0);
  EXPECT_EQ(old.GetCode(), 6);
}

// The same segments through the engine's Modified Beggs & Brill. With
// constant properties and the legacy surface tension (15 dyn/cm) the two
// differ only by the legacy velocity factor 0.178010756 (against
// 5.6145835/... in the engine, 0.05 %) and the engine's damping near
// lambda = 0 or 1; with the black-oil fluid also by the properties the
// legacy calculator leaves out (dissolved gas in the oil density, computed
// surface tension, the water the gas carries).
TEST(OldBegsBrill, AgreesWithTheEngineWhereTheRulesAgree) {
  test::TestGas gas;
  test::TestLiquid water = test::MakeWater();
  water.tension = 15.0;
  BlackOilPhases ph = BlackOilFluid{}.MakePhases();
  for (bool blackOil : {false, true}) {
    CProp* g = blackOil ? static_cast<CProp*>(ph.gas.get()) : &gas;
    CProp* o = blackOil ? static_cast<CProp*>(ph.oil.get()) : nullptr;
    CProp* w = blackOil ? static_cast<CProp*>(ph.water.get()) : &water;
    const double qo = blackOil ? 600.0 : 0.0;
    for (const auto& [dx, dz] : {std::pair{1000.0, 0.0}, {600.0, 800.0}}) {
      const auto change = [&](auto& x) {
        x.SetDir(-1);
        x.SetFlw(-1);  // uphill flow marched up from the inlet
        x.SetProps(g, o, w);
        return x.Cal(1500.0, 620.0, 0.0, 0.8, qo, 400.0) - 1500.0;
      };
      std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.992, dx, dz, 3));
      COldBegsBrill old(0.0, 2.992, dx, dz, 1);
      const double engine = change(*e), legacy = change(old);
      EXPECT_LT(std::fabs(legacy - engine) / std::fabs(engine), blackOil ? 0.10 : 0.005)
          << dz << " " << blackOil;
    }
  }
}

TEST(TwoDArray, SizesAccessBoundsAndResizing) {
  C2DArray t(3, 4);
  t.SetAt(7.5, 2, 3);
  ASSERT_NE(t[1], nullptr);
  t[1][2] = 4.0;
  // The last element, row-major, and one written through a row pointer.
  ExpectValues(
      {double(t.GetRows()), double(t.GetCols()), t.GetAt(2, 3), t.m_aData.back(), t.GetAt(1, 2)},
      {3.0, 4.0, 7.5, 7.5, 4.0});
  // Outside the table: reads give the not-set value, writes change nothing.
  for (auto [r, c] : {std::pair{3, 0}, {0, 4}, {-1, 0}, {0, -1}, {100, 100}}) {
    EXPECT_EQ(t.GetAt(r, c), kNotSet);
    t.SetAt(1.0, r, c);
  }
  EXPECT_EQ(t.m_aData.size(), 12u);
  EXPECT_EQ(t[3], nullptr);
  t.SetColTitle("pressure", 1);
  t.SetColUnit(5, 1);
  t.SetColTitle("nowhere", 9);
  EXPECT_EQ(t.GetColTitle(1), "pressure");
  EXPECT_EQ(t.GetColUnit(1), 5);

  // Resizing keeps every cell both shapes have, at its row and column; new
  // cells are 0. Shrinking loses what falls outside.
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) t.SetAt(10.0 * r + c, r, c);
  }
  for (const auto& [rows, cols, grow, kept, keptCols] :
       {std::tuple{5, 6, 2, 3, 4}, {2, 3, 1, 2, 3}, {3, 5, 1, 2, 3}}) {
    t.SetSize(rows, cols, grow);
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < cols; ++c) {
        EXPECT_EQ(t.GetAt(r, c), r < kept && c < keptCols ? 10.0 * r + c : 0.0) << r << " " << c;
      }
    }
  }
  EXPECT_EQ(t.GetColTitle(1), "pressure");

  // RemoveAll reports 1 x 1 but holds nothing.
  t.RemoveAll();
  ExpectValues({double(t.GetRows()), double(t.GetCols()), t.GetAt(0, 0)}, {1.0, 1.0, kNotSet});
  t.SetAt(3.0, 0, 0);
  EXPECT_TRUE(t.m_aData.empty());
  EXPECT_EQ(t[0], nullptr);
  t.SetSize(2, 2, 1);  // nothing held to keep
  EXPECT_EQ(t.GetAt(0, 0), 0.0);
  C2DArray negative(-2, 3);
  EXPECT_EQ(negative.GetRows(), 0);
}

}  // namespace
}  // namespace pdrop
