// The main of every test program. Under Wine a crashing program leaves nothing behind: its
// buffered output is lost and the crash dialog is switched off. So output is unbuffered, and an
// unhandled exception names itself and the test that raised it before the program ends.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

namespace {

LONG WINAPI reportUnhandledException(EXCEPTION_POINTERS* info) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::fprintf(stderr, "unhandled exception 0x%08lx at %p in %s.%s\n",
               static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
               info->ExceptionRecord->ExceptionAddress, test ? test->test_suite_name() : "-",
               test ? test->name() : "-");
  std::fflush(stderr);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace
#endif

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
#ifdef _WIN32
  SetUnhandledExceptionFilter(reportUnhandledException);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
