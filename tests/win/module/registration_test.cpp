// Register: the host checks, the three entries with their exact bytes, and what each failure
// leaves in the registration cache.
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

constexpr XtraResult kHostCode = static_cast<XtraResult>(0x80040777u);

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
}

TEST_F(RegistrationTest, TheTableTravelsInAHostBlockFreedBeforeTheAppInfoIsReleased) {
  ASSERT_EQ(module->registerModule(), kOk);
  EXPECT_TRUE(host.log.inOrder({"AppInfo.ReadStringProperty(5, 64)", "Allocator.Allocate(276)",
                                "Allocator.Free(276)", "AppInfo.Release"}))
      << ::testing::PrintToString(host.log.entries());
}

TEST_F(RegistrationTest, OnlyDirectorItselfIsAccepted) {
  for (const char* name : {"director", "DIRECTOR", "Director ", "Director8", "Directo", ""}) {
    SCOPED_TRACE(name);
    host.appInfo.setApplicationName(name);
    EXPECT_EQ(module->registerModule(), kNotAvailable);
    EXPECT_TRUE(entries().empty());
  }
}

TEST_F(RegistrationTest, TheVersionMustBeginWithSixOrAbove) {
  struct Case {
    const char* version;
    XtraResult expected;
  };
  for (Case c : {Case{"6", kOk}, Case{"8.5", kOk}, Case{"9.0", kOk}, Case{"5.0", kHostTooOld},
                 Case{"10.0", kHostTooOld}, Case{"", kHostTooOld},
                 Case{"\xC8.0", kHostTooOld}}) {  // a byte above 0x7F is negative when signed
    SCOPED_TRACE(c.version);
    const std::size_t before = entries().size();
    host.appInfo.setVersion(c.version);
    EXPECT_EQ(module->registerModule(), c.expected);
    EXPECT_EQ(entries().size() - before, c.expected == kOk ? 2u : 0u);
  }
}

// Each way out of Register: its code, what it adds to the cache, and the dictionaries the cache
// lent untouched (no AddRef, no Release); AppInfo comes back exactly once (checked on teardown).
TEST_F(RegistrationTest, EveryWayOutLeavesTheCacheAndItsDictionariesAsItsRowSays) {
  struct Row {
    const char* name;
    void (*arrange)(xtrahost::Host&);
    XtraResult expected;
    std::size_t entries, puts;
  };
  const Row rows[] = {
      {"registered", [](xtrahost::Host&) {}, kOk, 2, 3},
      {"no AppInfo", [](xtrahost::Host& h) { h.withhold(ids::kHostAppInfo, kHostCode); }, kHostCode,
       0, 0},
      {"name unreadable", [](xtrahost::Host& h) { h.appInfo.failProperty(5, kHostCode, 1); },
       kHostCode, 0, 0},
      {"version unreadable", [](xtrahost::Host& h) { h.appInfo.failProperty(6, kHostCode, 1); },
       kHostCode, 0, 0},
      {"scripting entry refused",
       [](xtrahost::Host& h) { h.registry.failAddEntry(ids::kScriptInterface, kHostCode, 1); },
       kHostCode, 2, 1},
      {"no block", [](xtrahost::Host& h) { h.allocator.failSize(276, 1); }, kOutOfMemory, 2, 1},
      {"last put refused",
       [](xtrahost::Host& h) { h.registry.failPut("safeForShockwave", kHostCode, 1); }, kHostCode,
       2, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::size_t entriesBefore = entries().size(), putsBefore = puts().size();
    row.arrange(host);
    EXPECT_EQ(module->registerModule(), row.expected);
    host.callback.restoreAll();
    EXPECT_EQ(entries().size() - entriesBefore, row.entries);
    EXPECT_EQ(puts().size() - putsBefore, row.puts);
    for (const auto& dict : host.registry.dicts()) {
      EXPECT_EQ(dict->counts().addRefs + dict->counts().releases, 0u) << dict->name();
    }
  }
}

TEST_F(RegistrationTest, OnlyTheLastPutDecidesTheResult) {
  host.registry.failAddEntry(ids::kLoadControl, kHostCode);
  host.registry.failPut("msgTable", kHostCode);
  EXPECT_EQ(module->registerModule(), kOk);
  EXPECT_EQ(puts().size(), 2u);
}

}  // namespace
}  // namespace zorvtest
