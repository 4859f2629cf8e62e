// Icons saved as JPEG pictures.
#pragma once

#include "common/win_types.h"

// Writes the icon's colour picture as a JPEG file. False for an empty or null path, a null icon
// (neither is touched), a monochrome icon (it has no colour picture) or a failed conversion or
// write. The icon stays the caller's; the bitmaps and DIB made from it are freed on every path.
bool saveIconAsJpeg(HICON icon, const char* jpegPath);

// Writes the icon of <folder>\<fileName> (lower-cased) as a JPEG file. False when the file has no
// icon, or when the joined path is longer than 259 characters: a cut path would name another
// file, so such a path is refused without looking anything up.
bool saveFileIconAsJpeg(const char* folder, const char* fileName, const char* jpegPath);
