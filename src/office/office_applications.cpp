#include "office/office_applications.h"

#include <cstring>

namespace {

// Tested in this order. FrontPage's shortcut may lead to either of two icon programs, but only
// the first one identifies it in a plain path.
const OfficeApplication kApplications[] = {
    {"Microsoft Word",
     "Microsoft Word.lnk",
     {"wordicon.exe", nullptr},
     "wordicon.exe",
     "Word.Application"},
    {"Microsoft Excel",
     "Microsoft Excel.lnk",
     {"xlicons.exe", nullptr},
     "xlicons.exe",
     "Excel.Application"},
    {"Microsoft Outlook",
     "Microsoft Outlook.lnk",
     {"outicon.exe", nullptr},
     "outicon.exe",
     "Outlook.Application"},
    {"Microsoft PowerPoint",
     "Microsoft PowerPoint.lnk",
     {"pptico.exe", nullptr},
     "pptico.exe",
     "PowerPoint.Application"},
    {"Microsoft FrontPage",
     "Microsoft FrontPage.lnk",
     {"misc.exe", "fpicon.exe"},
     "misc.exe",
     "FrontPage.Application"},
    {"Microsoft Access",
     "Microsoft Access.lnk",
     {"accicons.exe", nullptr},
     "accicons.exe",
     "Access.Application"},
};

bool contains(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

bool leadsToIconProgram(const OfficeApplication& application, const char* target) {
  for (const char* icon : application.shortcutIcons) {
    if (icon != nullptr && contains(target, icon)) return true;
  }
  return false;
}

}  // namespace

const OfficeApplication* findOfficeApplication(const char* path, ShortcutTargetReader readTarget) {
  for (const OfficeApplication& application : kApplications) {
    // The shortcut is read afresh for each row whose name the path holds; an unreadable one
    // gives an empty target, so only the path test of the row remains.
    if (contains(path, application.shortcutName) &&
        leadsToIconProgram(application, readTarget(path))) {
      return &application;
    }
    if (contains(path, application.pathIcon)) return &application;
  }
  return nullptr;
}

CString officeNoticeText(const OfficeApplication& application) {
  CString text;
  text.Format(
      "ZORV was unable to determine the location of %s.  Please insert the shortcut manually, "
      "by right clicking on any Shortcut Pane",
      application.name);
  return text;
}
