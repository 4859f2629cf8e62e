// The framed thumbnail of a picture already held as a DIB.
#pragma once

#include "common/win_types.h"

namespace dib {

// Reports the DIB's width and height, fits them and the size with fitThumbnailSize, makes the
// size x size thumbnail with a 3 x 3 box, frames it in black and writes it as a JPEG file.
bool writeFramedThumbnail(const BITMAPINFOHEADER* dib, int size, int& width, int& height,
                          const char* jpegPath);

// The thumbnail's frame: black, 5 pixels wide.
void frameThumbnail(BITMAPINFOHEADER* thumbnail);

}  // namespace dib
