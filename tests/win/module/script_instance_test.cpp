// Creating and destroying script instances: which host interfaces are asked for, in which
// order, and how they are given back.
#include <windows.h>

#include "guid_text.h"
#include "module/script_fixture.h"

namespace zorvtest {
namespace {

using namespace xtra;

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

TEST_F(ScriptInstanceTest, CreateAsksForEveryInterfaceInOrder) {
  auto object = module->createObject(ids::kScriptClass);
  EXPECT_EQ(object->createResult(), kOk);
  EXPECT_EQ(host.log.startingWith("Callback."), kCreateOrder);
  object->release();
  EXPECT_TRUE(host.unbalancedReferences().empty());
}

TEST_F(ScriptInstanceTest, DestroyReleasesEachInterfaceOnceWithTheHostObjectAfterFiveAndSix) {
  auto object = module->createObject(ids::kScriptClass);
  ASSERT_EQ(object->createResult(), kOk);
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

// Any missing interface fails create. Without interface 7 it stops at once, before the script
// engine is asked; otherwise (HostValues, say) everything is asked first. Destroy then gives
// back whatever create obtained.
TEST_F(ScriptInstanceTest, AnyMissingInterfaceFailsCreate) {
  for (const GUID* iid : {&ids::kHeldInterface1, &ids::kHostAppInfo, &ids::kHostObjectIface,
                          &ids::kHostValues, &ids::kHeldInterface5, &ids::kHeldInterface6,
                          &ids::kHeldInterface7, &ids::kHostScriptEngine, &ids::kHeldInterface11}) {
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

class ScriptInstanceGameTest : public ScriptTest {};

TEST_F(ScriptInstanceGameTest, DestroyFreesTheGameModuleOnceAndClearsItsName) {
  ASSERT_EQ(integer(load("tgm_all.dll")), 1);
  session->end();
  EXPECT_EQ(GetModuleHandleA("tgm_all.dll"), nullptr);
  const std::vector<std::uint8_t>& bytes = session->object().bytesAtDestroy();
  ASSERT_GE(bytes.size(), nameOffset() + 16);
  EXPECT_EQ(
      std::vector<std::uint8_t>(bytes.begin() + nameOffset(), bytes.begin() + nameOffset() + 16),
      std::vector<std::uint8_t>(16, 0));
  EXPECT_EQ(session->object().field<void*>(fieldOffset(12)), nullptr);
}

TEST_F(ModuleTest, DestroyWithoutAGameModuleLeavesTheNameAlone) {
  host.objectFill = 0xAB;
  xtrahost::ScriptSession session(*module);
  ASSERT_EQ(session.createResult(), kOk);
  session.end();
  const std::vector<std::uint8_t>& bytes = session.object().bytesAtDestroy();
  const std::size_t name = 4 * sizeof(void*) + 8 + 12 * sizeof(void*);
  ASSERT_GE(bytes.size(), name + 16);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + name, bytes.begin() + name + 16),
            std::vector<std::uint8_t>(16, 0xAB));
}

}  // namespace
}  // namespace zorvtest

namespace zorvtest {
namespace {

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

}  // namespace
}  // namespace zorvtest

namespace zorvtest {
namespace {

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

}  // namespace
}  // namespace zorvtest
