#include "program_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

std::string tempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

ProgramRun runProgram(const std::string& program, const std::string& arguments) {
  // A program that shows a window may start Wine's desktop process, which inherits the output
  // handle and keeps it: each run writes a file of its own, shared for everything.
  static int runs = 0;
  const std::string outputPath = tempPath(program + "_" + std::to_string(GetCurrentProcessId()) +
                                          "_" + std::to_string(++runs) + ".out");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outputPath.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(out, INVALID_HANDLE_VALUE);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = out;
  PROCESS_INFORMATION process{};
  std::string command = program + " " + arguments;
  ProgramRun run;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
  }
  CloseHandle(out);
  std::ifstream in(outputPath, std::ios::binary);
  // The programs write text-mode output: compare with plain line feeds.
  std::remove_copy(std::istreambuf_iterator<char>(in), {}, std::back_inserter(run.output), '\r');
  in.close();
  DeleteFileA(outputPath.c_str());
  return run;
}
