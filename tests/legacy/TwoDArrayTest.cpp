// The two-dimensional table: sizes, access, bounds and resizing.
#include <gtest/gtest.h>

#include "pdrop/legacy/TwoDArray.h"

namespace pdrop {
namespace {

TEST(TwoDArray, SizesAccessAndBounds) {
  C2DArray t(3, 4);
  EXPECT_EQ(t.GetRows(), 3);
  EXPECT_EQ(t.GetCols(), 4);
  t.SetAt(7.5, 2, 3);
  EXPECT_EQ(t.GetAt(2, 3), 7.5);
  EXPECT_EQ(t.m_aData.back(), 7.5) << "the last element, row-major";
  ASSERT_NE(t[1], nullptr);
  t[1][2] = 4.0;
  EXPECT_EQ(t.GetAt(1, 2), 4.0);
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
  t.SetSize(5, 6, 2);
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 6; ++c) {
      EXPECT_EQ(t.GetAt(r, c), r < 3 && c < 4 ? 10.0 * r + c : 0.0) << r << " " << c;
    }
  }
  EXPECT_EQ(t.GetColTitle(1), "pressure");
  t.SetSize(2, 3, 1);
  t.SetSize(3, 5, 1);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(t.GetAt(r, c), r < 2 && c < 3 ? 10.0 * r + c : 0.0) << r << " " << c;
    }
  }

  // RemoveAll reports 1 x 1 but holds nothing.
  t.RemoveAll();
  EXPECT_EQ(t.GetRows(), 1);
  EXPECT_EQ(t.GetCols(), 1);
  EXPECT_EQ(t.GetAt(0, 0), kNotSet);
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
