// JPEG pictures made from DIBs: captures with their thumbnails, and square framed thumbnails of
// BMP and JPEG files. Every thumbnail and DIB made inside a call is freed before it returns;
// DIB handles passed in stay the caller's and are left unlocked.
#pragma once

#include "common/win_types.h"

// A framed thumbnail of a JPEG file: the picture stretched to a size x size square (size fitted
// by fitThumbnailSize), blurred with a 3 x 3 box when larger than the square, a black frame 5
// pixels wide, written as a JPEG file. width and height receive the picture's proportions
// fitted into the square. The picture streams through the decoder and is never held whole.
bool framedThumbnailFromJpeg(const char* source, int size, int& width, int& height,
                             const char* jpegPath);

#ifdef _WIN32
// The DIB handle's picture resized (blurred with the box first when larger) as a JPEG file, and
// the whole picture as another when fullPath is not null. Logs nothing.
bool writeThumbnailJpeg(HGLOBAL dib, const char* thumbnailPath, int width, int height, int boxWidth,
                        int boxHeight, const char* fullPath);
// A capture: the whole picture at fullPath (when not null), and a square thumbnail of side
// size (at least 64) at thumbnailPath. A failed write is logged with its path.
bool writeBmpToCaptures(HGLOBAL dib, const char* thumbnailPath, const char* fullPath, int size);
// framedThumbnailFromJpeg for a bitmap file loaded by the system.
bool framedThumbnailFromBmp(const char* source, int size, int& width, int& height,
                            const char* jpegPath);
// kind 1: a BMP file, kind 2: a JPEG file; any other kind is refused without reading.
bool makeFramedThumbnail(const char* source, int kind, int size, int& width, int& height,
                         const char* jpegPath);
#endif
