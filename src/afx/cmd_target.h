// Message maps: each class that handles messages has a table of (message, handler) entries
// and a link to its base class's table. A message goes to the first entry for it found while
// walking from the most-derived table towards the root; a message with no entry is left to
// the caller's default processing.
#pragma once

#include "afx/object.h"
#include "common/win_types.h"

class CCmdTarget;

// Calls the member handler of one message on the object, unpacking wParam and lParam.
using AfxMsgHandler = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  AfxMsgHandler pfnHandler;  // null ends a table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root table
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// The first entry for the message in the chain of tables starting at map, or null.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message);

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Runs the mapped handler of the message, if any: TRUE with its result, FALSE when no
  // table in the chain has an entry for the message.
  BOOL DispatchMappedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  CCmdTarget() = default;

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

// The entries between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP are built inside a member
// function of theClass, so handlers may be protected and ThisClass names the class.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    [[maybe_unused]] typedef theClass ThisClass;                                    \
    typedef baseClass TheBaseClass;                                                 \
    static const AFX_MSGMAP_ENTRY messageEntries[] = {
#define END_MESSAGE_MAP()                                                                  \
  { 0, nullptr }                                                                           \
  }                                                                                        \
  ;                                                                                        \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, messageEntries}; \
  return &messageMap;                                                                      \
  }

// One entry whose handler is the statement body, run with `self` the object as ThisClass
// and wParam, lParam the message's parameters; the body returns the message's result.
#define AFX_MSG_ENTRY(message, ...)                                           \
  {message, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT { \
     [[maybe_unused]] ThisClass* self = static_cast<ThisClass*>(target);      \
     static_cast<void>(wParam);                                               \
     static_cast<void>(lParam);                                               \
     __VA_ARGS__                                                              \
   }},
