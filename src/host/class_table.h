// The class table and the walk that every table-driven export is built on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_interfaces.h"

namespace xtra {

constexpr std::uint32_t kTableVersion = 0x01010043;
constexpr std::uint32_t kClassFactoryVersion = 1;

// One class with the one interface it answers.
struct ClassDescription {
  const GUID* classId;
  std::uint32_t classVersion;
  std::uint32_t instanceSize;
  CreateOperation create;
  DestroyOperation destroy;
  const GUID* interfaceId;
  std::uint32_t interfaceVersion;
  BuildOperation build;
};

struct ClassTable {
  const ClassDescription* classes;
  std::size_t count;
};

using ClassVisitor = int (*)(const GUID& classId, std::uint32_t classVersion,
                             std::uint32_t instanceSize, CreateOperation create,
                             DestroyOperation destroy, void* context);
using InterfaceVisitor = int (*)(const GUID& classId, std::uint32_t classVersion,
                                 const GUID& interfaceId, std::uint32_t interfaceVersion,
                                 BuildOperation build, void* context);

// Visits the classes in table order, skipping those that do not match a given filter; a visitor
// that returns non-zero stops the walk and its value is returned. A full walk returns 0.
int walkClassTable(const ClassTable& table, const GUID* filter, ClassVisitor classVisitor,
                   InterfaceVisitor interfaceVisitor, void* context);

// The export operations over a table (the module's exports pass the module's own table).
XtraResult getClassInfo(const ClassTable& table, HostAllocator* allocator, ClassInfoEntry** out);
XtraResult getClassForm(const ClassTable& table, const GUID* classId, std::uint32_t* instanceSize,
                        CreateOperation* create, DestroyOperation* destroy);
XtraResult getInterface(const ClassTable& table, HostObjectHeader* object, const GUID* classId,
                        const GUID* interfaceId, void** out);

// The module's two classes: registration first, then the script class.
const ClassTable& moduleClassTable();

// The walk over the module's own table.
int EnumerateClassTable(const GUID* filter, ClassVisitor classVisitor,
                        InterfaceVisitor interfaceVisitor, void* context);

}  // namespace xtra
