#include "host/class_table.h"

#include <cstring>

#include "host/identifiers.h"

namespace xtra {

int walkClassTable(const ClassTable& table, const GUID* filter, ClassVisitor classVisitor,
                   InterfaceVisitor interfaceVisitor, void* context) {
  for (std::size_t i = 0; i < table.count; ++i) {
    const ClassDescription& c = table.classes[i];
    if (filter != nullptr && !sameId(*filter, *c.classId)) continue;
    if (classVisitor != nullptr) {
      if (int stop = classVisitor(*c.classId, c.classVersion, c.instanceSize, c.create, c.destroy,
                                  context)) {
        return stop;
      }
    }
    if (interfaceVisitor != nullptr) {
      if (int stop = interfaceVisitor(*c.classId, c.classVersion, *c.interfaceId,
                                      c.interfaceVersion, c.build, context)) {
        return stop;
      }
    }
  }
  return 0;
}

namespace {

int countClass(const GUID&, std::uint32_t, std::uint32_t, CreateOperation, DestroyOperation,
               void* context) {
  ++*static_cast<std::uint32_t*>(context);
  return 0;
}

int countInterface(const GUID&, std::uint32_t, const GUID&, std::uint32_t, BuildOperation,
                   void* context) {
  ++*static_cast<std::uint32_t*>(context);
  return 0;
}

void writeEntry(ClassInfoEntry** cursor, const GUID& classId, std::uint32_t classVersion,
                const GUID& interfaceId, std::uint32_t interfaceVersion) {
  ClassInfoEntry& e = **cursor;
  e.classId = classId;
  e.classVersion = classVersion;
  e.interfaceId = interfaceId;
  e.interfaceVersion = interfaceVersion;
  ++*cursor;
}

// A class contributes an entry for itself, under the class-factory identifier.
int writeClassEntry(const GUID& classId, std::uint32_t classVersion, std::uint32_t, CreateOperation,
                    DestroyOperation, void* context) {
  writeEntry(static_cast<ClassInfoEntry**>(context), classId, classVersion, ids::kClassFactory,
             kClassFactoryVersion);
  return 0;
}

int writeInterfaceEntry(const GUID& classId, std::uint32_t classVersion, const GUID& interfaceId,
                        std::uint32_t interfaceVersion, BuildOperation, void* context) {
  writeEntry(static_cast<ClassInfoEntry**>(context), classId, classVersion, interfaceId,
             interfaceVersion);
  return 0;
}

struct FormQuery {
  std::uint32_t* instanceSize;
  CreateOperation* create;
  DestroyOperation* destroy;
  bool found;
};

int writeForm(const GUID&, std::uint32_t, std::uint32_t instanceSize, CreateOperation create,
              DestroyOperation destroy, void* context) {
  auto* q = static_cast<FormQuery*>(context);
  *q->instanceSize = instanceSize;
  *q->create = create;
  *q->destroy = destroy;
  q->found = true;
  return 1;
}

struct InterfaceQuery {
  const GUID* wanted;
  BuildOperation build;
};

int findInterface(const GUID&, std::uint32_t, const GUID& interfaceId, std::uint32_t,
                  BuildOperation build, void* context) {
  auto* q = static_cast<InterfaceQuery*>(context);
  if (!sameId(interfaceId, *q->wanted)) return 0;
  q->build = build;
  return 1;
}

}  // namespace

// Null arguments come only from a broken host. Each export answers them without touching
// anything: 0x80040004 for a missing output, 0x80040002 for a missing allocator, which can
// give no memory (the output is left as it was, as for every bad argument).
XtraResult getClassInfo(const ClassTable& table, HostAllocator* allocator, ClassInfoEntry** out) {
  if (out == nullptr) return kNotAvailable;
  if (allocator == nullptr) return kOutOfMemory;
  std::uint32_t count = 0;
  walkClassTable(table, nullptr, countClass, countInterface, &count);
  void* block = allocator->Allocate((count + 1) * sizeof(ClassInfoEntry));
  if (block == nullptr) {
    *out = nullptr;
    return kOutOfMemory;
  }
  auto* entries = static_cast<ClassInfoEntry*>(block);
  *out = entries;
  ClassInfoEntry* cursor = entries;
  walkClassTable(table, nullptr, writeClassEntry, writeInterfaceEntry, &cursor);
  // The terminator: both identifiers all zeros; its version fields are left as they are.
  std::memset(&cursor->classId, 0, sizeof cursor->classId);
  std::memset(&cursor->interfaceId, 0, sizeof cursor->interfaceId);
  return kOk;
}

XtraResult getClassForm(const ClassTable& table, const GUID* classId, std::uint32_t* instanceSize,
                        CreateOperation* create, DestroyOperation* destroy) {
  if (instanceSize == nullptr || create == nullptr || destroy == nullptr) return kNotAvailable;
  FormQuery q{instanceSize, create, destroy, false};
  walkClassTable(table, classId, writeForm, nullptr, &q);
  return q.found ? kOk : kNoSuchClass;
}

XtraResult getInterface(const ClassTable& table, HostObjectHeader* object, const GUID* classId,
                        const GUID* interfaceId, void** out) {
  if (interfaceId == nullptr || out == nullptr) return kNotAvailable;
  InterfaceQuery q{interfaceId, nullptr};
  walkClassTable(table, classId, nullptr, findInterface, &q);
  if (q.build == nullptr) return kNotAvailable;
  return q.build(object, out);
}

}  // namespace xtra
