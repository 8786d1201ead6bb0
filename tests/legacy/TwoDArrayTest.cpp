// The two-dimensional table: sizes, access and bounds.
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

  // RemoveAll reports 1 x 1 but holds nothing.
  t.RemoveAll();
  EXPECT_EQ(t.GetRows(), 1);
  EXPECT_EQ(t.GetCols(), 1);
  EXPECT_EQ(t.GetAt(0, 0), kNotSet);
  t.SetAt(3.0, 0, 0);
  EXPECT_TRUE(t.m_aData.empty());
  EXPECT_EQ(t[0], nullptr);
  C2DArray negative(-2, 3);
  EXPECT_EQ(negative.GetRows(), 0);
}

}  // namespace
}  // namespace pdrop
