// The installation itself: where it is.
#include <cstdio>

#include "command.h"
#include "common/install_registry.h"

namespace zorvdesk {
namespace {

int installDir(const Arguments& args);

const Command kInstallDir{"install-dir", "install-dir",
                          "prints the installation folder (MainDir of HKLM\\SOFTWARE\\ZORV)",
                          installDir};

int installDir(const Arguments& args) {
  if (!args.empty()) return usageError(kInstallDir, "install-dir takes no arguments");
  char dir[MAX_PATH] = {};
  if (!getInstallDir(dir)) {
    std::fprintf(stderr, "zorvdesk: no ZORV installation is recorded (HKLM\\SOFTWARE\\ZORV)\n");
    return kFailed;
  }
  std::printf("%s\n", dir);
  return kOk;
}

const CommandRegistration registerInstallDir(kInstallDir);

}  // namespace
}  // namespace zorvdesk
