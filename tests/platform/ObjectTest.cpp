// The object base with run-time class names, the process-wide message
// handler, and the in-memory diagnostic sheet with its cell addresses.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

TEST(ObjectTest, RuntimeClassChainAndIsKindOf) {
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0));
  std::vector<std::string> chain;
  for (const CRuntimeClass* c = e->GetRuntimeClass(); c != nullptr; c = c->m_pBaseClass)
    chain.emplace_back(c->m_lpszClassName);
  EXPECT_EQ(chain, (std::vector<std::string>{"CFanning", "CPressDrop", "CPressData", "CObject"}));
  std::unique_ptr<CPressDrop> other(CPressDrop::New(42));
  EXPECT_EQ(e->GetRuntimeClass(), other->GetRuntimeClass());  // one descriptor per class
  // The class and its bases only.
  for (const CRuntimeClass* c : {PDROP_RUNTIME_CLASS(CObject), PDROP_RUNTIME_CLASS(CPressData),
                                 PDROP_RUNTIME_CLASS(CPressDrop), PDROP_RUNTIME_CLASS(CFanning)})
    EXPECT_TRUE(e->IsKindOf(c)) << c->m_lpszClassName;
  EXPECT_FALSE(e->IsKindOf(nullptr));
  const CObject plain;
  EXPECT_TRUE(plain.IsKindOf(PDROP_RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(plain.IsKindOf(PDROP_RUNTIME_CLASS(CPressData)));
  EXPECT_FALSE(CPressData().IsKindOf(PDROP_RUNTIME_CLASS(CFanning)));
}

TEST(ObjectTest, InstalledHandlerReceivesMessagesAndNullRestoresStandardError) {
  std::vector<std::string> seen;
  SetMessageHandler([&seen](const std::string& text) { seen.push_back(text); });
  testing::internal::CaptureStderr();
  ShowMessage("*** ERROR -- UNMAPPED FLOW REGIME!");
  ShowMessage("second");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(seen, (std::vector<std::string>{"*** ERROR -- UNMAPPED FLOW REGIME!", "second"}));

  SetMessageHandler(nullptr);
  testing::internal::CaptureStderr();
  ShowMessage("back to the default");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("back to the default"), std::string::npos);
  EXPECT_EQ(seen.size(), 2u);  // the old handler is gone
}

TEST(MemorySheet, KeepsValuesColoursAndBoldAsGivenAtTheirAddresses) {
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
  EXPECT_TRUE(s.At(1, 1)->hasColor && s.At(1, 1)->bold);
  EXPECT_EQ(s.At(1, 1)->color, 128u);
  EXPECT_FALSE(s.At(9, 12)->bold);
  EXPECT_EQ(s.At(2, 2), nullptr);
  EXPECT_EQ(s.LastRow(), 12);
  s.SetValue(9, 12, CellValue(3.0));
  EXPECT_EQ(s.Number(9, 12), 3.0) << "a later value replaces the earlier one";
  std::string addresses;
  for (auto [col, row] : {std::pair{1, 1}, {9, 12}, {19, 300}, {26, 2}, {27, 3}, {0, 1}, {1, 0}})
    addresses += CellAddress(col, row) + " ";
  EXPECT_EQ(addresses, "A1 I12 S300 Z2 AA3   ");
}

}  // namespace
}  // namespace pdrop
