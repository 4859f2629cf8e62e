// The counters the test GameModules keep in the process environment (TGM_<what>_<variant>).
#pragma once

#include <string>

#include "temporary_installation.h"

namespace zorvtest {

using xtrahost::TemporaryInstallation;

int gameModuleCounter(const std::string& what, const std::string& variant);
void resetGameModuleCounters();

}  // namespace zorvtest
