// The guard of every entry from the host into the module's own code: the module's framework
// state is made current and the temporary-object maps are locked; both are undone, in the
// reverse order, on every way out of the scope.
#pragma once

#include "afx/module_state.h"

namespace xtra {

class ModuleGuard {
 public:
  ModuleGuard() { AfxLockTempMaps(state_.threadState()); }
  ~ModuleGuard() { AfxUnlockTempMaps(state_.threadState(), TRUE); }
  ModuleGuard(const ModuleGuard&) = delete;
  ModuleGuard& operator=(const ModuleGuard&) = delete;

 private:
  // Constructed before the lock is taken and destroyed after it is released.
  AFX_MAINTAIN_STATE2 state_{AfxGetStaticModuleState()};
};

// Only the module state, for entries that touch no framework objects.
class ModuleStateGuard {
 public:
  ModuleStateGuard() = default;
  ModuleStateGuard(const ModuleStateGuard&) = delete;
  ModuleStateGuard& operator=(const ModuleStateGuard&) = delete;

 private:
  AFX_MAINTAIN_STATE2 state_{AfxGetStaticModuleState()};
};

}  // namespace xtra
