// The host's interfaces as the module sees them: what the callback answers and withholds,
// reference accounting, application info, registry records, the script engine and host
// objects with their headers.
#include <gtest/gtest.h>

#include <cstddef>

#include "host.h"
#include "host/identifiers.h"
#include "host_codes.h"
#include "host_object.h"

namespace xtrahost {
namespace {

namespace ids = xtra::ids;

template <class T>
T* ask(Host& host, const GUID& iid, XtraResult* code = nullptr) {
  void* out = reinterpret_cast<void*>(1);
  const XtraResult c = host.callback.QueryInterface(&iid, &out);
  if (code != nullptr) *code = c;
  return static_cast<T*>(out);
}

TEST(CallbackTest, AnswersEveryHostInterfaceAndCountsTheReferences) {
  Host host;
  const GUID* all[] = {&ids::kHostAppInfo,    &ids::kHostValues,     &ids::kHostScriptEngine,
                       &ids::kHeldInterface1, &ids::kHeldInterface5, &ids::kHeldInterface6,
                       &ids::kHeldInterface7, &ids::kHeldInterface11};
  std::vector<HostUnknown*> got;
  for (const GUID* iid : all) {
    got.push_back(ask<HostUnknown>(host, *iid));
    ASSERT_NE(got.back(), nullptr) << guidName(*iid);
  }
  EXPECT_EQ(got[1], static_cast<HostUnknown*>(&host.values));
  EXPECT_EQ(host.unbalancedReferences().size(), 8u);
  for (HostUnknown* iface : got) iface->Release();
  EXPECT_TRUE(host.unbalancedReferences().empty());
  EXPECT_EQ(host.values.counts().releases, 1u);
}

TEST(CallbackTest, AWithheldInterfaceGivesTheCodeAndNothingElseChanges) {
  Host host;
  const XtraResult code = static_cast<XtraResult>(0x80041234u);
  host.withhold(ids::kHostValues, code);
  XtraResult got = 0;
  EXPECT_EQ(ask<HostValues>(host, ids::kHostValues, &got), nullptr);
  EXPECT_EQ(got, code);
  EXPECT_EQ(host.values.counts().handedOut, 0u);
  HostScriptEngine* engine = ask<HostScriptEngine>(host, ids::kHostScriptEngine);
  ASSERT_NE(engine, nullptr);
  engine->Release();

  host.restore(ids::kHostValues);
  HostValues* values = ask<HostValues>(host, ids::kHostValues);
  ASSERT_NE(values, nullptr);
  values->Release();
  EXPECT_TRUE(host.log.inOrder({"Callback.QueryInterface(HostValues)", "ScriptEngine.Release",
                                "Callback.QueryInterface(HostValues)", "Values.Release"}));
}

TEST(CallbackTest, CreatesANewHostObjectEachTimeUnlessWithheld) {
  Host host;
  void* a = nullptr;
  void* b = nullptr;
  ASSERT_EQ(host.callback.CreateHostObject(&ids::kHostObjectClass, &ids::kHostObjectIface, &a),
            xtra::kOk);
  ASSERT_EQ(host.callback.CreateHostObject(&ids::kHostObjectClass, &ids::kHostObjectIface, &b),
            xtra::kOk);
  EXPECT_NE(a, b);
  static_cast<HostUnknown*>(a)->Release();
  EXPECT_EQ(host.unbalancedReferences(), (std::vector<std::string>{"HostObject#2: 1 outstanding"}));
  static_cast<HostUnknown*>(b)->Release();
  static_cast<HostUnknown*>(b)->Release();
  EXPECT_EQ(host.unbalancedReferences(), (std::vector<std::string>{"HostObject#2: 1 underflow"}));

  host.withhold(ids::kHostObjectClass);
  void* c = reinterpret_cast<void*>(1);
  EXPECT_EQ(host.callback.CreateHostObject(&ids::kHostObjectClass, &ids::kHostObjectIface, &c),
            xtra::kNotAvailable);
  EXPECT_EQ(c, nullptr);
}

TEST(AppInfoTest, ReadsNameAndVersionAndFailsPerProperty) {
  Host host;
  char text[64];
  ASSERT_EQ(host.appInfo.ReadStringProperty(HostAppInfo::kApplicationName, text, 64), xtra::kOk);
  EXPECT_STREQ(text, "Director");
  host.appInfo.setVersion("10.1");
  ASSERT_EQ(host.appInfo.ReadStringProperty(HostAppInfo::kVersion, text, 3), xtra::kOk);
  EXPECT_STREQ(text, "10");

  const XtraResult code = static_cast<XtraResult>(0x80040777u);
  host.appInfo.failProperty(HostAppInfo::kVersion, code);
  std::strcpy(text, "keep");
  EXPECT_EQ(host.appInfo.ReadStringProperty(HostAppInfo::kVersion, text, 64), code);
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(host.appInfo.ReadStringProperty(HostAppInfo::kApplicationName, text, 64), xtra::kOk);
  EXPECT_EQ(host.appInfo.ReadStringProperty(99, text, 64), xtra::kNotAvailable);
}

TEST(RegistryTest, RecordsEntriesAndCopiesPutValuesByType) {
  Host host;
  HostRegistryDict* dict = nullptr;
  ASSERT_EQ(host.registry.AddEntry(host.registry.xtraDict(), &ids::kScriptClass,
                                   &ids::kScriptInterface, &dict),
            xtra::kOk);
  const std::int32_t three = 3;
  const std::uint8_t one[4] = {1, 0xEE, 0xEE, 0xEE};
  const char text[] = "line\nnext\n";
  const char raw[] = "abcdef";
  dict->Put(kTypeInteger, &three, 0, "XtraLoadControlOptions");
  dict->Put(kTypeByte, one, 0, "byte");
  dict->Put(kTypeText, text, 0, "msgTable");
  dict->Put(kTypeText, raw, 3, "sized");

  ASSERT_EQ(host.registry.entries().size(), 1u);
  EXPECT_EQ(host.registry.entries()[0].xtraDict, host.registry.xtraDict());
  EXPECT_TRUE(xtra::sameId(host.registry.entries()[0].interfaceId, ids::kScriptInterface));
  EXPECT_EQ(host.registry.findPut("XtraLoadControlOptions")->bytes.size(), 4u);
  EXPECT_EQ(host.registry.findPut("XtraLoadControlOptions")->integer(), 3u);
  EXPECT_EQ(host.registry.findPut("byte")->bytes, (std::vector<std::uint8_t>{1}));
  EXPECT_EQ(host.registry.findPut("msgTable")->bytes.size(), sizeof text);
  EXPECT_EQ(host.registry.findPut("msgTable")->text(), text);
  EXPECT_EQ(host.registry.findPut("sized")->text(), "abc");
  EXPECT_TRUE(host.unbalancedReferences().empty());
  dict->Release();  // the cache lent its dictionary: there is no reference to give back
  EXPECT_EQ(host.unbalancedReferences(), (std::vector<std::string>{"RegistryDict#1: 1 underflow"}));
  EXPECT_TRUE(
      host.log.contains("error: RegistryDict#1.Release underflow: the module holds no reference"));
}

TEST(RegistryTest, AddEntryFailsPerInterfaceAndPutPerKey) {
  Host host;
  const XtraResult code = static_cast<XtraResult>(0x80045555u);
  host.registry.failAddEntry(ids::kLoadControl, code);
  host.registry.failPut("safeForShockwave", code);
  HostRegistryDict* dict = reinterpret_cast<HostRegistryDict*>(1);
  EXPECT_EQ(host.registry.AddEntry(nullptr, &ids::kScriptClass, &ids::kLoadControl, &dict), code);
  EXPECT_EQ(dict, nullptr);
  ASSERT_EQ(host.registry.AddEntry(nullptr, &ids::kScriptClass, &ids::kScriptInterface, &dict),
            xtra::kOk);
  const std::uint8_t one = 1;
  EXPECT_EQ(dict->Put(kTypeByte, &one, 1, "other"), xtra::kOk);
  EXPECT_EQ(dict->Put(kTypeByte, &one, 1, "safeForShockwave"), code);
  ASSERT_EQ(host.registry.entries().size(), 2u);
  EXPECT_EQ(host.registry.entries()[0].result, code);
  EXPECT_EQ(host.registry.entries()[0].dict, RegistryCache::npos);
  EXPECT_EQ(host.registry.findPut("safeForShockwave")->result, code);
}

TEST(ScriptEngineTest, CallsHandlersByNameWithArgumentsAndResult) {
  Host host;
  std::vector<std::int32_t> seen;
  host.engine.setHandler("sum", [&](std::int32_t argc, HostValue* args, HostValue* result) {
    std::int32_t total = 0;
    for (std::int32_t i = 0; i < argc; ++i) total += Values::integerOf(args[i]).value_or(0);
    seen.push_back(argc);
    EXPECT_EQ(Values::kindOf(*result), ValueKind::Void);  // preset before the handler runs
    *result = Values::makeInteger(total);
    return xtra::kOk;
  });
  HostValue args[] = {Values::makeInteger(2), Values::makeInteger(5)};
  HostValue result = host.values.makeString("before");
  ASSERT_EQ(host.engine.CallHandler(host.engine.symbol("sum"), 2, args, &result), xtra::kOk);
  EXPECT_EQ(Values::integerOf(result), 7);
  ASSERT_EQ(host.engine.calls().size(), 1u);
  EXPECT_EQ(host.engine.calls()[0].handler, "sum");
  EXPECT_EQ(host.engine.calls()[0].args.size(), 2u);
  EXPECT_TRUE(host.log.contains("ScriptEngine.CallHandler(#sum, 2, 2, 5, result)"));

  HostValue untouched = Values::makeInteger(9);
  EXPECT_EQ(host.engine.CallHandler(host.engine.symbol("nobody"), 0, nullptr, &untouched),
            kUnknownHandler);
  EXPECT_EQ(Values::integerOf(untouched), 9);
  EXPECT_EQ(host.engine.CallHandler(host.engine.symbol("sum"), -1, args, nullptr),
            kBadArgumentCount);
  EXPECT_EQ(seen, (std::vector<std::int32_t>{2}));
}

TEST(ScriptEngineTest, NestedCallsAreRecordedOutermostFirst) {
  Host host;
  host.engine.setHandler("inner", [](std::int32_t, HostValue*, HostValue*) { return xtra::kOk; });
  host.engine.setHandler("outer", [&](std::int32_t, HostValue*, HostValue*) {
    return host.engine.CallHandler(host.engine.symbol("inner"), 0, nullptr, nullptr);
  });
  const XtraResult code = static_cast<XtraResult>(0x80046666u);
  host.engine.failCallHandler(code, 1);
  EXPECT_EQ(host.engine.CallHandler(host.engine.symbol("outer"), 0, nullptr, nullptr), code);
  EXPECT_EQ(host.engine.CallHandler(host.engine.symbol("outer"), 0, nullptr, nullptr), xtra::kOk);
  ASSERT_EQ(host.engine.calls().size(), 3u);
  EXPECT_EQ(host.engine.calls()[1].handler, "outer");
  EXPECT_EQ(host.engine.calls()[2].handler, "inner");
}

TEST(ScriptEngineTest, CallContextAndSubInterfaceAreCountedAndCanFail) {
  Host host;
  HostCallContext* context = nullptr;
  ASSERT_EQ(host.engine.GetCallContext(&context), xtra::kOk);
  HostUnknown* sub = nullptr;
  ASSERT_EQ(context->GetSubInterface(&sub), xtra::kOk);
  EXPECT_EQ(host.unbalancedReferences().size(), 2u);
  context->Release();
  sub->Release();
  EXPECT_TRUE(host.unbalancedReferences().empty());

  const XtraResult code = static_cast<XtraResult>(0x80047777u);
  host.engine.context().failGetSubInterface(code);
  sub = nullptr;
  EXPECT_EQ(context->GetSubInterface(&sub), code);
  EXPECT_EQ(sub, nullptr);
  host.engine.failGetCallContext(code);
  context = nullptr;
  EXPECT_EQ(host.engine.GetCallContext(&context), code);
  EXPECT_EQ(context, nullptr);
}

// Create and destroy operations of a pretend class, which note what they saw.
HostObjectHeader* createdWith = nullptr;
int destroyCalls = 0;
XtraResult XTRA_CALL pretendCreate(HostObjectHeader* object) {
  createdWith = object;
  reinterpret_cast<std::uint8_t*>(object)[sizeof(HostObjectHeader)] = 0x5A;
  return xtra::kOk;
}
void XTRA_CALL pretendDestroy(HostObjectHeader* object) {
  ++destroyCalls;
  reinterpret_cast<std::uint8_t*>(object)[sizeof(HostObjectHeader)] = 0;
}

TEST(HostObjectTest, HeaderIsFilledAndTheLastReleaseDestroysAndFrees) {
  Host host;
  destroyCalls = 0;
  const ClassForm form{xtra::kOk, sizeof(HostObjectHeader) + 8, pretendCreate, pretendDestroy};
  HostObject object(host.log, "Pretend", 1, form, &host.callback, &host.allocator, 0xAB);
  HostObjectHeader* h = object.header();
  EXPECT_EQ(h->callback, &host.callback);
  EXPECT_EQ(h->allocator, &host.allocator);
  EXPECT_EQ(object.field<std::uint8_t>(sizeof(HostObjectHeader) + 7), 0xAB);
  ASSERT_EQ(object.create(), xtra::kOk);
  EXPECT_EQ(createdWith, h);

  h->ops->AddRef(h);
  h->ops->AddRef(h);
  EXPECT_EQ(object.refCount(), 3);
  h->ops->Release(h);
  object.release();  // the host's own reference
  EXPECT_FALSE(object.destroyed());
  EXPECT_EQ(h->ops->Release(h), 0u);
  EXPECT_TRUE(object.destroyed());
  EXPECT_EQ(object.header(), nullptr);
  EXPECT_EQ(destroyCalls, 1);
  EXPECT_EQ(object.addRefs(), 2u);
  EXPECT_EQ(object.releases(), 2u);
  EXPECT_EQ(object.field<std::uint8_t>(sizeof(HostObjectHeader)), 0);  // as destroy left it
  EXPECT_TRUE(
      host.log.inOrder({"Pretend#1.create -> 0x00000000", "Pretend#1.AddRef",
                        "Pretend#1.host releases", "Pretend#1.Release", "Pretend#1.destroy"}));
}

TEST(HostObjectTest, WithoutDestroyAtZeroTheTestDestroysOnce) {
  Host host;
  destroyCalls = 0;
  const ClassForm form{xtra::kOk, sizeof(HostObjectHeader), pretendCreate, pretendDestroy};
  HostObject object(host.log, "Pretend", 2, form, &host.callback, &host.allocator);
  object.setDestroyAtZero(false);
  object.release();
  EXPECT_EQ(object.refCount(), 0);
  EXPECT_FALSE(object.destroyed());
  object.destroy();
  object.destroy();
  EXPECT_EQ(destroyCalls, 1);
}

}  // namespace
}  // namespace xtrahost
