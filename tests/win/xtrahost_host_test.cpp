// The host's failure injection and accounting, which the module's failure and leak tests rely on:
// an operation gives the injected code as often as asked and then works again, withheld
// interfaces until restored, and every block and reference is counted.
#include <gtest/gtest.h>

#include "host.h"
#include "host/identifiers.h"

namespace xtrahost {
namespace {

namespace ids = xtra::ids;
constexpr XtraResult kCode = static_cast<XtraResult>(0x80041234u);

// One host operation: arms its injection for `times` calls, and calls it once. Keyed injections
// (a property here) and plain ones (the call context) work alike elsewhere: the registration
// tests fail entries and puts, the script tests conversions and call contexts, so a site that
// ignored its injection fails those. No module test fails a handler.
struct Injected {
  const char* operation;
  void (*arm)(Host&, int times);
  XtraResult (*call)(Host&);
};

const Injected kInjected[] = {
    {"AppInfo.ReadStringProperty",
     [](Host& h, int n) { h.appInfo.failProperty(HostAppInfo::kVersion, kCode, n); },
     [](Host& h) {
       char text[16];
       return h.appInfo.ReadStringProperty(HostAppInfo::kVersion, text, 16);
     }},
    {"ScriptEngine.CallHandler", [](Host& h, int n) { h.engine.failCallHandler(kCode, n); },
     [](Host& h) { return h.engine.CallHandler(h.engine.symbol("any"), 0, nullptr, nullptr); }},
    {"ScriptEngine.GetCallContext", [](Host& h, int n) { h.engine.failGetCallContext(kCode, n); },
     [](Host& h) {
       HostCallContext* context = nullptr;
       return h.engine.GetCallContext(&context);
     }},
};

TEST(InjectionTest, EachOperationFailsAsOftenAsAskedThenWorks) {
  for (const Injected& site : kInjected) {
    SCOPED_TRACE(site.operation);
    Host host;
    host.engine.setHandler("any", [](std::int32_t, HostValue*, HostValue*) { return xtra::kOk; });
    ASSERT_EQ(site.call(host), xtra::kOk);
    site.arm(host, 2);
    EXPECT_EQ(site.call(host), kCode);
    EXPECT_EQ(site.call(host), kCode);
    EXPECT_EQ(site.call(host), xtra::kOk);
    site.arm(host, kEveryTime);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(site.call(host), kCode);
  }
}

TEST(InjectionTest, WithheldInterfacesGiveTheirCodeUntilRestoredAndReferencesAreCounted) {
  Host host;
  host.withhold(ids::kHostValues, kCode);
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(host.callback.QueryInterface(&ids::kHostValues, &out), kCode);
  EXPECT_EQ(out, nullptr);
  EXPECT_TRUE(host.unbalancedReferences().empty());

  host.restore(ids::kHostValues);
  ASSERT_EQ(host.callback.QueryInterface(&ids::kHostValues, &out), xtra::kOk);
  EXPECT_EQ(out, static_cast<HostUnknown*>(&host.values));
  EXPECT_EQ(host.unbalancedReferences(), std::vector<std::string>{"Values: 1 outstanding"});
  static_cast<HostUnknown*>(out)->Release();
  static_cast<HostUnknown*>(out)->Release();
  EXPECT_EQ(host.unbalancedReferences(), std::vector<std::string>{"Values: -1 outstanding"});
}

// Its failures are driven by the module's out-of-memory tests: the next N requests (the entry
// tests' new-handler retries), every request, and requests of one size (registration).
TEST(InjectionTest, TheAllocatorCountsLiveBlocksAndFrees) {
  CallLog log;
  Allocator allocator{log};
  void* a = allocator.Allocate(12);
  void* b = allocator.Allocate(200);
  EXPECT_EQ(allocator.liveBytes(), 212u);
  allocator.Free(a);
  allocator.Free(a);  // twice: not counted again
  EXPECT_EQ(allocator.liveBlocks(), 1u);
  allocator.Free(b);
  EXPECT_EQ(allocator.frees(), 2u);
  EXPECT_EQ(allocator.liveBlocks(), 0u);
}

}  // namespace
}  // namespace xtrahost
