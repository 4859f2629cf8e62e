// The current world and its folders, game statistics, and the two file association questions.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"
#include "common/install_registry.h"
#include "common/scoped_reg_key.h"
#include "desktoplib/desktoplib.h"

namespace zorvdesk {
namespace {

int world(const Arguments& args);
int stat(const Arguments& args);
int openWith(const Arguments& args);
int appName(const Arguments& args);

const Command kWorld{"world", "world",
                     "prints the installation, the current world (chosen and recorded when none "
                     "is valid) and its folders",
                     world};
const Command kStat{"stat", "stat NAME [TEXT]",
                    "prints the current world's game statistic NAME, or stores TEXT as it", stat};
const Command kOpenWith{"open-with", "open-with .EXT",
                        "prints the program registered to open .EXT files", openWith};
const Command kAppName{"app-name", "app-name PATH",
                       "prints the name the desktop shows for the program at PATH", appName};

void printLine(const char* label, const char* value) { std::printf("%-20s %s\n", label, value); }

int world(const Arguments& args) {
  if (!args.empty()) return usageError(kWorld, "world takes no arguments");
  char install[MAX_PATH] = {};
  if (!getInstallDir(install)) {
    std::fprintf(stderr, "zorvdesk: no ZORV installation is recorded (HKLM\\SOFTWARE\\ZORV)\n");
    return kFailed;
  }
  printLine("installation folder", install);
  char name[MAX_PATH] = {};
  const bool recorded = getCurrentWorld(name);
  CString media;
  getShockwaveMediaDir(media);
  if (name[0] == '\0') {
    printLine("current world", "(none)");
    printLine("media folder", media);
    std::fprintf(stderr, "zorvdesk: no ZORV world is installed below %sDesktops\n", install);
    return kFailed;
  }
  printLine("current world", name);
  CString worldDir;
  getWorldDir(worldDir);
  printLine("world folder", worldDir);
  CString visual;
  printLine("Visual folder", getVisualDir(visual) ? static_cast<const char*>(visual)
                                                  : "(none: the path does not fit)");
  printLine("media folder", media);
  if (!recorded) {
    std::fprintf(stderr, "zorvdesk: world %s could not be recorded as the current world\n", name);
    return kFailed;
  }
  return kOk;
}

// How many bytes the statistic takes, terminator included; 0 when there is none (or no world
// key). getGameStat then reads it into a buffer of that size, however long it is.
DWORD statisticSize(const char* name) {
  ScopedRegKey key(openWorldKey());
  DWORD size = 0;
  if (!key ||
      RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return 0;
  }
  return size + 1;  // a text stored without its terminator needs one more byte
}

int readStat(const std::string& name) {
  const DWORD size = statisticSize(name.c_str());
  std::vector<char> text(size > 0 ? size : 1, '\0');
  if (size > 0) getGameStat(name.c_str(), text.data(), size);
  if (text[0] == '\0') {
    std::fprintf(stderr, "zorvdesk: the current world has no statistic '%s' (or it is empty)\n",
                 name.c_str());
    return kFailed;
  }
  std::printf("%s\n", text.data());
  return kOk;
}

int writeStat(const std::string& name, const std::string& text) {
  if (!ScopedRegKey(openWorldKey())) {
    std::fprintf(stderr, "zorvdesk: the current world has no key below HKLM\\SOFTWARE\\ZORV\n");
    return kFailed;
  }
  setGameStat(name.c_str(), text.c_str());
  // setGameStat says nothing to its caller: read the statistic back to know.
  std::vector<char> stored(text.size() + 2, '\0');
  getGameStat(name.c_str(), stored.data(), static_cast<DWORD>(stored.size()));
  if (text != stored.data()) {
    std::fprintf(stderr, "zorvdesk: statistic '%s' could not be stored\n", name.c_str());
    return kFailed;
  }
  return kOk;
}

// Statistics belong to a world. Without one the library would keep them in SOFTWARE\ZORV itself,
// and each of its calls would tell the user again that no world is installed: the world is
// asked for once, and without one nothing is read or stored.
int stat(const Arguments& args) {
  if (args.empty() || args.size() > 2)
    return usageError(kStat, "stat takes a NAME and an optional TEXT");
  if (args[0].empty()) return usageError(kStat, "a statistic needs a name");
  char name[MAX_PATH] = {};
  getCurrentWorld(name);
  if (name[0] == '\0') {
    std::fprintf(stderr, "zorvdesk: there is no current world (zorvdesk world tells more)\n");
    return kFailed;
  }
  return args.size() == 1 ? readStat(args[0]) : writeStat(args[0], args[1]);
}

int openWith(const Arguments& args) {
  if (args.size() != 1) return usageError(kOpenWith, "open-with takes one extension");
  const std::string& extension = args[0];
  if (extension.size() < 2 || extension[0] != '.' || extension.size() >= MAX_PATH ||
      extension.find('\\') != std::string::npos) {
    return usageError(kOpenWith, "an extension is a dot and a name, such as .txt");
  }
  char program[MAX_PATH] = {};
  if (!getOpenCommandExe(extension.c_str(), program)) {
    std::fprintf(stderr, "zorvdesk: no program is registered to open %s files\n",
                 extension.c_str());
    return kFailed;
  }
  std::printf("%s\n", program);
  return kOk;
}

int appName(const Arguments& args) {
  if (args.size() != 1) return usageError(kAppName, "app-name takes one path");
  if (args[0].empty() || args[0].size() >= MAX_PATH) {
    return usageError(kAppName, "a path has 1 to 259 characters");
  }
  char name[MAX_PATH] = {};
  getFriendlyAppName(args[0].c_str(), name);
  std::printf("%s\n", name);
  return kOk;
}

const CommandRegistration registerWorld(kWorld);
const CommandRegistration registerStat(kStat);
const CommandRegistration registerOpenWith(kOpenWith);
const CommandRegistration registerAppName(kAppName);

}  // namespace
}  // namespace zorvdesk
