// Resource identifiers of the module, shared by the resource script and the code.
#pragma once

// The hidden frame's resource: its menu.
#define IDR_MAINFRAME 101
// The menu's one command.
#define ID_TEST_COMMAND 0xFFFF
