// Every host failure the module can meet: host call number k of those that can fail fails, for
// k = 1, 2, ... until a run makes no such call, once with the out-argument left empty and once
// filled. Each run goes through the exports, Register, create, every script method and destroy.
// The step that met the failure answers as its rule says, a code it passes on ends the step (only
// frees and releases follow), the steps after it work, and nothing is left behind.
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <utility>

#include "module/module_fixture.h"
#include "script_session.h"

namespace zorvtest {
namespace {

using namespace xtra;
using xtrahost::CallLog;
using xtrahost::Values;
using Failure = CallLog::Failure;

constexpr XtraResult kHostCode = xtrahost::kSweptFailure;

// What the step answers when the failed call is the one named. The first rule whose step
// matches (empty: any) and whose text occurs in the failed call's entry decides; with no rule
// the host's code comes back unchanged.
struct Rule {
  const char* step;
  const char* call;
  XtraResult emptyOut, filledOut;
};
const Rule kRules[] = {
    {"", "Allocator.Allocate", kOutOfMemory, kOutOfMemory},
    {"create", "Callback.", kNotAvailable, kOk},  // a filled field counts, not the code
    {"register", "LoadControl", kOk, kOk},        // that entry and its put are not consulted
    {"register", "msgTable", kOk, kOk},
    {"", "Values.ValueToString", kOk, kOk},  // the game methods' conversions are not consulted
    {"", "Values.IntegerToValue", kOk, kOk},
    {"", "Values.StringToValue", kOk, kOk},
};

XtraResult expectedCode(const std::string& step, const std::string& call, Failure style) {
  for (const Rule& rule : kRules) {
    if ((*rule.step == '\0' || step == rule.step) && call.find(rule.call) != std::string::npos) {
      return style == Failure::EmptyOut ? rule.emptyOut : rule.filledOut;
    }
  }
  return kHostCode;
}

xtrahost::CallOutcome code(XtraResult c) { return xtrahost::CallOutcome{c, {}}; }

bool isFreeOrRelease(const std::string& entry) {
  for (const char* end : {".Release", ".destroy", ".host releases"}) {
    const std::size_t n = std::strlen(end);
    if (entry.size() >= n && entry.compare(entry.size() - n, n, end) == 0) return true;
  }
  return entry.rfind("Allocator.Free(", 0) == 0;
}

// Every operation of the host interfaces that can fail, as it shows in the failed call's entry.
const char* const kFallibleOperations[] = {
    "Allocator.Allocate",          "Callback.QueryInterface",
    "Callback.CreateHostObject",   "AppInfo.ReadStringProperty",
    "RegistryCache.AddEntry",      ".Put(",
    "Values.ValueToSymbol",        "Values.ValueToString",
    "Values.IntegerToValue",       "Values.StringToValue",
    "ScriptEngine.GetCallContext", "CallContext.GetSubInterface",
    "ScriptEngine.CallHandler",    ".QueryInterface(ScriptInterface)",
};

// A call that only the handler of the step's method makes: routing by method number shows in the
// calls that fail in each step.
const std::pair<const char*, const char*> kHandlerCalls[] = {
    {"load", "Values.ValueToString(\"tgm_all.dll\", 16)"},
    {"start", "Values.StringToValue(\"start:tgm_all:128\")"},
    {"score", "Values.ValueToString(\"abc\", 260)"},
    {"stop", "Values.IntegerToValue(1)"},
    {"function", "ScriptEngine.CallHandler(#h, 1, 1, result)"},
    {"command", "ScriptEngine.CallHandler(#h, 0, none)"},
};

class HostFailureSweep {
 public:
  explicit HostFailureSweep(Failure style) : style_(style) {}

  // One run with call number k failing; false when the run made fewer than k such calls.
  bool run(std::uint32_t k) {
    xtrahost::Host host;
    xtrahost::LoadedModule module(host, "ZORVgame.x32");
    host.engine.setHandler("h", [](std::int32_t, HostValue*, HostValue* result) {
      if (result != nullptr) *result = Values::makeInteger(7);
      return kOk;
    });
    host.log.failCallNumber(k, style_);
    std::unique_ptr<xtrahost::ScriptSession> session;
    for (const Step& step : steps(host, module, session)) {
      if (step.method != 0 && !(session && session->ready())) continue;  // no instance to call
      SCOPED_TRACE(testing::Message() << "call " << k << " failing, step " << step.name);
      const bool failedBefore = !host.log.failedCall().empty();
      xtrahost::CallOutcome outcome = step.run();
      const bool failedHere = !failedBefore && !host.log.failedCall().empty();
      const XtraResult expected =
          failedHere ? expectedCode(step.name, host.log.failedCall(), style_) : kOk;
      EXPECT_EQ(outcome.code, expected) << host.log.failedCall();
      if (failedHere) {
        report(k, step.name, host.log.failedCall(), outcome.code);
        if (expected == kHostCode || expected == kOutOfMemory) expectOnlyReleasesAfter(host);
      }
      if (step.method != 0) {
        if (failedHere && expected == kHostCode && style_ == Failure::EmptyOut) {
          EXPECT_EQ(Values::integerOf(outcome.result), 5) << "the result value was written";
        }
        EXPECT_EQ(session->object().field<void*>(kCallFields), nullptr);
        EXPECT_EQ(session->object().field<void*>(kCallFields + sizeof(void*)), nullptr);
      }
    }
    if (session) session->end();
    EXPECT_EQ(host.allocator.liveBlocks(), 0u) << "call " << k;
    EXPECT_TRUE(host.unbalancedReferences().empty())
        << "call " << k << ": " << testing::PrintToString(host.unbalancedReferences());
    EXPECT_EQ(module.canUnloadNow(), kOk) << "call " << k;
    return !host.log.failedCall().empty();
  }

