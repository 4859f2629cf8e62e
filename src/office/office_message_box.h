// Where locateOfficeApplication tells the user that it could not find an application. By
// default a modal MessageBoxA with no owner and an OK button. A console program that must not
// block on a box nobody may see (zorvdesk) puts its own notice here; null restores the box.
#pragma once

using OfficeMessageBox = void (*)(const char* text, const char* caption);

void setOfficeMessageBox(OfficeMessageBox messageBox);
