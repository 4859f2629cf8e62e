// The text work of the file association lookup. Platform-neutral.
#pragma once

#include <cstddef>

// Turns an "open" command line (at most MAX_PATH - 1 characters) in place into the program it
// runs: ASCII lower case, leading double quotes removed, cut at the first remaining quote and
// after the first ".exe". Arguments of a program without ".exe" stay. Environment variables
// are left as they are. False for a command that starts with "rundll32.exe" (no program of
// its own); the text is then undefined.
bool programFromOpenCommand(char* command);

// The name a program gets without a cached one, into name (MAX_PATH bytes): the text after the
// path's last backslash (the whole path when it has none), without the extension from its last
// dot, cut to MAX_PATH - 1 characters.
void programTitleFromPath(const char* path, char* name);

// Replaces every "(" by "{" and every ")" by "}".
void replaceBrackets(char* text);

// Terminates the bytesRead bytes a registry read left in a buffer of capacity bytes. A read that
// filled the whole buffer must carry its own terminator; without one the text does not fit
// and false is returned. Data of any value type ends at its first NUL.
bool terminateRegistryText(char* buffer, std::size_t bytesRead, std::size_t capacity);

// The numbered log texts that name an extension, a class or a path: format holds one "%s", and
// the line is cut to MAX_PATH - 1 characters (the buffer the log texts are formed in).
void logWithText(const char* format, const char* text);
