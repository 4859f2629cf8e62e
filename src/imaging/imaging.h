// The desktop utility library's pictures: DIBs, BMP files, thumbnails and JPEG files.
#pragma once

#include "imaging/dib.h"
#include "imaging/jpeg_files.h"
#include "imaging/picture_writers.h"
