// A host with the real module loaded and one script instance, for the script method tests.
#pragma once

#include <optional>
#include <string>

#include "module/game_counters.h"
#include "module/module_fixture.h"
#include "script_session.h"

namespace zorvtest {

class ScriptTest : public ModuleTest {
 protected:
  void SetUp() override;
  void TearDown() override;

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
