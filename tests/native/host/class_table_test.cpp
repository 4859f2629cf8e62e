// The class-table walk and the export operations over a table, with a counting allocator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/class_table.h"
#include "host/identifiers.h"

namespace {

using namespace xtra;

XtraResult XTRA_CALL createA(HostObjectHeader*) { return 11; }
void XTRA_CALL destroyA(HostObjectHeader*) {}
XtraResult XTRA_CALL buildA(HostObjectHeader*, void** out) {
  *out = reinterpret_cast<void*>(0xA);
  return 21;
}
XtraResult XTRA_CALL createB(HostObjectHeader*) { return 12; }
void XTRA_CALL destroyB(HostObjectHeader*) {}
XtraResult XTRA_CALL buildB(HostObjectHeader*, void** out) {
  *out = reinterpret_cast<void*>(0xB);
  return 22;
}

const ClassDescription kTwoClasses[] = {
    {&ids::kRegistrationClass, kTableVersion, 24, createA, destroyA, &ids::kRegistrationInterface,
     kTableVersion, buildA},
    {&ids::kScriptClass, kTableVersion, 112, createB, destroyB, &ids::kScriptInterface,
     kTableVersion, buildB},
};
const ClassTable kTable = {kTwoClasses, 2};

struct CountingAllocator : HostAllocator {
  XtraResult XTRA_CALL QueryInterface(const GUID*, void**) override { return kNotAvailable; }
  std::uint32_t XTRA_CALL AddRef() override { return 1; }
  std::uint32_t XTRA_CALL Release() override { return 1; }
  void* XTRA_CALL Allocate(std::uint32_t size) override {
    sizes.push_back(size);
    if (fail) return nullptr;
    void* p = std::malloc(size);
    std::memset(p, 0xCD, size);
    blocks.push_back(p);
    return p;
  }
  void XTRA_CALL Free(void* block) override { std::free(block); }
  ~CountingAllocator() {
    for (void* p : blocks) std::free(p);
  }
  bool fail = false;
  std::vector<std::uint32_t> sizes;
  std::vector<void*> blocks;
};

struct Visit {
  std::vector<std::string> seen;
  int stopAt = -1;
  int value = 0;
};

int recordClass(const GUID& id, std::uint32_t, std::uint32_t size, CreateOperation,
                DestroyOperation, void* context) {
  auto* v = static_cast<Visit*>(context);
  v->seen.push_back("class" + std::to_string(size) + (sameId(id, ids::kScriptClass) ? "S" : "R"));
  return static_cast<int>(v->seen.size()) - 1 == v->stopAt ? v->value : 0;
}

int recordInterface(const GUID&, std::uint32_t, const GUID& iid, std::uint32_t, BuildOperation,
                    void* context) {
  auto* v = static_cast<Visit*>(context);
  v->seen.push_back(sameId(iid, ids::kScriptInterface) ? "ifaceS" : "ifaceR");
  return static_cast<int>(v->seen.size()) - 1 == v->stopAt ? v->value : 0;
}

TEST(ClassTableWalk, VisitsClassThenInterfaceInTableOrderAndHonoursFilterAndStop) {
  Visit all;
  EXPECT_EQ(walkClassTable(kTable, nullptr, recordClass, recordInterface, &all), 0);
  EXPECT_EQ(all.seen, (std::vector<std::string>{"class24R", "ifaceR", "class112S", "ifaceS"}));

  Visit filtered;
  EXPECT_EQ(walkClassTable(kTable, &ids::kScriptClass, recordClass, nullptr, &filtered), 0);
  EXPECT_EQ(filtered.seen, (std::vector<std::string>{"class112S"}));

  Visit stopped;
  stopped.stopAt = 1;
  stopped.value = 7;
  EXPECT_EQ(walkClassTable(kTable, nullptr, recordClass, recordInterface, &stopped), 7);
  EXPECT_EQ(stopped.seen.size(), 2u);

  Visit unknown;
  EXPECT_EQ(walkClassTable(kTable, &ids::kHostValues, recordClass, recordInterface, &unknown), 0);
  EXPECT_TRUE(unknown.seen.empty());
}

TEST(ClassInfo, AllocatesOneEntryMoreThanTheWalkCountsAndTerminatesWithZeroIds) {
  CountingAllocator allocator;
  ClassInfoEntry* table = nullptr;
  ASSERT_EQ(getClassInfo(kTable, &allocator, &table), kOk);
  ASSERT_EQ(allocator.sizes, (std::vector<std::uint32_t>{200}));
  EXPECT_TRUE(sameId(table[0].classId, ids::kRegistrationClass));
  EXPECT_TRUE(sameId(table[0].interfaceId, ids::kClassFactory));
  EXPECT_EQ(table[0].interfaceVersion, 1u);
  EXPECT_TRUE(sameId(table[3].interfaceId, ids::kScriptInterface));
  EXPECT_EQ(table[3].interfaceVersion, kTableVersion);
  const GUID zero{};
  EXPECT_TRUE(sameId(table[4].classId, zero));
  EXPECT_TRUE(sameId(table[4].interfaceId, zero));
  // The terminator's version fields are not written.
  EXPECT_EQ(table[4].classVersion, 0xCDCDCDCDu);
  EXPECT_EQ(table[4].interfaceVersion, 0xCDCDCDCDu);
}

TEST(ClassInfo, OutOfMemoryAndBadArguments) {
  CountingAllocator allocator;
  allocator.fail = true;
  auto* table = reinterpret_cast<ClassInfoEntry*>(0x1234);
  EXPECT_EQ(getClassInfo(kTable, &allocator, &table), kOutOfMemory);
  EXPECT_EQ(table, nullptr);
  table = reinterpret_cast<ClassInfoEntry*>(0x1234);
  EXPECT_EQ(getClassInfo(kTable, nullptr, &table), kOutOfMemory);
  EXPECT_EQ(table, reinterpret_cast<ClassInfoEntry*>(0x1234));
  EXPECT_EQ(getClassInfo(kTable, &allocator, nullptr), kNotAvailable);
}

TEST(Identifiers, CompareAllSixteenBytes) {
  GUID a = ids::kScriptClass;
  EXPECT_TRUE(sameId(a, ids::kScriptClass));
  a.Data4[7] ^= 1;
  EXPECT_FALSE(sameId(a, ids::kScriptClass));
  a = ids::kScriptClass;
  a.Data2 ^= 0x100;
  EXPECT_FALSE(sameId(a, ids::kScriptClass));
}

}  // namespace
