// The host driving a module file: loading, the class table, forms, objects and interfaces,
// registration, script calls with a handler called back, and unloading.
#include <gtest/gtest.h>

#include "host/identifiers.h"
#include "host_codes.h"
#include "loaded_module.h"
#include "script_session.h"

namespace xtrahost {
namespace {

namespace ids = xtra::ids;
constexpr char kFakeModule[] = "xtrahost_fake.x32";

class ModuleTest : public ::testing::Test {
 protected:
  Host host;
  LoadedModule module{host, kFakeModule};
};

TEST(LoadedModuleTest, AMissingFileIsAnErrorThatNamesIt) {
  Host host;
  try {
    LoadedModule module(host, "no_such_module.x32");
    FAIL() << "loaded a file that does not exist";
  } catch (const ModuleError& e) {
    EXPECT_NE(std::string(e.what()).find("cannot load 'no_such_module.x32': error 126"),
              std::string::npos)
        << e.what();
  }
}

TEST(LoadedModuleTest, AFileWithoutTheExportsIsRefused) {
  Host host;
  EXPECT_THROW(LoadedModule(host, "kernel32.dll"), ModuleError);
}

TEST_F(ModuleTest, ClassInfoIsCopiedAndItsBlockGivenBack) {
  const ClassInfo info = module.classInfo();
  ASSERT_EQ(info.code, xtra::kOk);
  EXPECT_TRUE(info.terminated);
  ASSERT_EQ(info.entries.size(), 4u);
  EXPECT_TRUE(xtra::sameId(info.entries[3].interfaceId, ids::kScriptInterface));
  EXPECT_EQ(host.allocator.grantedSizes(), (std::vector<std::uint32_t>{200}));
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);

  host.allocator.failNext(1);
  EXPECT_EQ(module.classInfo().code, xtra::kOutOfMemory);
}

TEST_F(ModuleTest, ClassFormsAndTheUnknownClass) {
  EXPECT_EQ(module.classForm(nullptr).instanceSize, sizeof(HostObjectHeader));
  EXPECT_GT(module.classForm(&ids::kScriptClass).instanceSize, sizeof(HostObjectHeader));
  EXPECT_EQ(module.classForm(&ids::kHostValues).code, xtra::kNoSuchClass);
  EXPECT_THROW(module.newObject(ids::kHostValues), ModuleError);
}

TEST_F(ModuleTest, RegistrationRecordsEntriesAndPutsAndLeavesNothingBehind) {
  ASSERT_EQ(module.registerModule(), xtra::kOk);
  const auto& entries = host.registry.entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_TRUE(xtra::sameId(entries[0].interfaceId, ids::kLoadControl));
  EXPECT_EQ(host.registry.findPut("XtraLoadControlOptions")->integer(), 3u);
  EXPECT_EQ(host.registry.findPut("safeForShockwave")->bytes, (std::vector<std::uint8_t>{1}));
  EXPECT_EQ(host.registry.findPut("msgTable")->text().rfind("xtra FakeXtra", 0), 0u);
  EXPECT_TRUE(host.log.inOrder(
      {"RegistrationObject#1.create -> 0x00000000", "Callback.QueryInterface(HostAppInfo)",
       "AppInfo.Release", "RegistrationObject#1.host releases", "RegistrationObject#1.destroy"}));
  EXPECT_TRUE(host.unbalancedReferences().empty());
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  EXPECT_EQ(module.canUnloadNow(), xtra::kOk);
}

TEST_F(ModuleTest, RegistrationPassesTheHostsFailureCodes) {
  const XtraResult code = static_cast<XtraResult>(0x80048888u);
  host.registry.failPut("safeForShockwave", code);
  EXPECT_EQ(module.registerModule(), code);
  host.withhold(ids::kHostAppInfo, code);
  EXPECT_EQ(module.registerModule(), code);
}

TEST_F(ModuleTest, AnInterfaceHoldsItsObjectUntilReleased) {
  auto object = module.createObject(ids::kRegistrationClass);
  InterfaceResult built = module.getInterface(*object, nullptr, ids::kRegistrationInterface);
  ASSERT_EQ(built.code, xtra::kOk);
  EXPECT_EQ(object->addRefs(), 2u);
  EXPECT_EQ(module.canUnloadNow(), xtra::kStillInUse);
  object->release();
  EXPECT_FALSE(object->destroyed());
  built.as<HostUnknown>()->Release();
  EXPECT_TRUE(object->destroyed());
  EXPECT_EQ(module.canUnloadNow(), xtra::kOk);
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
}

TEST_F(ModuleTest, ScriptCallsReachTheModuleAndHandlersAreCalledBack) {
  ScriptSession session(module);
  ASSERT_TRUE(session.ready());
  const CallOutcome echo = session.call(1, {host.values.makeString("hello")});
  EXPECT_EQ(echo.code, xtra::kOk);
  EXPECT_EQ(host.values.stringOf(echo.result), "hello");

  // The handler calls back into the module while the outer call is running.
  host.engine.setHandler("twice", [&](std::int32_t argc, HostValue* args, HostValue* result) {
    EXPECT_EQ(argc, 1);
    const CallOutcome inner = session.call(1, {args[0]});
    *result = inner.result;
    return inner.code;
  });
  const CallOutcome outer = session.call(
      2, {session.instanceValue(), host.values.makeSymbol("twice"), host.values.makeString("x")});
  EXPECT_EQ(outer.code, xtra::kOk);
  EXPECT_EQ(host.values.stringOf(outer.result), "x");
  EXPECT_EQ(host.log.count("CallContext.GetSubInterface"), 3u);

  const CallOutcome unknown =
      session.call(2, {session.instanceValue(), host.values.makeSymbol("nobody")});
  EXPECT_EQ(unknown.code, kUnknownHandler);

  session.end();
  EXPECT_TRUE(session.object().destroyed());
  EXPECT_TRUE(host.unbalancedReferences().empty());
  EXPECT_EQ(module.canUnloadNow(), xtra::kOk);
}

TEST_F(ModuleTest, AFailedCreateIsStillDestroyedWhenTheSessionEnds) {
  host.withhold(ids::kHostScriptEngine);
  ScriptSession session(module);
  EXPECT_EQ(session.createResult(), xtra::kNotAvailable);
  EXPECT_FALSE(session.ready());
  EXPECT_EQ(session.call(1, {}).code, xtra::kNotAvailable);
  session.end();
  EXPECT_TRUE(session.object().destroyed());
  EXPECT_TRUE(host.unbalancedReferences().empty());
}

}  // namespace
}  // namespace xtrahost
