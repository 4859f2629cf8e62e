// Runs test code on a fresh thread whose COM has first been set up one of several ways.
#pragma once

#include <functional>
#include <ostream>

enum class ComSetup { kNone, kApartment, kMultithreaded, kOle };

std::ostream& operator<<(std::ostream& out, ComSetup setup);

// Sets up COM, runs body, then undoes the setup; all on one new thread, joined before return.
void runOnComThread(ComSetup setup, const std::function<void()>& body);

// After a module has started and ended OLE on such a thread: OLE is where the set-up left
// it, so starting it again is a first start (MTA threads cannot start OLE at all).
void expectOleAsSetUp(ComSetup setup);
