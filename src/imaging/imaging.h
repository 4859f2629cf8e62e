// The desktop utility library's pictures: DIBs, BMP files, thumbnails and JPEG files.
#pragma once

#include "imaging/dib.h"
#if __has_include("imaging/jpeg_files.h")
#include "imaging/jpeg_files.h"
#endif
