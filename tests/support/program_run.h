// Runs a program of the build folder as a user would and collects what it printed, for tests
// of the command-line tools.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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

// Runs zorvdesk with the arguments: it must end with the exit code and print the text.
inline ProgramRun expectZorvdesk(const std::string& arguments, DWORD exitCode,
                                 const std::string& text) {
  ProgramRun run = zorvdesk(arguments);
  EXPECT_EQ(run.exitCode, exitCode) << "zorvdesk " << arguments << "\n" << run.output;
  EXPECT_TRUE(has(run, text)) << "zorvdesk " << arguments << "\n" << run.output;
  return run;
}
