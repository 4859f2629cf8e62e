// A host with the real module loaded and one script instance, for the script method tests.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "module/module_fixture.h"
#include "script_session.h"
#include "temporary_installation.h"

namespace zorvtest {

using xtrahost::TemporaryInstallation;

// The counters the test GameModules keep in the process environment (TGM_<what>_<variant>).
inline int gameModuleCounter(const std::string& what, const std::string& variant) {
  char value[32] = "0";
  GetEnvironmentVariableA(("TGM_" + what + "_" + variant).c_str(), value, sizeof value);
  return std::atoi(value);
}

class ScriptTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    for (const char* what : {"SCORE", "ATTACHES"}) {
      for (const char* variant : {"tgm_all", "tgm_noscore", "tgm_empty", "tgm_false"}) {
        SetEnvironmentVariableA((std::string("TGM_") + what + "_" + variant).c_str(), nullptr);
      }
    }
    session = std::make_unique<xtrahost::ScriptSession>(*module);
    ASSERT_EQ(session->createResult(), 0);
    ASSERT_TRUE(session->ready());
  }
  void TearDown() override {
    if (session) session->end();
    session.reset();
    EXPECT_TRUE(host.unbalancedReferences().empty())
        << ::testing::PrintToString(host.unbalancedReferences());
    EXPECT_EQ(host.allocator.liveBlocks(), 0u);
    ModuleTest::TearDown();
  }

  xtrahost::CallOutcome call(std::int32_t method, std::vector<HostValue> args = {},
                             HostValue initial = xtrahost::Values::makeVoid()) {
    return session->call(method, std::move(args), initial);
  }
  xtrahost::CallOutcome load(const std::string& name) {
    return call(1, {host.values.makeString(name)});
  }
  xtrahost::CallOutcome start() { return call(2); }
  xtrahost::CallOutcome score(const std::string& text) {
    return call(3, {host.values.makeString(text)});
  }
  xtrahost::CallOutcome stop() { return call(4); }

  std::optional<std::int32_t> integer(const xtrahost::CallOutcome& o) const {
    return xtrahost::Values::integerOf(o.result);
  }
  std::optional<std::string> text(const xtrahost::CallOutcome& o) const {
    return host.values.stringOf(o.result);
  }
  // Offsets of the instance's fields behind the header.
  static std::size_t fieldOffset(int field) {
    return 4 * sizeof(void*) + 8 + (field - 1) * sizeof(void*);
  }
  static std::size_t nameOffset() { return fieldOffset(13); }

  std::unique_ptr<xtrahost::ScriptSession> session;
};

}  // namespace zorvtest
