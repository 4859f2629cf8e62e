// What callAFunction adds to a script handler call: the host's handler called directly,
// against the same handler reached through the real module's Call (method 5). The host here is
// a lean one (no recording, no allocation per call) so that the difference is the module's
// own work plus the few host operations a call needs. Run under Wine from the build's bin
// (bench/win/script_call.sh runs both architectures' builds):
//   wine64 script_call_bench.exe [calls per round] [rounds]
// The two kinds of call are timed in short alternating rounds, so that a shared, busy machine
// disturbs both alike and the best rounds are ones no other process interrupted.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/host_interfaces.h"
#include "host/identifiers.h"

namespace {

#define LEAN_RESERVED(n) \
  XtraResult XTRA_CALL reserved##n() override { return xtra::kNotAvailable; }

template <class Base>
struct Lean : Base {
  XtraResult XTRA_CALL QueryInterface(const GUID*, void** out) override {
    *out = nullptr;
    return xtra::kNotAvailable;
  }
  std::uint32_t XTRA_CALL AddRef() override { return 1; }
  std::uint32_t XTRA_CALL Release() override { return 1; }
};

// The reserved operations' macro ends without a semicolon, which the formatter cannot follow.
// clang-format off
struct LeanValues : Lean<HostValues> {
  LEAN_RESERVED(3) LEAN_RESERVED(4) LEAN_RESERVED(5) LEAN_RESERVED(6) LEAN_RESERVED(7)
  LEAN_RESERVED(8) LEAN_RESERVED(10) LEAN_RESERVED(11) LEAN_RESERVED(13) LEAN_RESERVED(14)
  LEAN_RESERVED(15) LEAN_RESERVED(16) LEAN_RESERVED(18) LEAN_RESERVED(19)
  XtraResult XTRA_CALL ValueToSymbol(const HostValue* value, HostSymbol* out) override {
    *out = value->word[1];
    return 0;
  }
  XtraResult XTRA_CALL ValueToString(const HostValue*, char* buffer, std::int32_t) override {
    buffer[0] = '\0';
    return 0;
  }
  XtraResult XTRA_CALL IntegerToValue(std::int32_t integer, HostValue* out) override {
    *out = HostValue{{1, static_cast<std::uint32_t>(integer)}};
    return 0;
  }
  XtraResult XTRA_CALL StringToValue(const char*, HostValue* out) override {
    *out = HostValue{{2, 0}};
    return 0;
  }
};

struct LeanSub : Lean<HostUnknown> {};

struct LeanContext : Lean<HostCallContext> {
  LEAN_RESERVED(3) LEAN_RESERVED(4) LEAN_RESERVED(5) LEAN_RESERVED(6) LEAN_RESERVED(7)
  LEAN_RESERVED(8) LEAN_RESERVED(9) LEAN_RESERVED(10) LEAN_RESERVED(11) LEAN_RESERVED(12)
  LEAN_RESERVED(13) LEAN_RESERVED(14) LEAN_RESERVED(15) LEAN_RESERVED(16) LEAN_RESERVED(17)
  LEAN_RESERVED(18) LEAN_RESERVED(19) LEAN_RESERVED(20) LEAN_RESERVED(21) LEAN_RESERVED(22)
  LEAN_RESERVED(23)
  XtraResult XTRA_CALL GetSubInterface(HostUnknown** out) override {
    *out = &sub;
    return 0;
  }
  LeanSub sub;
};

// The handler: writes 42 into the result. Not inlined into the direct calls: the host's own
// call of a handler is a call too.
struct LeanEngine : Lean<HostScriptEngine> {
  LEAN_RESERVED(3) LEAN_RESERVED(4)
  __attribute__((noinline)) XtraResult XTRA_CALL CallHandler(HostSymbol symbol,
                                                             std::int32_t argCount, HostValue*,
                                                             HostValue* result) override {
    if (symbol != 7 || argCount < 0) return xtra::kNotAvailable;
    if (result != nullptr) *result = HostValue{{1, 42}};
    return 0;
  }
  XtraResult XTRA_CALL GetCallContext(HostCallContext** out) override {
    *out = &context;
    return 0;
  }
  LeanContext context;
};

// clang-format on

struct LeanAllocator : Lean<HostAllocator> {
  void* XTRA_CALL Allocate(std::uint32_t size) override { return std::malloc(size); }
  void XTRA_CALL Free(void* block) override { std::free(block); }
};

struct LeanCallback : Lean<HostCallback> {
  XtraResult XTRA_CALL QueryInterface(const GUID* iid, void** out) override {
    if (xtra::sameId(*iid, xtra::ids::kHostValues)) {
      *out = static_cast<HostValues*>(&values);
    } else if (xtra::sameId(*iid, xtra::ids::kHostScriptEngine)) {
      *out = static_cast<HostScriptEngine*>(&engine);
    } else {
      *out = &held;
    }
    return 0;
  }
  XtraResult XTRA_CALL CreateHostObject(const GUID*, const GUID*, void** out) override {
    *out = &held;
    return 0;
  }
  LeanValues values;
  LeanEngine engine;
  LeanSub held;
};

XtraResult XTRA_CALL objectQuery(HostObjectHeader*, const GUID*, void** out) {
  *out = nullptr;
  return xtra::kNotAvailable;
}
std::uint32_t XTRA_CALL objectAddRef(HostObjectHeader*) { return 1; }
std::uint32_t XTRA_CALL objectRelease(HostObjectHeader*) { return 1; }
const HostObjectOps kObjectOps = {objectQuery, objectAddRef, objectRelease};

double nowNs() {
  static const double nsPerTick = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1e9 / static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * nsPerTick;
}

template <class F>
double nsPerCall(int calls, F&& body) {
  const double start = nowNs();
  for (int i = 0; i < calls; ++i) body();
  return (nowNs() - start) / calls;
}

struct Spread {
  double best;
  double median;
};

Spread spreadOf(std::vector<double> rounds) {
  std::sort(rounds.begin(), rounds.end());
  return {rounds.front(), rounds[rounds.size() / 2]};
}

#if defined(_WIN64)
constexpr const char* kArchitecture = "x86_64";
#else
constexpr const char* kArchitecture = "i686";
#endif

template <class Fn>
Fn exportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = std::max(1, argc > 1 ? std::atoi(argv[1]) : 10000);
  const int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 301);
  HMODULE module = LoadLibraryA("ZORVgame.x32");
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load ZORVgame.x32\n");
    return 1;
  }
  using GetClassForm =
      XtraResult(XTRA_CALL*)(const GUID*, std::uint32_t*, CreateOperation*, DestroyOperation*);
  using GetInterface = XtraResult(XTRA_CALL*)(HostObjectHeader*, const GUID*, const GUID*, void**);
  auto getClassForm = exportOf<GetClassForm>(module, "DllGetClassForm");
  auto getInterface = exportOf<GetInterface>(module, "DllGetInterface");

  LeanCallback callback;
  LeanAllocator allocator;
  std::uint32_t size = 0;
  CreateOperation create = nullptr;
  DestroyOperation destroy = nullptr;
  getClassForm(&xtra::ids::kScriptClass, &size, &create, &destroy);
  std::vector<std::uint8_t> object(size);
  auto* header = reinterpret_cast<HostObjectHeader*>(object.data());
  header->ops = &kObjectOps;
  header->callback = &callback;
  header->allocator = &allocator;
  if (create(header) != 0) {
    std::fprintf(stderr, "create failed\n");
    return 1;
  }
  void* iface = nullptr;
  getInterface(header, &xtra::ids::kScriptClass, &xtra::ids::kScriptInterface, &iface);
  auto* script = static_cast<ScriptInterfaceBase*>(iface);

  HostValue args[3] = {{{4, 1}}, {{3, 7}}, {{1, 5}}};
  ScriptCallRecord record{};
  record.method = 5;
  record.argCount = 3;
  record.args = args;
  // Through a volatile pointer, so the compiler cannot see which handler it calls.
  HostScriptEngine* volatile engine = &callback.engine;
  HostValue result{};

  std::vector<double> direct;
  std::vector<double> viaModule;
  for (int round = 0; round < rounds; ++round) {
    direct.push_back(nsPerCall(calls, [&] { engine->CallHandler(7, 1, &args[2], &result); }));
    viaModule.push_back(nsPerCall(calls, [&] { script->Call(&record); }));
  }
  if (record.result.word[1] != 42) {
    std::fprintf(stderr, "the handler's result did not arrive\n");
    return 1;
  }
  const Spread host = spreadOf(direct);
  const Spread through = spreadOf(viaModule);
  std::printf("callAFunction, %s build: %d rounds of %d calls\n", kArchitecture, rounds, calls);
  std::printf("                                     best    median\n");
  std::printf("handler called by the host:       %6.1f ns %6.1f ns\n", host.best, host.median);
  std::printf("callAFunction through the module: %6.1f ns %6.1f ns\n", through.best,
              through.median);
  std::printf("added by the module:              %6.1f ns %6.1f ns per call\n",
              through.best - host.best, through.median - host.median);

  script->Release();
  destroy(header);
  FreeLibrary(module);
  return 0;
}
