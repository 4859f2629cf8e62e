// The xtrahost program as a user runs it: the report of a module, a script's transcript, and
// its exit codes and messages for what goes wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ProgramRun {
  DWORD exitCode = 0;
  std::string output;  // stdout and stderr together
};

std::string tempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

ProgramRun runXtrahost(const std::string& arguments) {
  const std::string outputPath = tempPath("xtrahost_program_test.out");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(out, INVALID_HANDLE_VALUE);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  PROCESS_INFORMATION process{};
  std::string command = "xtrahost.exe " + arguments;
  ProgramRun run;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start xtrahost.exe: " << GetLastError();
  }
  CloseHandle(out);
  std::ifstream in(outputPath, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  // The program writes text-mode output: compare with plain line feeds.
  for (char c : text.str()) {
    if (c != '\r') run.output += c;
  }
  in.close();
  DeleteFileA(outputPath.c_str());
  return run;
}

// A script file in the temporary folder, removed again by the destructor.
class ScriptFile {
 public:
  explicit ScriptFile(const std::string& text) : path_(tempPath("xtrahost_test_script.txt")) {
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~ScriptFile() { DeleteFileA(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

bool has(const ProgramRun& run, const std::string& text) {
  return run.output.find(text) != std::string::npos;
}

TEST(XtrahostProgramTest, ReportsTheModuleAndRunsAScript) {
  ScriptFile script(
      "# the host's own script\n"
      "handler fixed 42\n"
      "new\n"
      "echo \"hi\"\n"
      "callBack #fixed, 1, \"two\"\n"
      "callBack #missing\n"
      "destroy\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run,
                  "  class {0FFDB9A6-B00B-4F99-A41E-9E9365B62D91} (RegistrationClass)"
                  " version 0x01010043\n"
                  "    interface {00000001-0000-0000-C000-000000000046} (ClassFactory)"
                  " version 0x00000001\n"))
      << run.output;
  EXPECT_TRUE(has(run,
                  "put \"msgTable\" type 9 size 0 -> 0x00000000: text, 126 characters\n"
                  "        | xtra FakeXtra -- for the host's tests\n"
                  "        | new object me\n"))
      << run.output;
  EXPECT_TRUE(has(run, "put \"safeForShockwave\" type 6 size 1 -> 0x00000000: 1 (1 byte)"));
  EXPECT_TRUE(has(run, "line 4: echo(\"hi\")\n    -> \"hi\", code 0x00000000\n")) << run.output;
  EXPECT_TRUE(has(run,
                  "line 5: callBack(<object 2>, #fixed, 1, \"two\")\n"
                  "    handler #fixed(1, \"two\") returns 42\n"
                  "    -> 42, code 0x00000000\n"))
      << run.output;
  EXPECT_TRUE(has(run, "    -> <void>, code 0x80041003\n")) << run.output;
  EXPECT_TRUE(has(run, "line 7: destroy -> ScriptObject#2 destroyed\n")) << run.output;
  EXPECT_TRUE(has(run, "DllCanUnloadNow 0x00000000\n")) << run.output;
  EXPECT_FALSE(has(run, "warning")) << run.output;
}

TEST(XtrahostProgramTest, AMalformedScriptLineStopsBeforeAnythingRuns) {
  ScriptFile script("new\necho \"a\"\necho \"unterminated\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 4u);
  EXPECT_TRUE(has(run, script.path() + ":3: unterminated string\n")) << run.output;
  EXPECT_FALSE(has(run, "line 1: new")) << run.output;
}

TEST(XtrahostProgramTest, ACallWithoutAnInstanceFailsTheRun) {
  ScriptFile script("echo \"a\"\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 5u);
  EXPECT_TRUE(has(run, "line 1: error: no instance: 'new' must come first\n")) << run.output;
}

TEST(XtrahostProgramTest, UsageAndLoadFailuresAreExplained) {
  ProgramRun run = runXtrahost("");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "usage: xtrahost [--trace] <module file> [<script file>]"));
  run = runXtrahost("missing.x32");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "xtrahost: cannot load 'missing.x32': error 126")) << run.output;
}

}  // namespace
