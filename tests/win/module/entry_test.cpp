// The five exports, the class table and the interface objects' reference accounting.
#include <windows.h>

#include <utility>

#include "module/module_fixture.h"

namespace zorvtest {
namespace {

using namespace xtra;
using xtrahost::HostObject;

constexpr std::uint32_t kPointer = sizeof(void*);
// The header and the script fields hold pointers: 24 and 112 bytes on 32-bit Windows.
constexpr std::uint32_t kRegistrationSize = kPointer == 4 ? 24 : 40;
constexpr std::uint32_t kScriptSize = kPointer == 4 ? 112 : 176;
constexpr std::uint32_t kInterfaceSize = kPointer == 4 ? 12 : 24;

using EntryTest = ModuleTest;

TEST_F(EntryTest, ClassInfoIsTwoHundredBytesOfFourEntriesAndATerminatorOrNothing) {
  xtrahost::ClassInfo info = module->classInfo();
  ASSERT_EQ(info.code, kOk);
  ASSERT_EQ(host.allocator.grantedSizes(), (std::vector<std::uint32_t>{200}));
  ASSERT_EQ(info.entries.size(), 4u);
  EXPECT_TRUE(info.terminated);
  const GUID* expected[4][2] = {{&ids::kRegistrationClass, &ids::kClassFactory},
                                {&ids::kRegistrationClass, &ids::kRegistrationInterface},
                                {&ids::kScriptClass, &ids::kClassFactory},
                                {&ids::kScriptClass, &ids::kScriptInterface}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(sameId(info.entries[i].classId, *expected[i][0]));
    EXPECT_TRUE(sameId(info.entries[i].interfaceId, *expected[i][1]));
    EXPECT_EQ(info.entries[i].classVersion, 0x01010043u);
    EXPECT_EQ(info.entries[i].interfaceVersion, i % 2 == 0 ? 1u : 0x01010043u);
  }
  ClassInfoEntry* table = nullptr;  // the terminator's versions keep the host's fill
  ASSERT_EQ(module->exports().getClassInfo(&host.allocator, &table), kOk);
  EXPECT_EQ(table[4].classVersion, 0xCDCDCDCDu);
  EXPECT_EQ(table[4].interfaceVersion, 0xCDCDCDCDu);
  host.allocator.Free(table);
  host.allocator.failNext(1);  // without memory: no table
  EXPECT_EQ(module->exports().getClassInfo(&host.allocator, &table), kOutOfMemory);
  EXPECT_EQ(table, nullptr);
}

TEST_F(EntryTest, ClassFormsBySizeAndIdentifier) {
  xtrahost::ClassForm script = module->classForm(&ids::kScriptClass);
  ASSERT_EQ(script.code, kOk);
  EXPECT_EQ(script.instanceSize, kScriptSize);
  xtrahost::ClassForm registration = module->classForm(&ids::kRegistrationClass);
  ASSERT_EQ(registration.code, kOk);
  EXPECT_EQ(registration.instanceSize, kRegistrationSize);
  EXPECT_NE(script.create, registration.create);
  EXPECT_NE(script.destroy, registration.destroy);

  xtrahost::ClassForm byDefault = module->classForm(nullptr);
  EXPECT_EQ(byDefault.code, kOk);
  EXPECT_EQ(byDefault.instanceSize, kRegistrationSize);
  EXPECT_EQ(byDefault.create, registration.create);
}

TEST_F(EntryTest, InterfacesOnlyFromAClassThatAnswersThem) {
  auto object = module->createObject(ids::kScriptClass);
  ASSERT_EQ(object->createResult(), kOk);

  xtrahost::InterfaceResult wrongClass =
      module->getInterface(*object, &ids::kRegistrationClass, ids::kScriptInterface);
  EXPECT_EQ(wrongClass.code, kNotAvailable);
  EXPECT_EQ(wrongClass.iface, nullptr);
  EXPECT_EQ(module->getInterface(*object, &ids::kHostValues, ids::kScriptInterface).code,
            kNotAvailable);
  EXPECT_EQ(module->getInterface(*object, nullptr, ids::kHostValues).code, kNotAvailable);
  EXPECT_EQ(object->addRefs(), 0u);

  xtrahost::InterfaceResult any = module->getInterface(*object, nullptr, ids::kScriptInterface);
  ASSERT_EQ(any.code, kOk);
  ASSERT_NE(any.iface, nullptr);
  EXPECT_EQ(module->canUnloadNow(), kStillInUse);
  any.as<HostUnknown>()->Release();  // the fixture checks that nothing stays alive
  object->release();
  EXPECT_TRUE(object->destroyed());
}

TEST_F(EntryTest, ReferenceAccountingMirrorsEveryReferenceOnTheObject) {
  auto object = module->createObject(ids::kRegistrationClass);
  object->setDestroyAtZero(false);
  host.allocator.resetAccounting();

  xtrahost::InterfaceResult built =
      module->getInterface(*object, &ids::kRegistrationClass, ids::kRegistrationInterface);
  ASSERT_EQ(built.code, kOk);
  auto* iface = built.as<HostUnknown>();
  EXPECT_EQ(interfaceCount(iface), 1u);
  EXPECT_EQ(object->addRefs(), 2u);
  EXPECT_EQ(host.allocator.grantedSizes(), (std::vector<std::uint32_t>{kInterfaceSize}));
  EXPECT_EQ(module->canUnloadNow(), kStillInUse);

  EXPECT_EQ(iface->AddRef(), 2u);
  EXPECT_EQ(object->addRefs(), 3u);
  EXPECT_EQ(iface->Release(), 1u);
  EXPECT_EQ(object->releases(), 1u);
  EXPECT_EQ(host.allocator.frees(), 0u);

  EXPECT_EQ(iface->Release(), 0u);
  EXPECT_EQ(object->releases(), 3u);
  EXPECT_EQ(host.allocator.frees(), 1u);
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  // The host's own reference is all that is left.
  EXPECT_EQ(object->refCount(), 1);
  EXPECT_TRUE(host.log.inOrder({"Allocator.Free(" + std::to_string(kInterfaceSize) + ")",
                                "RegistrationObject#1.Release", "RegistrationObject#1.Release"}));
  object->release();
}

// Every export refuses what it cannot use, builds nothing and leaves the outputs alone; a class
// object is never available.
TEST_F(EntryTest, BadArgumentsAreRefusedAndTouchNothing) {
  auto object = module->createObject(ids::kRegistrationClass);
  const xtrahost::ModuleExports& entry = module->exports();
  HostObjectHeader* header = object->header();
  const GUID* iface = &ids::kRegistrationInterface;
  void* out = reinterpret_cast<void*>(0x5);
  auto* table = reinterpret_cast<ClassInfoEntry*>(0x5);
  std::uint32_t size = 7;
  CreateOperation create = nullptr;
  DestroyOperation destroy = nullptr;
  EXPECT_EQ(entry.getClassInfo(nullptr, &table), kOutOfMemory);
  EXPECT_EQ(entry.getClassInfo(&host.allocator, nullptr), kNotAvailable);
  EXPECT_EQ(entry.getClassForm(&ids::kHostValues, &size, &create, &destroy), kNoSuchClass);
  EXPECT_EQ(entry.getClassForm(&ids::kScriptClass, nullptr, &create, &destroy), kNotAvailable);
  EXPECT_EQ(entry.getClassForm(&ids::kScriptClass, &size, &create, nullptr), kNotAvailable);
  EXPECT_EQ(entry.getInterface(header, nullptr, iface, nullptr), kNotAvailable);
  EXPECT_EQ(entry.getInterface(header, nullptr, nullptr, &out), kNotAvailable);
  EXPECT_EQ(entry.getInterface(nullptr, nullptr, iface, &out), kNotAvailable);
  HostAllocator* allocator = std::exchange(header->allocator, nullptr);
  EXPECT_EQ(entry.getInterface(header, nullptr, iface, &out), kNotAvailable);
  header->allocator = allocator;
  EXPECT_EQ(entry.getClassObject(&ids::kScriptClass, &ids::kScriptInterface, &out), kNoSuchClass);
  EXPECT_EQ(entry.getClassObject(nullptr, nullptr, nullptr), kNoSuchClass);
  EXPECT_EQ(out, reinterpret_cast<void*>(0x5));
  EXPECT_EQ(table, reinterpret_cast<ClassInfoEntry*>(0x5));
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(create, nullptr);
  EXPECT_EQ(object->addRefs(), 0u);
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  object->release();
}

// The C runtime's new-handler, installed for one test the way a host would install it.
using CrtNewHandler = int(__cdecl*)(size_t);
using SetNewHandler = CrtNewHandler(__cdecl*)(CrtNewHandler);

SetNewHandler crtSetNewHandler() {
  const char* name = kPointer == 4 ? "?_set_new_handler@@YAP6AHI@ZP6AHI@Z@Z"
                                   : "?_set_new_handler@@YAP6AH_K@ZP6AH0@Z@Z";
  return reinterpret_cast<SetNewHandler>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), name)));
}

