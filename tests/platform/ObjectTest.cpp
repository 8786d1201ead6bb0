// The object base with run-time class names, and the process-wide message
// handler.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

TEST(ObjectTest, RuntimeClassChainRunsFromEngineDownToObject) {
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0));
  std::vector<std::string> chain;
  for (const CRuntimeClass* c = e->GetRuntimeClass(); c != nullptr; c = c->m_pBaseClass)
    chain.emplace_back(c->m_lpszClassName);
  EXPECT_EQ(chain, (std::vector<std::string>{"CFanning", "CPressDrop", "CPressData", "CObject"}));
  std::unique_ptr<CPressDrop> other(CPressDrop::New(42));
  EXPECT_EQ(e->GetRuntimeClass(), other->GetRuntimeClass());  // one descriptor per class
}

TEST(ObjectTest, IsKindOfAcceptsTheClassAndItsBasesOnly) {
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0));
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

}  // namespace
}  // namespace pdrop
