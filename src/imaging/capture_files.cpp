#include "imaging/capture_files.h"

#include <memory>

#include "imaging/dib.h"
#include "imaging/dib_layout.h"
#include "imaging/jpeg_files.h"

namespace dib {

CaptureResult writeCaptureFiles(const BITMAPINFOHEADER* dib, const char* thumbnailPath,
                                const char* fullPath, int size) {
  constexpr int kBox = 3;
  int width = size;
  int height = size;
  fitThumbnailSize(size, width, height);  // width and height equal: a square of side size
  const std::unique_ptr<BITMAPINFOHEADER, FreeDeleter> thumbnail(
      makeDibThumbnail(dib, width, height, kBox, kBox));
  if (!thumbnail) return CaptureResult::kNoThumbnail;
  if (fullPath != nullptr && !writeJpegFile(fullPath, dib)) {
    return CaptureResult::kFullPictureFailed;
  }
  if (!writeJpegFile(thumbnailPath, thumbnail.get())) return CaptureResult::kThumbnailFailed;
  return CaptureResult::kWritten;
}

}  // namespace dib
