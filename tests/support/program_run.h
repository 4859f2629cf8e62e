// Runs a program of the build folder as a user would and collects what it printed, for tests
// of the command-line tools.
#pragma once

#include <windows.h>

#include <string>

struct ProgramRun {
  DWORD exitCode = 0;
  std::string output;  // stdout and stderr together, with plain line feeds
};

// Runs "<program> <arguments>" from the current folder and waits up to a minute for it.
ProgramRun runProgram(const std::string& program, const std::string& arguments);

inline ProgramRun zorvdesk(const std::string& arguments) {
  return runProgram("zorvdesk.exe", arguments);
}

// A path in the temporary folder.
std::string tempPath(const std::string& name);

inline bool has(const ProgramRun& run, const std::string& text) {
  return run.output.find(text) != std::string::npos;
}
