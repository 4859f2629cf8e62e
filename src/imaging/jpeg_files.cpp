#include "imaging/jpeg_files.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "imaging/jpeg_layer.h"
#include "imaging/jpeg_limits.h"

namespace {

constexpr int kWriteQuality = 85;

// Releases the layer's state on every way out.
class ScopedJpegProperties {
 public:
  ScopedJpegProperties() : initialised_(jpegInitialise(&properties_) == kJpegOk) {}
  ~ScopedJpegProperties() {
    if (initialised_) jpegRelease(&properties_);
  }
  ScopedJpegProperties(const ScopedJpegProperties&) = delete;
  ScopedJpegProperties& operator=(const ScopedJpegProperties&) = delete;

  bool initialised() const { return initialised_; }
  JpegProperties* operator->() { return &properties_; }
  JpegProperties* get() { return &properties_; }

 private:
  JpegProperties properties_;
  bool initialised_;
};

// A 24-bit DIB whose pixel rows follow the 40-byte header directly, of a size the caps allow.
// A biSizeImage other than 0 must cover the rows.
bool isWritableDib(const BITMAPINFOHEADER* dib) {
  if (dib == nullptr || dib->biSize != sizeof(BITMAPINFOHEADER) || dib->biBitCount != 24 ||
      dib->biCompression != 0 || dib->biClrUsed != 0)
    return false;
  if (!jpegSizeAllowed(dib->biWidth, dib->biHeight)) return false;
  const std::int64_t rowBytes = dibStride24(dib->biWidth) * dib->biHeight;
  return dib->biSizeImage == 0 || dib->biSizeImage >= rowBytes;
}

BYTE* pixelsOf(const BITMAPINFOHEADER* dib) {
  return const_cast<BYTE*>(reinterpret_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER));
}

BITMAPINFOHEADER* newDib(int width, int height) {
  const std::int64_t size = sizeof(BITMAPINFOHEADER) + dibStride24(width) * height;
  void* block = ::operator new(static_cast<std::size_t>(size), std::nothrow);
  if (block == nullptr) return nullptr;
  BITMAPINFOHEADER* dib = static_cast<BITMAPINFOHEADER*>(block);
  *dib = BITMAPINFOHEADER{};
  dib->biSize = sizeof(BITMAPINFOHEADER);
  dib->biWidth = width;
  dib->biHeight = height;
  dib->biPlanes = 1;
  dib->biBitCount = 24;
  // The decoder writes only the pixels: clear the padding, so that no stale heap bytes reach a
  // file written from this DIB.
  const std::int64_t stride = dibStride24(width);
  const std::int64_t padding = stride - 3 * width;
  BYTE* row = reinterpret_cast<BYTE*>(dib) + sizeof(BITMAPINFOHEADER);
  for (int y = 0; padding != 0 && y < height; ++y, row += stride)
    std::memset(row + 3 * width, 0, static_cast<std::size_t>(padding));
  return dib;
}

// The DIB's rows go to the layer bottom-up (negative height), so the file comes out upright.
void describeDib(JpegProperties& p, BITMAPINFOHEADER* dib) {
  p.dibPixels = pixelsOf(dib);
  p.dibWidth = dib->biWidth;
  p.dibHeight = -dib->biHeight;
  p.dibChannels = 3;
  p.dibColor = kJpegColorBgr;
  p.dibPadding = static_cast<int>(dibStride24(dib->biWidth) - 3 * dib->biWidth);
}

bool readInto(ScopedJpegProperties& p, const char* path, BITMAPINFOHEADER*& dib) {
  if (!p.initialised()) return false;
  p->jpegFile = path;
  if (jpegReadParameters(p.get()) != kJpegOk) return false;
  // The layer has checked the size against the caps, so the DIB's size fits 32 bits.
  if (!jpegSizeAllowed(p->jpegWidth, p->jpegHeight)) return false;
  dib = newDib(p->jpegWidth, p->jpegHeight);
  if (dib == nullptr) return false;
  describeDib(*p.get(), dib);
  p->jpegColor = p->jpegChannels == 1   ? kJpegColorGrey
                 : p->jpegChannels == 3 ? kJpegColorYcbcr
                                        : kJpegColorOther;
  if (p->jpegColor == kJpegColorOther) p->dibColor = kJpegColorOther;
  return jpegReadPicture(p.get()) == kJpegOk;
}

}  // namespace

int writeJpegFile(const char* path, const BITMAPINFOHEADER* dib) {
  ScopedJpegProperties p;
  if (!p.initialised() || path == nullptr || !isWritableDib(dib)) return 0;
  describeDib(*p.get(), const_cast<BITMAPINFOHEADER*>(dib));
  p->jpegFile = path;
  p->jpegWidth = dib->biWidth;
  p->jpegHeight = dib->biHeight;
  p->jpegChannels = 3;
  p->jpegColor = kJpegColorYcbcr;
  p->jpegSubsampling = kJpegSubsampling411;
  p->jpegQuality = kWriteQuality;
  return jpegWritePicture(p.get()) == kJpegOk ? 1 : 0;
}

int readJpegFile(const char* path, BITMAPINFOHEADER** dib) {
  if (dib == nullptr) return 0;
  *dib = nullptr;
  if (path == nullptr) return 0;
  ScopedJpegProperties p;
  BITMAPINFOHEADER* picture = nullptr;
  if (!readInto(p, path, picture)) {
    ::operator delete(picture);
    return 0;
  }
  *dib = picture;
  return 1;
}
