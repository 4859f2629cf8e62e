// The installation itself: where it is, and where it lets movies load GameModules from.
#include <cstdio>

#include "command.h"
#include "common/install_registry.h"

namespace zorvdesk {
namespace {

int installDir(const Arguments& args);
int hardening(const Arguments& args);

const Command kInstallDir{"install-dir", "install-dir",
                          "prints the installation folder (MainDir of HKLM\\SOFTWARE\\ZORV)",
                          installDir};

const Command kHardening{
    "hardening", "hardening [on|off]",
    "shows or sets GameModulesFromInstallationOnly: on, movies load GameModules only from the "
    "installation's Xtras folder",
    hardening};

int noInstallation() {
  std::fprintf(stderr, "zorvdesk: no ZORV installation is recorded (HKLM\\SOFTWARE\\ZORV)\n");
  return kFailed;
}

int installDir(const Arguments& args) {
  if (!args.empty()) return usageError(kInstallDir, "install-dir takes no arguments");
  char dir[MAX_PATH] = {};
  if (!getInstallDir(dir)) return noInstallation();
  std::printf("%s\n", dir);
  return kOk;
}

int hardening(const Arguments& args) {
  if (args.size() > 1 || (args.size() == 1 && args[0] != "on" && args[0] != "off")) {
    return usageError(kHardening, "hardening takes nothing, on or off");
  }
  if (args.size() == 1 && !setGameModulesFromInstallationOnly(args[0] == "on")) {
    return noInstallation();
  }
  std::printf(gameModulesFromInstallationOnly()
                  ? "on: GameModules are loaded only from the installation's Xtras folder\n"
                  : "off: GameModules are loaded from wherever the system finds the name a "
                    "movie gives, then from the Xtras folder\n");
  return kOk;
}

const CommandRegistration registerInstallDir(kInstallDir);
const CommandRegistration registerHardening(kHardening);

}  // namespace
}  // namespace zorvdesk
