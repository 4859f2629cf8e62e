#include "module/script_fixture.h"

namespace zorvtest {

void ScriptTest::SetUp() {
  ModuleTest::SetUp();
  resetGameModuleCounters();
  session = std::make_unique<xtrahost::ScriptSession>(*module);
  ASSERT_EQ(session->createResult(), 0);
  ASSERT_TRUE(session->ready());
}

void ScriptTest::TearDown() {
  if (session) session->end();
  session.reset();
  EXPECT_TRUE(host.unbalancedReferences().empty())
      << ::testing::PrintToString(host.unbalancedReferences());
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  ModuleTest::TearDown();
}

}  // namespace zorvtest
