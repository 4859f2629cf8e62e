#pragma once

#include "imaging/jpeg_files.h"
#if __has_include("imaging/dib.h")
#include "imaging/dib.h"
#endif