  const std::set<std::string>& failedCalls() const { return failedCalls_; }

 private:
  struct Step {
    const char* name;
    std::int32_t method;  // 0: not a script call
    std::function<xtrahost::CallOutcome()> run;
  };
  // Offset of the per-call context field behind the object header.
  static constexpr std::size_t kCallFields = 4 * sizeof(void*) + 8 + 8 * sizeof(void*);

  static std::vector<Step> steps(xtrahost::Host& host, xtrahost::LoadedModule& module,
                                 std::unique_ptr<xtrahost::ScriptSession>& session) {
    auto call = [&host, &session](std::int32_t method, std::vector<HostValue> args) {
      if (method >= 5)
        args.insert(args.begin(), {session->instanceValue(), host.values.makeSymbol("h")});
      return session->call(method, std::move(args), Values::makeInteger(5));
    };
    return {
        {"classInfo", 0, [&] { return code(module.classInfo().code); }},
        {"register", 0, [&] { return code(module.registerModule()); }},
        {"create", 0,
         [&] {
           session = std::make_unique<xtrahost::ScriptSession>(module);
           return code(session->buildResult());
         }},
        {"load", 1, [&, call] { return call(1, {host.values.makeString("tgm_all.dll")}); }},
        {"start", 2, [&, call] { return call(2, {}); }},
        {"score", 3, [&, call] { return call(3, {host.values.makeString("abc")}); }},
        {"stop", 4, [&, call] { return call(4, {}); }},
        {"function", 5, [&, call] { return call(5, {Values::makeInteger(1)}); }},
        {"command", 6, [&, call] { return call(6, {}); }},
        {"query", 0,
         [&] {
           if (!session->ready()) return code(kOk);
           void* iface = nullptr;
           const XtraResult c =
               session->scriptInterface()->QueryInterface(&ids::kScriptInterface, &iface);
           if (iface != nullptr) static_cast<HostUnknown*>(iface)->Release();  // filled: ours too
           return code(c);
         }},
    };
  }

  static void expectOnlyReleasesAfter(const xtrahost::Host& host) {
    const auto& entries = host.log.entries();
    const std::string& failed = host.log.failedCall();
    for (std::size_t i = host.log.failedCallEnd(); i < entries.size(); ++i) {
      if (entries[i].rfind(failed, 0) == 0) continue;  // the failed call's own entry
      EXPECT_TRUE(isFreeOrRelease(entries[i])) << entries[i] << " after " << failed;
    }
  }

  void report(std::uint32_t k, const char* step, const std::string& call, XtraResult code) {
    failedCalls_.insert(std::string(step) + " " + call);
    std::printf("%s %3u %-8s %-60s -> 0x%08lX\n", style_ == Failure::EmptyOut ? "empty " : "filled",
                k, step, call.c_str(), static_cast<unsigned long>(code));
  }

  Failure style_;
  std::set<std::string> failedCalls_;
};

TEST(HostFailureTest, EveryFailableHostCallIsSweptInBothStyles) {
  for (Failure style : {Failure::EmptyOut, Failure::FilledOut}) {
    HostFailureSweep sweep(style);
    std::uint32_t k = 1;
    while (sweep.run(k) && k < 500) ++k;
    for (const char* operation : kFallibleOperations) {
      bool reached = false;
      for (const std::string& call : sweep.failedCalls())
        reached |= call.find(operation) != std::string::npos;
      EXPECT_TRUE(reached) << operation << " never failed";
    }
    for (const auto& [step, call] : kHandlerCalls) {
      EXPECT_EQ(sweep.failedCalls().count(std::string(step) + " " + call), 1u) << step;
    }
  }
}

}  // namespace
}  // namespace zorvtest
