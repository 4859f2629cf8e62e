// The six Office applications that desktop shortcuts may reach through an icon program instead
// of the application's own executable, and how a path is matched against them.
#pragma once

#include "afx/cstring.h"

struct OfficeApplication {
  const char* name;              // "Microsoft Word", for the notice
  const char* shortcutName;      // "Microsoft Word.lnk"
  const char* shortcutIcons[2];  // icon programs in the shortcut's target; the second may be null
  const char* pathIcon;          // icon program in the path itself
  const char* progId;            // "Word.Application"
};

// The target path of the shortcut file at path, or empty when it cannot be read.
using ShortcutTargetReader = CString (*)(const char* path);

// The first application, in table order, that the path belongs to: its shortcut name is in the
// path and readTarget's answer contains one of its shortcut icon programs, or its path icon
// program is in the path. Case-sensitive substring tests; null when none matches.
const OfficeApplication* findOfficeApplication(const char* path, ShortcutTargetReader readTarget);

// "ZORV was unable to determine the location of <name>.  Please insert ..." for the notice.
CString officeNoticeText(const OfficeApplication& application);
