// Cost of a log call: with the log closed or disabled (a pointer and flag test), and per line
// with the log open (format, then open, append and close the file), in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <unistd.h>

#include "common/log_clock.h"
#include "common/log_state.h"
#include "common/log_text.h"

namespace {

void BM_LogMessageClosed(benchmark::State& state) {
  closeLog();
  for (auto _ : state) logMessage("ERROR Unable to open ZORV install key!");
}
BENCHMARK(BM_LogMessageClosed);

void BM_LogMessageDisabled(benchmark::State& state) {
  prepareLogState(false);
  prepareLogState(false);  // closed, then open and disabled
  for (auto _ : state) logMessage("ERROR Unable to open ZORV install key!");
  closeLog();
}
BENCHMARK(BM_LogMessageDisabled);

void BM_FormatLogLine(benchmark::State& state) {
  const SYSTEMTIME now = readLogClock();
  for (auto _ : state) {
    CString line = formatLogLine(now, "ERROR Unable to open ZORV install key!");
    benchmark::DoNotOptimize(line);
  }
}
BENCHMARK(BM_FormatLogLine);

void BM_LogMessageOpen(benchmark::State& state) {
  char folder[] = "/tmp/zorv_bench_XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string prefix = std::string(folder) + "/";
  CLogFile* log = prepareLogState(true);
  startLogFile(*log, prefix.c_str(), "bench", readLogClock());
  const std::string path = log->path;
  for (auto _ : state) logMessage("ERROR Unable to open ZORV install key!");
  closeLog();
  std::remove(path.c_str());
  rmdir(folder);
}
BENCHMARK(BM_LogMessageOpen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
