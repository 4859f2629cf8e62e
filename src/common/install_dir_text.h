// Shaping the installation folder read from the registry. Platform-neutral.
#pragma once

#include <cstddef>

// Makes the bytesRead raw bytes of a registry value in dir (a buffer of capacity bytes) a
// NUL-terminated folder text that ends with a backslash. Terminates data stored without a
// terminator or of another value type; appends the backslash when missing, also to an empty
// text. False when bytesRead leaves no room for the terminator or the text with its
// backslash does not fit.
bool finishInstallDirText(char* dir, std::size_t bytesRead, std::size_t capacity);
