// The in-memory diagnostic sheet and cell addresses; the .xlsx conversion of
// colours.
#include <gtest/gtest.h>

#include "pdrop/platform/MemorySheet.h"

namespace pdrop {
namespace {

TEST(MemorySheet, KeepsValuesColoursAndBoldAsGiven) {
  MemorySheet s;
  EXPECT_EQ(s.LastRow(), 0);
  s.SetValue(1, 1, CellValue(std::string("rol")));
  s.SetValue(9, 12, CellValue(2.5));
  s.SetFontColor(1, 1, 128);
  s.SetBold(1, 1, true);
  EXPECT_EQ(s.Text(1, 1), "rol");
  EXPECT_EQ(s.Number(9, 12), 2.5);
  EXPECT_EQ(s.Number(1, 1), kNotSet) << "a text is not a number";
  EXPECT_EQ(s.Text(9, 12), "") << "a number is not a text";
  ASSERT_NE(s.At(1, 1), nullptr);
  EXPECT_TRUE(s.At(1, 1)->hasColor);
  EXPECT_EQ(s.At(1, 1)->color, 128u);
  EXPECT_TRUE(s.At(1, 1)->bold);
  EXPECT_FALSE(s.At(9, 12)->bold);
  EXPECT_EQ(s.At(2, 2), nullptr);
  EXPECT_EQ(s.LastRow(), 12);
  s.SetValue(9, 12, CellValue(3.0));
  EXPECT_EQ(s.Number(9, 12), 3.0) << "a later value replaces the earlier one";
}

TEST(MemorySheet, CellAddresses) {
  EXPECT_EQ(CellAddress(1, 1), "A1");
  EXPECT_EQ(CellAddress(9, 12), "I12");
  EXPECT_EQ(CellAddress(19, 300), "S300");
  EXPECT_EQ(CellAddress(26, 2), "Z2");
  EXPECT_EQ(CellAddress(27, 3), "AA3");
  EXPECT_EQ(CellAddress(0, 1), "");
  EXPECT_EQ(CellAddress(1, 0), "");
}

}  // namespace
}  // namespace pdrop
