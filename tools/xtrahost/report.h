// What xtrahost prints about a module: its class table and its registration entries.
#pragma once

#include <ostream>

#include "loaded_module.h"

namespace xtrahost {

// Prints every class table entry and each class's instance size; false when the table cannot
// be read.
bool printClassTable(LoadedModule& module, std::ostream& out);

// Registers the module and prints every entry and put (text values as text, line by line);
// gives Register's result.
XtraResult printRegistration(LoadedModule& module, std::ostream& out);

}  // namespace xtrahost
