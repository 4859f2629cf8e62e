// What callAFunction adds to a script handler call: the host's handler called directly,
// against the same handler reached through the real module's Call (method 5). The host here is
// a lean one (no recording, no allocation per call) so that the difference is the module's
// own work plus the few host operations a call needs. Run under Wine from the build's bin:
//   wine64 script_call_bench.exe [calls]
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

// The handler: writes 42 into the result.
struct LeanEngine : Lean<HostScriptEngine> {
  LEAN_RESERVED(3) LEAN_RESERVED(4)
  XtraResult XTRA_CALL CallHandler(HostSymbol symbol, std::int32_t argCount, HostValue*,
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
double bestNsPerCall(int calls, F&& body) {
  double best = 1e300;
  for (int round = 0; round < 7; ++round) {
    const double start = nowNs();
    for (int i = 0; i < calls; ++i) body();
    best = std::min(best, (nowNs() - start) / calls);
  }
  return best;
}

template <class Fn>
Fn exportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 1000000;
  HMODULE module = LoadLibraryA("ZORVgame.x32");
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load ZORVgame.x32\n");
    return 1;
  }
  using GetClassForm = XtraResult(XTRA_CALL*)(const GUID*, std::uint32_t*, CreateOperation*,
                                               DestroyOperation*);
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

  const double direct =
      bestNsPerCall(calls, [&] { engine->CallHandler(7, 1, &args[2], &result); });
  const double viaModule = bestNsPerCall(calls, [&] { script->Call(&record); });
  if (record.result.word[1] != 42) {
    std::fprintf(stderr, "the handler's result did not arrive\n");
    return 1;
  }
  std::printf("calls per measurement:            %d (best of 7)\n", calls);
  std::printf("handler called by the host:       %8.1f ns\n", direct);
  std::printf("callAFunction through the module: %8.1f ns\n", viaModule);
  std::printf("added by the module:              %8.1f ns per call\n", viaModule - direct);

  script->Release();
  destroy(header);
  FreeLibrary(module);
  return 0;
}
