// Packed device-independent bitmaps (DIBs): a 40-byte BITMAPINFOHEADER, an optional colour
// table, then bottom-up pixel rows padded to 4 bytes. Screen bitmaps become DIB handles, DIB
// handles become BMP files, and 24-bit DIB buffers (one malloc block, header first, freed by the
// caller with free) are framed, blurred, resized and made into thumbnails.
#pragma once

#include "common/win_types.h"

#ifdef _WIN32
// A new movable global block holding the bitmap as a packed DIB of 1, 4, 8 or 24 bits, or null.
// The palette (or the default one when null) is realised on the screen while the bits are read.
HGLOBAL ddbToDib(HBITMAP bitmap, HPALETTE palette);
// Writes a BMP file: the 14-byte file header, then the handle's whole memory block.
bool writeDibToBmpFile(const char* path, HGLOBAL dib);
#endif

// Colour table entries of a 40-byte header or of a 12-byte core header.
WORD dibColorCount(const void* header);
// The colour table's size in bytes: 4 per entry after a 40-byte header, 3 after a core header.
WORD dibColorTableSize(const void* header);

// color: blue, green, red. Pixel (x, y) counts stored rows: y 0 is the picture's bottom row.
void setDibPixel(BITMAPINFOHEADER* dib, int x, int y, const BYTE* color);
// A frame 5 pixels wide along all four edges, clipped to the picture.
void drawDibBorder(BITMAPINFOHEADER* dib, const BYTE* color);
// Box blur of the same size; an even box reaches one pixel further left and down.
BITMAPINFOHEADER* blurDib(const BITMAPINFOHEADER* dib, int boxWidth, int boxHeight);
// Nearest-neighbour resize.
BITMAPINFOHEADER* resizeDib(const BITMAPINFOHEADER* dib, int width, int height);
// Resize to width x height, blurred first with the box when the larger side exceeds width.
BITMAPINFOHEADER* makeDibThumbnail(const BITMAPINFOHEADER* dib, int width, int height, int boxWidth,
                                   int boxHeight);

// The largest power of two not above four thirds of value.
int roundToPowerOfTwo(int value);
// Fixes the thumbnail's side and fits the picture's width and height into that square.
void fitThumbnailSize(int& size, int& width, int& height);
