// Text helpers of the GameModule bridge, free of Win32 so they are tested natively.
#pragma once

#include <cstddef>

namespace xtra {

// The folder below the installation folder that holds GameModules.
constexpr char kGameModuleFolder[] = "ZORV_Desktop\\Xtras\\";

// Compares two names without regard to ASCII letter case, as _stricmp does in the C locale.
bool sameNameIgnoringCase(const char* a, const char* b);

// Writes installDir + ("\" unless it ends in one) + "ZORV_Desktop\Xtras\" + name into out.
// The folder is plain text (a percent sign stands for itself). Returns false, with out
// emptied, when the path would not fit outSize bytes: such a path is never loaded.
bool composeGameModulePath(const char* installDir, const char* name, char* out,
                           std::size_t outSize);

}  // namespace xtra
