// Spreadsheet trace: addresses, the row cursor with and without a sheet, the
// input block, the dispersed-bubble note and the film scan.
#include <gtest/gtest.h>

#include "MechTestSupport.h"

namespace pdrop {
namespace {

using test::MechProbe;
using test::RecordingSheet;

TEST(MechDiagnostics, DecisionsWriteTheirInputsAndMoveTheCursorWithOrWithoutASheet) {
  EXPECT_EQ(CMechModel::CellAddress(9, 12), "I12");
  EXPECT_EQ(CMechModel::CellAddress(1, 1), "A1");
  EXPECT_EQ(CMechModel::CellAddress(27, 1), "");

  // Bubble: 1 row in the decision, 2 for the input block, 1 after the pattern.
  MechProbe bare(0.0, 100.0, 0.1, 1.0);
  bare.MultiPhase();
  ASSERT_EQ(bare.GetCode(), CMechModel::kBubble);
  EXPECT_EQ(bare.m_nDiagRow, 4);
  MechProbe m(0.0, 100.0, 0.1, 1.0);
  RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.MultiPhase();
  EXPECT_EQ(m.m_nDiagRow, 4);
  EXPECT_EQ(sheet.Text(1, 1), "rol");
  EXPECT_EQ(sheet.Text(9, 1), "Vsg");
  for (int col = 1; col <= 19; ++col) {
    EXPECT_EQ(sheet.colours.at({col, 1}), 128u);
    EXPECT_TRUE(sheet.bold.at({col, 1}));
  }
  const double inputs[] = {50.0, 5.0, 20.0, 1.0, 0.0006, 1.5707963267948966, 4.0, 1.0, 0.1};
  for (int col = 1; col <= 9; ++col) EXPECT_EQ(sheet.Number(col, 2), inputs[col - 1]) << col;
  EXPECT_EQ(sheet.values.count({1, 3}), 0u);

  // Dispersed bubble by its test leaves a note under the inputs; by flow-over not.
  for (int flowOver : {0, 1}) {
    MechProbe d(0.0, 100.0, 10.0, 30.0);
    RecordingSheet s;
    d.SetExcelDiag(&s);
    d.SetFlowOver(flowOver);
    d.MultiPhase();
    ASSERT_EQ(d.GetCode(), CMechModel::kDispersedBubble);
    const bool noted = s.values.count({1, 3}) == 1;
    EXPECT_EQ(noted, flowOver == 0);
    if (noted) {
      EXPECT_EQ(s.Text(1, 3), "Dispersed bubble flow regime");
    }
  }
}

TEST(MechDiagnostics, StratifiedTraceWritesOneRowPerLevel) {
  MechProbe bare(100.0, 0.0, 0.1, 0.01);
  bare.m_bDiagStratified = 1;
  bare.MultiPhase();
  MechProbe m(100.0, 0.0, 0.1, 0.01);
  RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.m_bDiagStratified = 1;
  m.MultiPhase();
  ASSERT_EQ(m.GetCode(), CMechModel::kStratifiedSmooth);
  EXPECT_EQ(bare.m_nDiagRow, m.m_nDiagRow);
  // Labels follow the input block, then one row per level from the lowest.
  EXPECT_EQ(sheet.Text(1, 3), "hl/D");
  EXPECT_EQ(sheet.Text(18, 3), "rog");
  EXPECT_EQ(sheet.Number(1, 4), 5e-5);
  EXPECT_EQ(sheet.Number(17, 4), 50.0);
  EXPECT_EQ(sheet.values.count({1, m.m_nDiagRow - 2}), 1u);  // the last level, before Mphase's row
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
    EXPECT_EQ(sheet.values.count({8, 1 + i}), 0u);  // seven cells a row
  }
}

}  // namespace
}  // namespace pdrop
