// A screen bitmap (device-dependent) read out as a packed DIB in a movable global block.
#include <cstring>

#include "imaging/dib.h"
#include "imaging/global_memory.h"

namespace {

// The screen's device context with a palette selected and realised; the previous palette is
// selected back (as a background palette) and realised, and the context released, on every way
// out.
class ScreenWithPalette {
 public:
  explicit ScreenWithPalette(HPALETTE palette) : dc_(GetDC(nullptr)) {
    if (dc_ == nullptr) return;
    previous_ = SelectPalette(dc_, palette, FALSE);
    RealizePalette(dc_);
  }
  ~ScreenWithPalette() {
    if (dc_ == nullptr) return;
    if (previous_ != nullptr) {
      SelectPalette(dc_, previous_, TRUE);
      RealizePalette(dc_);
    }
    ReleaseDC(nullptr, dc_);
  }
  ScreenWithPalette(const ScreenWithPalette&) = delete;
  ScreenWithPalette& operator=(const ScreenWithPalette&) = delete;

  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HPALETTE previous_ = nullptr;
};

WORD dibBitCount(const BITMAP& bitmap) {
  const int bits = bitmap.bmPlanes * bitmap.bmBitsPixel;
  if (bits <= 1) return 1;
  if (bits <= 4) return 4;
  if (bits <= 8) return 8;
  return 24;
}

BITMAPINFOHEADER headerFor(const BITMAP& bitmap) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = bitmap.bmWidth;
  header.biHeight = bitmap.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = dibBitCount(bitmap);
  return header;
}

// Lets the platform fill in the header (biSizeImage above all) and the colour table.
bool askFormat(HDC dc, HBITMAP bitmap, HGLOBAL block, BITMAPINFOHEADER& header) {
  GlobalLockGuard lock(block);
  if (lock.data() == nullptr) return false;
  std::memcpy(lock.data(), &header, sizeof header);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(header.biHeight), nullptr,
            reinterpret_cast<BITMAPINFO*>(lock.data()), DIB_RGB_COLORS);
  std::memcpy(&header, lock.data(), sizeof header);
  return true;
}

bool readPixels(HDC dc, HBITMAP bitmap, HGLOBAL block, BITMAPINFOHEADER& header) {
  GlobalLockGuard lock(block);
  if (lock.data() == nullptr) return false;
  BYTE* pixels = lock.data() + header.biSize + dibColorTableSize(lock.data());
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(header.biHeight), pixels,
                reinterpret_cast<BITMAPINFO*>(lock.data()), DIB_RGB_COLORS) == 0) {
    return false;
  }
  std::memcpy(&header, lock.data(), sizeof header);
  return true;
}

}  // namespace

HGLOBAL ddbToDib(HBITMAP bitmap, HPALETTE palette) {
  BITMAP description;
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof description, &description) == 0) {
    return nullptr;
  }
  if (palette == nullptr) palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  BITMAPINFOHEADER header = headerFor(description);
  ScreenWithPalette screen(palette);
  ScopedGlobal block(
      GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header.biSize + dibColorTableSize(&header)));
  if (block.get() == nullptr || !askFormat(screen.dc(), bitmap, block.get(), header)) {
    return nullptr;
  }
  if (header.biSizeImage == 0) {
    // Row bytes padded to 4 times the rows; a size beyond 32 bits is refused rather than
    // wrapped.
    const ULONGLONG rowBytes =
        (static_cast<ULONGLONG>(static_cast<DWORD>(header.biWidth)) * header.biBitCount + 31) / 32 *
        4;
    const ULONGLONG size = rowBytes * static_cast<DWORD>(header.biHeight);
    if (size > MAXDWORD) return nullptr;
    header.biSizeImage = static_cast<DWORD>(size);
  }
  const ULONGLONG blockSize =
      ULONGLONG{header.biSize} + dibColorTableSize(&header) + header.biSizeImage;
  if (blockSize > MAXDWORD || !block.resize(static_cast<SIZE_T>(blockSize))) return nullptr;
  if (!readPixels(screen.dc(), bitmap, block.get(), header)) return nullptr;
  return block.release();
}