int g_handlerCalls = 0;
size_t g_handlerSize = 0;
int __cdecl countingHandler(size_t size) {
  ++g_handlerCalls;
  g_handlerSize = size;
  return 1;
}

class OutOfMemoryTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    setHandler = crtSetNewHandler();
    ASSERT_NE(setHandler, nullptr);
    previous = setHandler(nullptr);
    g_handlerCalls = 0;
    object = module->createObject(ids::kRegistrationClass);
    object->setDestroyAtZero(false);
    host.allocator.resetAccounting();
  }
  void TearDown() override {
    if (setHandler != nullptr) setHandler(previous);
    if (object) object->release();
    ModuleTest::TearDown();
  }

  void expectNothingBuilt(XtraResult code, void* out) {
    EXPECT_EQ(code, kOutOfMemory);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(object->addRefs(), 0u);
    EXPECT_EQ(object->releases(), 0u);
    EXPECT_EQ(module->canUnloadNow(), kOk);
  }

  SetNewHandler setHandler = nullptr;
  CrtNewHandler previous = nullptr;
  std::unique_ptr<HostObject> object;
};

TEST_F(OutOfMemoryTest, ANewHandlerThatFreesMemoryLetsTheRetrySucceed) {
  setHandler(countingHandler);
  host.allocator.failNext(3);
  xtrahost::InterfaceResult built =
      module->getInterface(*object, nullptr, ids::kRegistrationInterface);
  ASSERT_EQ(built.code, kOk);
  EXPECT_EQ(g_handlerCalls, 3);
  EXPECT_EQ(g_handlerSize, kInterfaceSize);
  EXPECT_EQ(object->addRefs(), 2u);
  built.as<HostUnknown>()->Release();
}

TEST_F(OutOfMemoryTest, ANewHandlerThatNeverHelpsIsGivenUpOnAfterABoundedRetry) {
  setHandler(countingHandler);
  host.allocator.failAlways();
  void* out = reinterpret_cast<void*>(0x5);
  XtraResult code =
      module->exports().getInterface(object->header(), nullptr, &ids::kRegistrationInterface, &out);
  expectNothingBuilt(code, out);
  EXPECT_EQ(g_handlerCalls, 8);
  EXPECT_EQ(host.allocator.requests().size(), 9u);
}

}  // namespace
}  // namespace zorvtest
