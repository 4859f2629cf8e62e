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
  fitThumbnailSize(size, width, height);
  // The thumbnail is the square of the fitted side (at least 64), also for a size of 0 or less,
  // where the fitted width and height stay 0.
  const std::unique_ptr<BITMAPINFOHEADER, FreeDeleter> thumbnail(
      makeDibThumbnail(dib, size, size, kBox, kBox));
  if (!thumbnail) return CaptureResult::kNoThumbnail;
  if (fullPath != nullptr && !writeJpegFile(fullPath, dib)) {
    return CaptureResult::kFullPictureFailed;
  }
  if (!writeJpegFile(thumbnailPath, thumbnail.get())) return CaptureResult::kThumbnailFailed;
  return CaptureResult::kWritten;
}

}  // namespace dib
