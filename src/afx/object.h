// Root of the framework's class tree and its run-time class records: each record names a
// class, points at its base's record and, for classes that can be made from their record,
// holds a creation function.
#pragma once

#include <new>

#include "common/win_types.h"

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  CObject* (*m_pfnCreateObject)();  // null for classes that cannot be made from the record
  const CRuntimeClass* m_pBaseClass;

  // A new object of the class, or null when the class has no creation function or memory
  // runs out.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  virtual ~CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;

  virtual const CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* type) const;

  static const CRuntimeClass classCObject;

 protected:
  CObject() = default;
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define DECLARE_DYNAMIC(name)             \
 public:                                  \
  static const CRuntimeClass class##name; \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(name) \
  DECLARE_DYNAMIC(name)         \
  static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(name, base, create)                                        \
  const CRuntimeClass name::class##name = {#name, sizeof(name), create, RUNTIME_CLASS(base)}; \
  const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }

#define IMPLEMENT_DYNAMIC(name, base) AFX_IMPLEMENT_RUNTIMECLASS(name, base, nullptr)

#define IMPLEMENT_DYNCREATE(name, base)                             \
  CObject* name::CreateObject() { return new (std::nothrow) name; } \
  AFX_IMPLEMENT_RUNTIMECLASS(name, base, name::CreateObject)
