#include "afx/cmd_target.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {
const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, nullptr}};
const AFX_MSGMAP kRootMap = {nullptr, kNoEntries};
}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() { return &kRootMap; }

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message) {
  while (map != nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnHandler != nullptr; ++entry) {
      if (entry->nMessage == message) return entry;
    }
    map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr;
  }
  return nullptr;
}

BOOL CCmdTarget::DispatchMappedMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* result) {
  const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message);
  if (entry == nullptr) return FALSE;
  *result = entry->pfnHandler(this, wParam, lParam);
  return TRUE;
}
