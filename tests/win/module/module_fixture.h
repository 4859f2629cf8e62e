// A host with the real module loaded, for the module's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "host.h"
#include "host/identifiers.h"
#include "loaded_module.h"

namespace zorvtest {

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { module = std::make_unique<xtrahost::LoadedModule>(host, "ZORVgame.x32"); }
  void TearDown() override {
    // Every test leaves the module with no interface alive.
    if (module) {
      EXPECT_EQ(module->canUnloadNow(), 0) << "an interface object is still alive";
    }
    module.reset();
  }

  xtrahost::Host host;
  std::unique_ptr<xtrahost::LoadedModule> module;
};

// The interface's reference count as the module keeps it (third word of the object).
inline std::uint32_t interfaceCount(void* iface) {
  std::uint32_t count;
  std::memcpy(&count, static_cast<char*>(iface) + 2 * sizeof(void*), sizeof count);
  return count;
}

}  // namespace zorvtest
