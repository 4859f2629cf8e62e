// A host with the real module loaded, for the module's tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "host.h"
#include "host/identifiers.h"
#include "loaded_module.h"

namespace zorvtest {

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  xtrahost::Host host;
  std::unique_ptr<xtrahost::LoadedModule> module;
};

// The interface's reference count as the module keeps it (third word of the object).
std::uint32_t interfaceCount(void* iface);

}  // namespace zorvtest
