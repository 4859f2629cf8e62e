// Methods 1 to 4 with real GameModule DLLs: where they are found, what the script receives.
#include <windows.h>

#include "module/script_fixture.h"

namespace zorvtest {
namespace {

using GameBridgeTest = ScriptTest;

bool isLoaded(const char* name) { return GetModuleHandleA(name) != nullptr; }

// What the script receives from each kind of GameModule found on the search path.
TEST_F(GameBridgeTest, EachDialogsAnswerReachesTheScript) {
  const struct {
    const char* module;
    const char* start;  // null: 0
    std::int32_t score, stop;
  } cases[] = {
      {"tgm_noscore.dll", "start:tgm_noscore:128", 0, 1},  // no score export
      {"tgm_bare.dll", nullptr, 3, 0},                     // the score export alone
      {"tgm_false.dll", nullptr, -123456, 0},              // false from the dialogs
      {"tgm_all.dll", "start:tgm_all:128", 3, 1},          // the length without the terminator
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.module);
    ASSERT_EQ(integer(load(c.module)), 1);
    if (c.start != nullptr) {
      EXPECT_EQ(text(start()), c.start);
    } else {
      EXPECT_EQ(integer(start()), 0);
    }
    EXPECT_EQ(integer(score("abc")), c.score);
    EXPECT_EQ(integer(stop()), c.stop);
  }
  EXPECT_TRUE(isLoaded("tgm_all.dll"));  // stopping does not unload
  EXPECT_EQ(integer(score("")), 0);
  EXPECT_EQ(gameModuleCounter("SCORE", "tgm_all"), 2);
}

TEST_F(GameBridgeTest, WithoutAGameModuleNothingIsCalledAndTheScriptGetsZero) {
  EXPECT_EQ(integer(start()), 0);
  EXPECT_EQ(integer(score("abc")), 0);
  EXPECT_EQ(integer(stop()), 0);  // and after a load that found nothing: see below
}

TEST_F(GameBridgeTest, TheXtrasFolderIsTriedWhenTheSearchPathHasNoSuchModule) {
  for (bool trailingBackslash : {false, true}) {
    SCOPED_TRACE(trailingBackslash);
    TemporaryInstallation install(trailingBackslash);
    install.addGameModule("tgm_empty.dll", "xonly.dll");
    EXPECT_EQ(integer(load("xonly.dll")), 1);
    EXPECT_EQ(text(start()), "");  // true without writing: the empty string, not 0
    EXPECT_EQ(integer(score("abc")), -123456);
    EXPECT_EQ(integer(stop()), 0);
    EXPECT_EQ(integer(load("tgm_all.dll")), 1);  // frees xonly.dll before the folder goes
    EXPECT_FALSE(isLoaded("xonly.dll"));
  }
}

TEST_F(GameBridgeTest, TheSearchPathWinsOverTheXtrasFolder) {
  TemporaryInstallation install;
  install.addGameModule("tgm_false.dll", "tgm_all.dll");
  EXPECT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(text(start()), "start:tgm_all:128");
  EXPECT_EQ(gameModuleCounter("ATTACHES", "tgm_false"), 0);
}

TEST_F(GameBridgeTest, TheSameNameInAnotherCaseIsNotLoadedAgain) {
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(integer(load("TGM_ALL.DLL")), 1);
  EXPECT_EQ(integer(load("Tgm_All.Dll")), 1);
  EXPECT_EQ(gameModuleCounter("ATTACHES", "tgm_all"), 1);
}

TEST_F(GameBridgeTest, AnotherNameFreesTheHeldModuleEvenWhenItsOwnLoadFails) {
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  ASSERT_EQ(integer(load("tgm_noscore.dll")), 1);
  EXPECT_FALSE(isLoaded("tgm_all.dll"));

  TemporaryInstallation install;
  EXPECT_EQ(integer(load("nothere.dll")), 0);
  EXPECT_FALSE(isLoaded("tgm_noscore.dll"));
  EXPECT_EQ(integer(start()), 0);
}

TEST_F(GameBridgeTest, AFailedLoadIsRetriedInFullUnderTheSameName) {
  TemporaryInstallation install;
  EXPECT_EQ(integer(load("later.dll")), 0);
  install.addGameModule("tgm_all.dll", "later.dll");
  EXPECT_EQ(integer(load("later.dll")), 1);
  EXPECT_EQ(text(start()), "start:tgm_all:128");
  EXPECT_EQ(integer(load("tgm_all.dll")), 1);
}

TEST_F(GameBridgeTest, NoInstallationKeyMeansOnlyTheSearchPath) {
  EXPECT_EQ(integer(load("xonly.dll")), 0);
  EXPECT_EQ(integer(load("tgm_false.dll")), 1);
}

TEST_F(GameBridgeTest, ScoreTextsAreCutAtTheBufferAndNeverStale) {
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(integer(score(std::string(300, 's'))), 259);
  EXPECT_EQ(integer(score("abcdef")), 6);
  host.values.fail(xtrahost::ValueOp::ValueToString, static_cast<XtraResult>(0x80040001u), 1);
  EXPECT_EQ(integer(score("abcdef")), 0);  // a cleared buffer, not the previous text
}

TEST_F(GameBridgeTest, CallsWithoutTheirArgumentReadNothingBeyondTheArray) {
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  xtrahost::CallOutcome noName = call(1);
  EXPECT_EQ(noName.code, 0);
  EXPECT_EQ(integer(noName), 0);
  EXPECT_TRUE(isLoaded("tgm_all.dll"));
  xtrahost::CallOutcome noScore = call(3);
  EXPECT_EQ(noScore.code, 0);
  EXPECT_EQ(integer(noScore), 0);
  EXPECT_EQ(gameModuleCounter("SCORE", "tgm_all"), 0);
}

TEST_F(GameBridgeTest, AnEmptyNameFreesTheLoadedGameModuleAndLoadsNothing) {
  TemporaryInstallation install;
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(integer(load("")), 0);
  EXPECT_FALSE(isLoaded("tgm_all.dll"));
  EXPECT_EQ(integer(start()), 0);
}

TEST_F(GameBridgeTest, ANameTheHostCannotConvertIsNotLoaded) {
  host.values.fail(xtrahost::ValueOp::ValueToString, static_cast<XtraResult>(0x80040001u), 1);
  EXPECT_EQ(integer(load("tgm_all.dll")), 0);
  EXPECT_FALSE(isLoaded("tgm_all.dll"));
}

}  // namespace
}  // namespace zorvtest
