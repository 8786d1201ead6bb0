// Root and minimum finders, the scan, and the level and film searches; the
// spreadsheet trace: addresses, the row cursor with and without a sheet, the
// input block, the dispersed-bubble note and the film scan.
#include <gtest/gtest.h>

#include <cmath>

#include "MechTestSupport.h"

namespace pdrop {
namespace {

using test::MechProbe;
using test::RecordingSheet;

TEST(MechSolvers, BrentRootNeedsABracketAndTakesAZeroAtAnEnd) {
  MechProbe m(100.0, 0.0, 1.0, 1.0);
  EXPECT_NEAR(m.zBrent(MechProbe::R(&MechProbe::Linear), 0.0, 1.0, 1e-8), 0.3, 1e-8);
  // x - 0.3 > 0 at 0.5 and at 1: no root, and nothing evaluated inside.
  m.args.clear();
  EXPECT_EQ(m.zBrent(MechProbe::R(&MechProbe::Linear), 0.5, 1.0, 1e-8), kNotSet);
  EXPECT_EQ(m.args, (std::vector<double>{0.5, 1.0}));
  m.shift = 0.25;
  EXPECT_EQ(m.zBrent(MechProbe::R(&MechProbe::Linear), 0.25, 1.0, 1e-8), 0.25);
}

TEST(MechSolvers, ModifiedBrentStopsAtTheFirstBestValueOfTheOtherSign) {
  // (x - 0.7)^2 - 0.01 from 0.5 over [0, 1]: f(0.5) = 0.03, least -0.01 at 0.7.
  MechProbe m(100.0, 0.0, 1.0, 1.0);
  double xmin = kNotSet;
  EXPECT_NEAR(m.brent(0.0, 0.5, 1.0, MechProbe::R(&MechProbe::Well), 1e-6, &xmin), -0.01, 1e-9);
  EXPECT_NEAR(xmin, 0.7, 1e-4);
  const std::size_t fullSearch = m.args.size();
  m.args.clear();
  const double f = m.Modified_brent(0.0, 0.5, 1.0, MechProbe::R(&MechProbe::Well), 1e-6, &xmin, 1);
  EXPECT_LT(f, 0.0);
  EXPECT_GT(f, -0.01 + 1e-6);
  EXPECT_LT(m.args.size(), fullSearch);
  // flag 0 stops at a positive best value: the first point already is one.
  m.args.clear();
  EXPECT_NEAR(m.Modified_brent(0.0, 0.5, 1.0, MechProbe::R(&MechProbe::Well), 1e-6, &xmin, 0), 0.03,
              1e-15);
  EXPECT_EQ(m.args.size(), 1u);
}

TEST(MechSolvers, ScanStepsByATwentiethOfTheIntervalPlusItsLowerEnd) {
  // (0.49995 - 5e-5)/20 + 5e-5 = 0.025045; first trial 5e-5 + 0.025045 = 0.025095.
  MechProbe m(100.0, 0.0, 1.0, 1.0);
  double a = 5e-5, b = 0.49995;
  m.brak(MechProbe::R(&MechProbe::Constant), &a, &b);
  EXPECT_NEAR(m.args.at(1), 0.025095, 1e-15);
  // No sign change: 5e-5 + 19 x 0.025045 = 0.475905 <= 0.49995 < 0.50095, the
  // first point beyond b; 21 evaluations; the last pair comes back.
  EXPECT_EQ(m.args.size(), 21u);
  EXPECT_NEAR(a, 0.475905, 1e-12);
  EXPECT_NEAR(b, 0.50095, 1e-12);
  m.shift = 0.1;
  a = 5e-5;
  b = 0.49995;
  m.brak(MechProbe::R(&MechProbe::Linear), &a, &b);
  EXPECT_TRUE(a < 0.1 && 0.1 < b && std::fabs(b - a - 0.025045) < 1e-12);
}

// The second trace row tells the search: the plain root search evaluates
// 5e-5 then 0.99995; the minimisation (10 <= Vsg <= 200) 5e-5 then
// (5e-5 + 0.1)/2 = 0.050025.
TEST(MechSolvers, SearchesMinimiseInTheirWindowAndLeaveTheFieldsOfTheirRoot) {
  for (const auto& [vsg, second] : {std::pair{9.99, 0.99995}, std::pair{10.0, 0.050025}}) {
    MechProbe m(100.0, 0.0, vsg, 0.1);
    m.m_dTheta = 0.0;
    m.GetFlowRegime();
    RecordingSheet sheet;
    m.SetExcelDiag(&sheet);  // row 0: labels; rows 1, 2: the first two levels
    m.m_bDiagStratified = 1;
    const double h = m.Calculate_hl_d();
    EXPECT_EQ(sheet.Number(1, 1), 5e-5);
    EXPECT_NEAR(sheet.Number(1, 2), second, 1e-15) << vsg;
    // Last evaluated at h: the liquid area is (pi - acos x + x sqrt(1 - x^2))/4, x = 2h - 1.
    ASSERT_TRUE(IsSet(h));
    EXPECT_EQ(sheet.Number(1, m.m_nDiagRow - 1), h);
    const double x = 2.0 * h - 1.0;
    EXPECT_NEAR(m.m_dAreaLiq, (test::kPi - std::acos(x) + x * std::sqrt(1.0 - x * x)) / 4.0, 1e-15);
  }
  // Horizontal annular mist: the film fields are those of the film returned,
  // which lies within the tolerance 1e-8 of the root.
  MechProbe m(100.0, 0.0, 50.0, 0.1);
  m.m_dTheta = 0.0;
  ASSERT_EQ(m.GetFlowRegime(), CMechModel::kAnnularMist);
  const double delta = m.Calculate_dl_d();
  EXPECT_EQ(m.m_dFilmRatio, delta);
  EXPECT_LT(m.dl_d(delta - 2e-8) * m.dl_d(delta + 2e-8), 0.0);
}

TEST(MechDiagnostics, DecisionsWriteTheirInputsAndMoveTheCursorWithOrWithoutASheet) {
  EXPECT_EQ(CMechModel::CellAddress(9, 12) + CMechModel::CellAddress(1, 1), "I12A1");
  EXPECT_EQ(CMechModel::CellAddress(27, 1), "");

  // Bubble: 1 row in the decision, 2 for the input block, 1 after the pattern,
  // without a sheet and again with one (which starts the cursor anew).
  MechProbe m(0.0, 100.0, 0.1, 1.0);
  m.MultiPhase();
  ASSERT_EQ(m.GetCode(), CMechModel::kBubble);
  EXPECT_EQ(m.m_nDiagRow, 4);
  RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.MultiPhase();
  EXPECT_EQ(m.m_nDiagRow, 4);
  EXPECT_EQ(sheet.Text(1, 1), "rol");
  EXPECT_EQ(sheet.Text(9, 1), "Vsg");
  for (int col = 1; col <= 19; ++col) {
    ASSERT_NE(sheet.At(col, 1), nullptr);
    EXPECT_TRUE(sheet.At(col, 1)->color == 128u && sheet.At(col, 1)->bold) << col;
  }
  const double inputs[] = {50.0, 5.0, 20.0, 1.0, 0.0006, 1.5707963267948966, 4.0, 1.0, 0.1};
  for (int col = 1; col <= 9; ++col) EXPECT_EQ(sheet.Number(col, 2), inputs[col - 1]) << col;
  EXPECT_FALSE(sheet.Has(1, 3));

  // Dispersed bubble by its test leaves a note under the inputs; by flow-over not.
  for (int flowOver : {0, 1}) {
    MechProbe d(0.0, 100.0, 10.0, 30.0);
    RecordingSheet s;
    d.SetExcelDiag(&s);
    d.SetFlowOver(flowOver);
    d.MultiPhase();
    ASSERT_EQ(d.GetCode(), CMechModel::kDispersedBubble);
    EXPECT_EQ(s.Has(1, 3), flowOver == 0);
    EXPECT_TRUE(flowOver == 1 || s.Text(1, 3) == "Dispersed bubble flow regime");
  }
}

// The cursor moves as far without a sheet as with one.
TEST(MechDiagnostics, StratifiedTraceWritesOneRowPerLevel) {
  MechProbe m(100.0, 0.0, 0.1, 0.01);
  m.m_bDiagStratified = 1;
  m.MultiPhase();
  const int bareRows = m.m_nDiagRow;
  RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.MultiPhase();
  ASSERT_EQ(m.GetCode(), CMechModel::kStratifiedSmooth);
  EXPECT_EQ(m.m_nDiagRow, bareRows);
  // Labels follow the input block, then one row per level from the lowest.
  EXPECT_EQ(sheet.Text(1, 3), "hl/D");
  EXPECT_EQ(sheet.Text(18, 3), "rog");
  EXPECT_EQ(sheet.Number(1, 4), 5e-5);
  EXPECT_EQ(sheet.Number(17, 4), 50.0);
  EXPECT_TRUE(sheet.Has(1, m.m_nDiagRow - 2));  // the last level, before Mphase's row
}

TEST(MechDiagnostics, FilmScanRunsToItsEndOrItsPointCount) {
  MechProbe m(0.0, 100.0, 30.0, 0.5);
  m.m_dTheta = 1.5707963267948966;
  m.GetFlowRegime();
  // From 0.0001 in steps of 0.0001: 5000 points below 0.5, plus the label row.
  const int row = m.m_nDiagRow;
  const double end = m.Calculate_dl_dDiag();
  EXPECT_EQ(m.m_nDiagRow - row, 5001);
  EXPECT_TRUE(end >= 0.5 && end < 0.5001);

  RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.m_bDiagFilm = 1;
  m.m_dDiagStart = 0.2;
  m.m_nDiagPoints = 3;
  EXPECT_NEAR(m.Calculate_dl_dDiag(), 0.2003, 1e-12);
  EXPECT_EQ(m.m_nDiagRow, 4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(sheet.Number(1, 1 + i), 0.2 + 0.0001 * i, 1e-12);
    EXPECT_EQ(sheet.Number(3, 1 + i), m.m_dX2);
    EXPECT_FALSE(sheet.Has(8, 1 + i));  // seven cells a row
  }
}

}  // namespace
}  // namespace pdrop
