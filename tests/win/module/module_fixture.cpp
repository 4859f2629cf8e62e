#include "module/module_fixture.h"

#include <cstring>

namespace zorvtest {

void ModuleTest::SetUp() {
  module = std::make_unique<xtrahost::LoadedModule>(host, "ZORVgame.x32");
}

void ModuleTest::TearDown() {
  // Every test leaves the module with no interface alive.
  if (module) {
    EXPECT_EQ(module->canUnloadNow(), 0) << "an interface object is still alive";
  }
  module.reset();
}

std::uint32_t interfaceCount(void* iface) {
  std::uint32_t count;
  std::memcpy(&count, static_cast<char*>(iface) + 2 * sizeof(void*), sizeof count);
  return count;
}

}  // namespace zorvtest
