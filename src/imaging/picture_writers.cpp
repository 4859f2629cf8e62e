// The picture writers that take DIB handles or load bitmap files through the system.
#include "imaging/picture_writers.h"

#include <cstdlib>
#include <memory>

#include "afx/cstring.h"
#include "common/log.h"
#include "imaging/capture_files.h"
#include "imaging/dib.h"
#include "imaging/dib_layout.h"
#include "imaging/framed_thumbnail.h"
#include "imaging/jpeg_files.h"

namespace {

// A locked DIB handle that holds a plain 24-bit DIB (no colour table) within its block;
// unlocked when it goes. dib() is null for any other handle.
class LockedRgbDib {
 public:
  explicit LockedRgbDib(HGLOBAL handle)
      : handle_(handle), data_(handle != nullptr ? GlobalLock(handle) : nullptr) {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(data_);
    if (header == nullptr || GlobalSize(handle) < dib::kHeaderSize) return;
    if (!dib::isPlainRgbDib(header)) return;
    const std::uint64_t needed =
        dib::kHeaderSize + std::uint64_t{dib::rowStride(header->biWidth)} * header->biHeight;
    if (GlobalSize(handle) >= needed) dib_ = header;
  }
  ~LockedRgbDib() { unlock(); }
  void unlock() {
    if (data_ != nullptr) GlobalUnlock(handle_);
    data_ = nullptr;
    dib_ = nullptr;
  }
  LockedRgbDib(const LockedRgbDib&) = delete;
  LockedRgbDib& operator=(const LockedRgbDib&) = delete;

  const BITMAPINFOHEADER* dib() const { return dib_; }

 private:
  HGLOBAL handle_;
  void* data_;
  const BITMAPINFOHEADER* dib_ = nullptr;
};

using Thumbnail = std::unique_ptr<BITMAPINFOHEADER, dib::FreeDeleter>;

void logWriteFailure(const char* path) {
  CString line;
  line.Format("ERROR writeBmpToCaptures %s", path != nullptr ? path : "(null)");
  logMessage(line);
  logLastError();
}

// Owns a loaded bitmap and the DIB handle made from it.
struct LoadedBitmap {
  HBITMAP bitmap = nullptr;
  HGLOBAL dib = nullptr;
  ~LoadedBitmap() {
    if (dib != nullptr) GlobalFree(dib);
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
};

}  // namespace

bool writeThumbnailJpeg(HGLOBAL dib, const char* thumbnailPath, int width, int height, int boxWidth,
                        int boxHeight, const char* fullPath) {
  LockedRgbDib locked(dib);
  if (locked.dib() == nullptr) return false;
  const Thumbnail thumbnail(makeDibThumbnail(locked.dib(), width, height, boxWidth, boxHeight));
  if (!thumbnail) return false;
  if (fullPath != nullptr && !writeJpegFile(fullPath, locked.dib())) return false;
  return writeJpegFile(thumbnailPath, thumbnail.get()) != 0;
}

bool writeBmpToCaptures(HGLOBAL dib, const char* thumbnailPath, const char* fullPath, int size) {
  LockedRgbDib locked(dib);
  if (locked.dib() == nullptr) return false;
  switch (dib::writeCaptureFiles(locked.dib(), thumbnailPath, fullPath, size)) {
    case dib::CaptureResult::kWritten:
      return true;
    case dib::CaptureResult::kFullPictureFailed:
      // The handle is unlocked before the failure is logged; a failed thumbnail is logged while
      // the handle is still locked.
      locked.unlock();
      logWriteFailure(fullPath);
      return false;
    case dib::CaptureResult::kThumbnailFailed:
      logWriteFailure(thumbnailPath);
      return false;
    default:
      return false;
  }
}

bool framedThumbnailFromBmp(const char* source, int size, int& width, int& height,
                            const char* jpegPath) {
  if (source == nullptr) return false;
  LoadedBitmap loaded;
  loaded.bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, source, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (loaded.bitmap == nullptr) return false;
  loaded.dib = ddbToDib(loaded.bitmap, nullptr);
  if (loaded.dib == nullptr) return false;
  LockedRgbDib locked(loaded.dib);
  if (locked.dib() == nullptr) return false;  // not 24-bit: a screen of 256 colours or fewer
  return dib::writeFramedThumbnail(locked.dib(), size, width, height, jpegPath);
}

bool makeFramedThumbnail(const char* source, int kind, int size, int& width, int& height,
                         const char* jpegPath) {
  switch (kind) {
    case 1:
      return framedThumbnailFromBmp(source, size, width, height, jpegPath);
    case 2:
      return framedThumbnailFromJpeg(source, size, width, height, jpegPath);
    default:
      return false;
  }
}
