// Creating and destroying script instances: which host interfaces are asked for, in which
// order, and how they are given back. Call's routing by method number, the per-call interfaces,
// and the script handler call-back. Methods 1 to 4 with real GameModule DLLs: where they are
// found, what the script receives.
#include <windows.h>

#include "guid_text.h"
#include "module/script_fixture.h"
#include "win_test_support.h"

namespace zorvtest {
namespace {

using namespace xtra;
using xtrahost::Values;

using ScriptInstanceTest = ModuleTest;

const std::vector<std::string> kCreateOrder = {
    "Callback.QueryInterface(HeldInterface1)",
    "Callback.QueryInterface(HostAppInfo)",
    "Callback.CreateHostObject(HostObjectClass, HostObjectIface)",
    "Callback.QueryInterface(HostValues)",
    "Callback.QueryInterface(HeldInterface5)",
    "Callback.QueryInterface(HeldInterface6)",
    "Callback.QueryInterface(HeldInterface7)",
    "Callback.QueryInterface(HostScriptEngine)",
    "Callback.QueryInterface(HeldInterface11)",
};

// Destroy gives each interface back once, the host object after interfaces 5 and 6.
TEST_F(ScriptInstanceTest, CreateAsksForEveryInterfaceInOrderAndDestroyReleasesEachOnce) {
  auto object = module->createObject(ids::kScriptClass);
  ASSERT_EQ(object->createResult(), kOk);
  EXPECT_EQ(host.log.startingWith("Callback."), kCreateOrder);
  host.log.clear();
  object->release();
  ASSERT_TRUE(object->destroyed());
  std::vector<std::string> releases;
  for (const std::string& e : host.log.entries()) {
    if (e.size() > 8 && e.compare(e.size() - 8, 8, ".Release") == 0) releases.push_back(e);
  }
  EXPECT_EQ(releases,
            (std::vector<std::string>{"Held1.Release", "AppInfo.Release", "Values.Release",
                                      "Held5.Release", "Held6.Release", "HostObject#1.Release",
                                      "Held7.Release", "ScriptEngine.Release", "Held11.Release"}));
  EXPECT_TRUE(host.unbalancedReferences().empty());
}

// Without interface 7 create stops at once, before the script engine is asked; without any other
// (HostValues, say) everything is asked first. Destroy then gives back whatever create obtained.
// Each missing interface's result is in the host-failure sweep.
TEST_F(ScriptInstanceTest, AMissingInterfaceSevenStopsCreateAtOnce) {
  for (const GUID* iid : {&ids::kHostValues, &ids::kHeldInterface7}) {
    const bool stopsEarly = iid == &ids::kHeldInterface7;
    SCOPED_TRACE(xtrahost::guidName(iid));
    host.log.clear();
    host.withhold(*iid);
    auto object = module->createObject(ids::kScriptClass);
    EXPECT_EQ(object->createResult(), kNotAvailable);
    EXPECT_EQ(host.log.contains("Callback.QueryInterface(HostScriptEngine)"), !stopsEarly);
    EXPECT_EQ(host.log.contains("Callback.QueryInterface(HeldInterface11)"), !stopsEarly);
    object->release();
    host.restore(*iid);
  }
  EXPECT_TRUE(host.unbalancedReferences().empty());
}

using ScriptInstanceGameTest = ScriptTest;

// The name is cleared only when a GameModule was loaded: bytes create left are kept otherwise.
TEST_F(ScriptInstanceGameTest, DestroyFreesTheGameModuleOnceAndClearsOnlyItsName) {
  host.objectFill = 0xAB;
  for (const bool loaded : {true, false}) {
    SCOPED_TRACE(loaded);
    xtrahost::ScriptSession instance(*module);
    ASSERT_EQ(instance.createResult(), kOk);
    if (loaded) {
      ASSERT_EQ(Values::integerOf(instance.call(1, {host.values.makeString("tgm_all.dll")}).result),
                1);
    }
    instance.end();
    EXPECT_EQ(GetModuleHandleA("tgm_all.dll"), nullptr);
    const std::vector<std::uint8_t>& bytes = instance.object().bytesAtDestroy();
    ASSERT_GE(bytes.size(), nameOffset() + 16);
    EXPECT_EQ(
        std::vector<std::uint8_t>(bytes.begin() + nameOffset(), bytes.begin() + nameOffset() + 16),
        std::vector<std::uint8_t>(16, loaded ? 0 : 0xAB));
    EXPECT_EQ(instance.object().field<void*>(fieldOffset(12)), nullptr);
  }
}

TEST_F(ModuleTest, TheFirstDestroyTakesTheHiddenFrameDownAndLaterOnesFindNothing) {
  ASSERT_NE(FindWindowA(nullptr, "*zorvmainhidden*"), nullptr);
  xtrahost::ScriptSession first(*module);
  xtrahost::ScriptSession second(*module);
  ASSERT_EQ(second.createResult(), xtra::kOk);
  first.end();
  EXPECT_EQ(FindWindowA(nullptr, "*zorvmainhidden*"), nullptr);
  second.end();
  EXPECT_TRUE(second.object().destroyed());
  EXPECT_EQ(FindWindowA(nullptr, "*zorvmainhidden*"), nullptr);
}

TEST_F(ModuleTest, AnInstanceWhoseCreateFailedRefusesScriptCalls) {
  host.withhold(xtra::ids::kHostValues);
  auto object = module->createObject(xtra::ids::kScriptClass);
  ASSERT_EQ(object->createResult(), xtra::kNotAvailable);
  xtrahost::InterfaceResult built =
      module->getInterface(*object, nullptr, xtra::ids::kScriptInterface);
  ASSERT_EQ(built.code, xtra::kOk);
  auto* script = built.as<ScriptInterfaceBase>();
  for (std::int32_t method : {1, 2, 3, 4, 5, 6}) {
    ScriptCallRecord record{};
    record.method = method;
    EXPECT_EQ(script->Call(&record), xtra::kNotAvailable) << method;
  }
  ScriptCallRecord none{};
  EXPECT_EQ(script->Call(&none), xtra::kOk);
  EXPECT_EQ(script->Call(nullptr), xtra::kNotAvailable);
  script->Release();
  object->release();
  EXPECT_TRUE(host.unbalancedReferences().empty());
}

TEST_F(ScriptTest, ACreateWithoutTheHostCallbackLeavesNothingForDestroyToRelease) {
  host.objectFill = 0xAB;  // fields create forgot to clear would be released as 0xABAB...
  std::unique_ptr<xtrahost::HostObject> object = module->newObject(xtra::ids::kScriptClass);
  object->header()->callback = nullptr;
  ASSERT_EQ(object->create(), xtra::kNotAvailable);
  host.log.clear();
  object->release();
  ASSERT_TRUE(object->destroyed());
  for (int field : {1, 7, 11, 12}) EXPECT_EQ(object->field<void*>(fieldOffset(field)), nullptr);
  for (const std::string& e : host.log.entries())
    EXPECT_EQ(e.find(".Release"), std::string::npos) << e;
}

class ScriptCallTest : public ScriptTest {
 protected:
  void expectCallFieldsEmpty() {
    EXPECT_EQ(session->object().field<void*>(fieldOffset(9)), nullptr);
    EXPECT_EQ(session->object().field<void*>(fieldOffset(10)), nullptr);
  }
  HostValue me() const { return session->instanceValue(); }
};

TEST_F(ScriptCallTest, NumbersOutsideOneToSixDoNothing) {
  for (std::int32_t method : {0, 7, -1, 1000, INT32_MIN}) {
    SCOPED_TRACE(method);
    xtrahost::CallOutcome o = call(method, {host.values.makeString("x")}, Values::makeInteger(99));
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(integer(o), 99);
    expectCallFieldsEmpty();
  }
  EXPECT_TRUE(host.values.calls().empty());
}

TEST_F(ScriptCallTest, TheArgumentsAfterTheSymbolArePassedAndOnlyAFunctionTakesTheResult) {
  host.engine.setHandler("join", [this](std::int32_t argc, HostValue* args, HostValue* result) {
    std::string joined;
    for (std::int32_t i = 0; i < argc; ++i) joined += host.values.describe(args[i]) + ";";
    if (result != nullptr) *result = host.values.makeString(joined);  // none for a command
    return 0;
  });
  const HostValue join = host.values.makeSymbol("join");
  xtrahost::CallOutcome two = call(5, {me(), join});
  EXPECT_EQ(two.code, 0);
  EXPECT_EQ(text(two), "");
  EXPECT_EQ(host.engine.calls().back().argCount, 0);

  xtrahost::CallOutcome four = call(5, {me(), join, Values::makeInteger(7),
                                        host.values.makeString("b"), host.values.makeSymbol("c")});
  EXPECT_EQ(four.code, 0);
  EXPECT_EQ(text(four), "7;\"b\";#c;");
  EXPECT_EQ(host.engine.calls().back().argCount, 3);

  xtrahost::CallOutcome command =
      call(6, {me(), join, Values::makeInteger(1)}, Values::makeInteger(42));
  EXPECT_EQ(command.code, 0);
  EXPECT_EQ(integer(command), 42);  // a command leaves the result alone
  EXPECT_EQ(host.engine.calls().back().argCount, 1);
  EXPECT_FALSE(host.engine.calls().back().wantsResult);
}

TEST_F(ScriptCallTest, AHandlerMayCallBackIntoTheSameInstance) {
  host.engine.setHandler("inner", [this](std::int32_t, HostValue*, HostValue* result) {
    xtrahost::CallOutcome nested = call(5, {me(), host.values.makeSymbol("leaf")});
    *result = nested.result;
    return nested.code;
  });
  host.engine.setHandler("leaf", [](std::int32_t, HostValue*, HostValue* result) {
    *result = Values::makeInteger(314);
    return 0;
  });
  xtrahost::CallOutcome o = call(5, {me(), host.values.makeSymbol("inner")});
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(integer(o), 314);
  EXPECT_EQ(host.log.count("ScriptEngine.GetCallContext"), 2u);
  expectCallFieldsEmpty();
}

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

// Without an installation key only the search path is tried; with one the search path wins.
TEST_F(GameBridgeTest, TheSearchPathWinsOverTheXtrasFolder) {
  EXPECT_EQ(integer(load("xonly.dll")), 0);
  TemporaryInstallation install;
  install.addGameModule("tgm_false.dll", "tgm_all.dll");
  EXPECT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(text(start()), "start:tgm_all:128");
  EXPECT_EQ(gameModuleCounter("ATTACHES", "tgm_false"), 0);
}

// The same name in another case is not loaded again; another name frees the held GameModule,
// even when its own load fails.
TEST_F(GameBridgeTest, OnlyAnotherNameFreesTheHeldModuleEvenWhenItsOwnLoadFails) {
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(integer(load("TGM_ALL.DLL")), 1);
  EXPECT_EQ(integer(load("Tgm_All.Dll")), 1);
  EXPECT_EQ(gameModuleCounter("ATTACHES", "tgm_all"), 1);
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

// A text the host cannot convert is empty: a name loads nothing, a score is 0, never stale.
TEST_F(GameBridgeTest, TextsAreCutAtTheBufferAndNeverStale) {
  host.values.fail(xtrahost::ValueOp::ValueToString, static_cast<XtraResult>(0x80040001u), 1);
  EXPECT_EQ(integer(load("tgm_all.dll")), 0);
  EXPECT_FALSE(isLoaded("tgm_all.dll"));
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(integer(score(std::string(300, 's'))), 259);
  EXPECT_EQ(integer(score("abcdef")), 6);
  host.values.fail(xtrahost::ValueOp::ValueToString, static_cast<XtraResult>(0x80040001u), 1);
  EXPECT_EQ(integer(score("abcdef")), 0);  // a cleared buffer, not the previous text
}

// Calls with fewer arguments than they take read nothing beyond the array: the call-backs are
// refused, a load or score without its text gives 0.
TEST_F(GameBridgeTest, CallsWithoutTheirArgumentReadNothingBeyondTheArray) {
  for (std::int32_t method : {5, 6}) {
    EXPECT_EQ(call(method, {session->instanceValue()}).code, xtra::kNotAvailable);
    EXPECT_EQ(call(method, {}).code, xtra::kNotAvailable);
  }
  EXPECT_TRUE(host.values.calls().empty());
  EXPECT_TRUE(host.engine.calls().empty());
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

// Without a GameModule nothing is called and the script gets 0.
TEST_F(GameBridgeTest, AnEmptyNameFreesTheLoadedGameModuleAndLoadsNothing) {
  TemporaryInstallation install;
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  EXPECT_EQ(integer(load("")), 0);
  EXPECT_FALSE(isLoaded("tgm_all.dll"));
  EXPECT_EQ(integer(start()), 0);
  EXPECT_EQ(integer(score("abc")), 0);
  EXPECT_EQ(integer(stop()), 0);
  EXPECT_FALSE(host.log.contains("Values.ValueToString(\"abc\", 260)"));  // nothing to score
}

// By default a movie's name loads whatever DLL it reaches: a path, or a name on the search path.
// GameModulesFromInstallationOnly = 1 refuses a name with a folder, drive or separator and skips
// the search path, leaving the Xtras folder. From the current folder C:\zt\cur every form below
// reaches a real GameModule (C:\g\h.dll, C:\zt\h.dll, C:\zt\cur\h.dll), and ..\h.dll also does
// from the Xtras folder (ZORV_Desktop\h.dll).
TEST_F(GameBridgeTest, InstallationOnlyKeepsGameModulesToTheXtrasFolder) {
  TemporaryInstallation install;
  install.addGameModule("tgm_all.dll", "inxtras.dll");
  install.addGameModule("tgm_all.dll", "..\\h.dll");
  char bin[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, bin);
  const char* folders[] = {"C:\\g", "C:\\zt", "C:\\zt\\cur"};
  for (const char* folder : folders) {
    CreateDirectoryA(folder, nullptr);
    CopyFileA((std::string(bin) + "\\tgm_all.dll").c_str(),
              (std::string(folder) + "\\h.dll").c_str(), FALSE);
  }
  SetCurrentDirectoryA(folders[2]);
  for (const bool only : {false, true}) {
    SCOPED_TRACE(only ? "installation only" : "default");
    if (only) {
      writeRegText(kInstallKeyPath, "GameModulesFromInstallationOnly", std::string("\1\0\0\0", 4),
                   REG_DWORD);
    }
    for (const char* name :
         {"C:\\g\\h.dll", "C:/g/h.dll", "..\\h.dll", "C:h.dll", "\\g\\h.dll", "h.dll"}) {
      EXPECT_EQ(integer(load(name)), only ? 0 : 1) << name;
      EXPECT_FALSE(isLoaded("inxtras.dll"));  // a refusal frees the held GameModule too
    }
    EXPECT_EQ(integer(load("inxtras.dll")), 1);
  }
  EXPECT_EQ(integer(load("")), 0);  // frees inxtras.dll, so that its folder can go
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "GameModulesFromInstallationOnly");
  SetCurrentDirectoryA(bin);
  for (int i = 2; i >= 0; --i) {
    DeleteFileA((std::string(folders[i]) + "\\h.dll").c_str());
    RemoveDirectoryA(folders[i]);
  }
}

}  // namespace
}  // namespace zorvtest
