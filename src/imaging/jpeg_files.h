// JPEG files to and from 24-bit packed DIBs (a 40-byte header, then bottom-up B, G, R rows
// padded to 4 bytes).
#pragma once

#include "common/win_types.h"

// Writes the DIB as a JPEG file: quality 85, YCbCr, luma sampled 2x2, the picture upright.
// Refuses, before reading a pixel, a DIB that is not 24-bit, has a colour table or compression,
// a width or height of 0 or less, or a size beyond the JPEG caps (see jpeg_limits.h).
// Returns non-zero on success; a failed write leaves no file behind.
int writeJpegFile(const char* path, const BITMAPINFOHEADER* dib);

// Reads a JPEG file into a new 24-bit DIB (biSizeImage 0) allocated with
// ::operator new(size, std::nothrow); the caller destroys it with ::operator delete.
// Grey pictures come back with three equal channels. CMYK and YCCK files are refused.
// Returns non-zero on success; *dib is the new DIB, or null after any failure.
int readJpegFile(const char* path, BITMAPINFOHEADER** dib);
