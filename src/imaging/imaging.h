// The desktop utility library's pictures: DIBs, BMP files, thumbnails, JPEG files and file icons.
#pragma once

#include "imaging/dib.h"
#ifdef _WIN32
#include "imaging/file_icon.h"
#include "imaging/icon_pictures.h"
#endif
#include "imaging/jpeg_files.h"
#include "imaging/picture_writers.h"
