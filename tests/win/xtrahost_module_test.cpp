// The host driving a module file: loading, objects, script calls with a handler called back.
// The module's own behaviour is tested against the real module elsewhere.
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

TEST_F(ModuleTest, AnUnknownClassHasNoObject) {
  EXPECT_EQ(module.classForm(&ids::kHostValues).code, xtra::kNoSuchClass);
  EXPECT_THROW(module.newObject(ids::kHostValues), ModuleError);
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
