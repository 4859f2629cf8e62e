// The files of a capture, from a DIB already held: the whole picture and a square thumbnail.
#pragma once

#include "common/win_types.h"

namespace dib {

enum class CaptureResult {
  kWritten,
  kNoThumbnail,        // not a plain 24-bit DIB, or no memory for the thumbnail
  kFullPictureFailed,  // nothing written
  kThumbnailFailed,    // the full picture (if asked for) is written
};

// Makes the thumbnail (side size fitted by fitThumbnailSize: the size, at least 64) with a 3 x 3
// box, writes the whole picture to fullPath when it is not null, then the thumbnail.
CaptureResult writeCaptureFiles(const BITMAPINFOHEADER* dib, const char* thumbnailPath,
                                const char* fullPath, int size);

}  // namespace dib
