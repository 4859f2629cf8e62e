// What this process holds, for tests that prove nothing is left behind. On Windows the GDI and
// USER counts come from GetGuiResources. Under Wine, where that, GetProcessHandleCount and the
// memory counters read 0, every count comes from the tables themselves: the process's entries in
// the system handle list, the used slots of its GDI handle table, its windows and USER handles.
#pragma once

#include <ostream>

struct ProcessResources {
  long kernelObjects = 0;   // handles other than registry keys
  long registryKeys = 0;    // stays 0 where the system handle list is refused: keys count as kernel
  long gdiObjects = 0;      // stock objects left out
  long userObjects = 0;     // windows, menus, icons and cursors
  long long heapBytes = 0;  // busy bytes of every heap
};

// Counts now, leaving the heaps as they were and creating no handle or object. Under Wine a
// thread's first top-level window brings a "Default IME" window that goes with its last, and a
// process's first DC sets up lasting GDI objects: compare after a warm-up.
ProcessResources processResources();

ProcessResources operator-(const ProcessResources& a, const ProcessResources& b);
bool operator==(const ProcessResources& a, const ProcessResources& b);
std::ostream& operator<<(std::ostream& out, const ProcessResources& r);
