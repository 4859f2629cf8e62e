// Register: the host checks, the three entries with their exact bytes and the order of its steps.
// What each host failure does to it is in the host-failure sweep.
#include <cstring>
#include <string>

#include "module/module_fixture.h"

namespace zorvtest {
namespace {

using namespace xtra;

const std::string kMessageTable =
    "xtra ZORVgame -- game xtra\n"
    "new object me\n"
    "-- MISC --\n"
    "* gameLoadDLLzorv string sFilename --\n"
    "* gameStartDlgzorv --\n"
    "* gameScoreDlgzorv string sScoreInfo --\n"
    "* gameStopDlgzorv --\n"
    "callAFunction object me, symbol otherHandler, * --\n"
    "callACommand  object me, symbol otherHandler, * --\n";

class RegistrationTest : public ModuleTest {
 protected:
  void TearDown() override {
    EXPECT_TRUE(host.unbalancedReferences().empty())
        << ::testing::PrintToString(host.unbalancedReferences());
    EXPECT_EQ(host.allocator.liveBlocks(), 0u);
    ModuleTest::TearDown();
  }
  const std::vector<xtrahost::RegistryEntry>& entries() { return host.registry.entries(); }
  const std::vector<xtrahost::RegistryPut>& puts() { return host.registry.puts(); }
  static void expectPut(const xtrahost::RegistryPut& put, const char* key, std::size_t entry,
                        std::int32_t typeCode, std::int32_t size) {
    SCOPED_TRACE(key);
    EXPECT_EQ(put.key, key);
    EXPECT_EQ(put.entry, entry);
    EXPECT_EQ(put.typeCode, typeCode);
    EXPECT_EQ(put.size, size);
  }
};

TEST_F(RegistrationTest, WritesTheLoadControlAndScriptingEntries) {
  ASSERT_EQ(module->registerModule(), kOk);
  ASSERT_EQ(entries().size(), 2u);
  EXPECT_TRUE(sameId(entries()[0].classId, ids::kScriptClass));
  EXPECT_TRUE(sameId(entries()[0].interfaceId, ids::kLoadControl));
  EXPECT_EQ(entries()[0].xtraDict, host.registry.xtraDict());
  EXPECT_TRUE(sameId(entries()[1].classId, ids::kScriptClass));
  EXPECT_TRUE(sameId(entries()[1].interfaceId, ids::kScriptInterface));
  EXPECT_EQ(entries()[1].xtraDict, host.registry.xtraDict());

  ASSERT_EQ(puts().size(), 3u);
  expectPut(puts()[0], "XtraLoadControlOptions", 0, 3, 0);
  EXPECT_EQ(puts()[0].integer(), 3u);
  expectPut(puts()[1], "msgTable", 1, 9, 0);
  EXPECT_EQ(puts()[1].text(), kMessageTable);
  EXPECT_EQ(kMessageTable.size(), 275u);
  expectPut(puts()[2], "safeForShockwave", 1, 6, 1);
  EXPECT_EQ(puts()[2].bytes, (std::vector<std::uint8_t>{1}));
  // The table travels in a host block, freed before the application info is released.
  EXPECT_TRUE(host.log.inOrder(
      {"AppInfo.ReadStringProperty(5, 64)", "RegistryCache.AddEntry(ScriptClass, ScriptInterface)",
       "Allocator.Allocate(276)", "Allocator.Free(276)", "AppInfo.Release"}))
      << ::testing::PrintToString(host.log.entries());
}

// Only Director itself, by its exact name, of a version whose first character is "6" or above
// (compared as a signed byte) registers; a refusal writes nothing.
TEST_F(RegistrationTest, OnlyDirectorSixOrLaterIsAccepted) {
  struct Case {
    const char* name;
    const char* version;
    XtraResult expected;
  };
  for (Case c :
       {Case{"Director", "6", kOk}, Case{"Director", "8.5", kOk}, Case{"Director", "9.0", kOk},
        Case{"Director", "5.0", kHostTooOld}, Case{"Director", "10.0", kHostTooOld},
        Case{"Director", "", kHostTooOld}, Case{"Director", "\xC8.0", kHostTooOld},
        Case{"director", "8.5", kNotAvailable}, Case{"DIRECTOR", "8.5", kNotAvailable},
        Case{"Director ", "8.5", kNotAvailable}, Case{"Director8", "8.5", kNotAvailable},
        Case{"Directo", "8.5", kNotAvailable}, Case{"", "8.5", kNotAvailable}}) {
    SCOPED_TRACE(std::string(c.name) + " " + c.version);
    const std::size_t before = entries().size();
    host.appInfo.setApplicationName(c.name);
    host.appInfo.setVersion(c.version);
    EXPECT_EQ(module->registerModule(), c.expected);
    EXPECT_EQ(entries().size() - before, c.expected == kOk ? 2u : 0u);
  }
}

}  // namespace
}  // namespace zorvtest
