// Pictures: framed thumbnails of BMP and JPEG files, and screen captures.
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "command.h"
#include "imaging/imaging.h"
#include "picture_reasons.h"

namespace zorvdesk {
namespace {

int thumbnail(const Arguments& args);
int capture(const Arguments& args);

const Command kThumbnail{"thumbnail", "thumbnail SOURCE SIZE OUT.jpg",
                         "writes a framed square thumbnail of a BMP or JPEG file (told apart by "
                         "content); prints the fitted width and height",
                         thumbnail};
const Command kCapture{"capture", "capture THUMB.jpg [FULL.jpg] [SIZE]",
                       "captures the screen: a square thumbnail (side SIZE, default 128, at "
                       "least 64) and the whole screen as JPEG files",
                       capture};

constexpr int kDefaultCaptureSize = 128;

// A positive decimal number of at most 65,536 (larger thumbnails make no sense).
bool parseSize(const std::string& word, int& size) {
  if (word.empty() || word.size() > 5 ||
      word.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  size = std::atoi(word.c_str());
  return size > 0 && size <= 65536;
}

// 1 for a BMP file ("BM"), 2 for a JPEG file (FF D8 FF), 0 for anything else or no file.
int pictureKind(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  unsigned char start[3] = {};
  const std::size_t read = std::fread(start, 1, sizeof start, file);
  std::fclose(file);
  if (read >= 2 && start[0] == 'B' && start[1] == 'M') return kBmpKind;
  if (read == 3 && start[0] == 0xFF && start[1] == 0xD8 && start[2] == 0xFF) return kJpegKind;
  return 0;
}

int thumbnail(const Arguments& args) {
  if (args.size() != 3) return usageError(kThumbnail, "thumbnail takes SOURCE, SIZE and OUT.jpg");
  int size = 0;
  if (!parseSize(args[1], size)) {
    return usageError(kThumbnail, "SIZE must be a whole number from 1 to 65536: '" + args[1] + "'");
  }
  const int kind = pictureKind(args[0]);
  if (kind < 0) {
    std::fprintf(stderr, "zorvdesk: cannot open '%s'\n", args[0].c_str());
    return kFailed;
  }
  if (kind == 0) {
    std::fprintf(stderr, "zorvdesk: '%s' is neither a BMP nor a JPEG file\n", args[0].c_str());
    return kFailed;
  }
  int width = 0;
  int height = 0;
  if (!makeFramedThumbnail(args[0].c_str(), kind, size, width, height, args[2].c_str())) {
    const std::string reason = thumbnailFailure(args[0], kind, args[2]);
    if (!reason.empty()) {
      std::fprintf(stderr, "zorvdesk: %s\n", reason.c_str());
    } else {
      std::fprintf(stderr, "zorvdesk: no thumbnail of '%s' could be written to '%s'\n",
                   args[0].c_str(), args[2].c_str());
    }
    return kFailed;
  }
  std::printf("%d %d\n", width, height);
  return kOk;
}

// A device bitmap deleted when it goes.
class OwnedBitmap {
 public:
  explicit OwnedBitmap(HBITMAP bitmap = nullptr) : bitmap_(bitmap) {}
  ~OwnedBitmap() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  OwnedBitmap(const OwnedBitmap&) = delete;
  OwnedBitmap& operator=(const OwnedBitmap&) = delete;
  OwnedBitmap(OwnedBitmap&& other) noexcept : bitmap_(other.bitmap_) { other.bitmap_ = nullptr; }

  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

// The screen copied into a device bitmap of its size, or null.
OwnedBitmap copyScreen() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return OwnedBitmap();
  HDC memory = CreateCompatibleDC(screen);
  OwnedBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  bool copied = false;
  if (memory != nullptr && bitmap.get() != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap.get());
    copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    SelectObject(memory, previous);
  }
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return copied ? std::move(bitmap) : OwnedBitmap();
}

// What the screen shows. A display that cannot be read (Wine's headless driver) can be stood in
// for by a bitmap file named in ZORVDESK_SCREEN_BITMAP, loaded as a device bitmap like a screen.
OwnedBitmap screenBitmap() {
  const char* standIn = std::getenv("ZORVDESK_SCREEN_BITMAP");
  if (standIn != nullptr && *standIn != '\0') {
    return OwnedBitmap(
        static_cast<HBITMAP>(LoadImageA(nullptr, standIn, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  }
  return copyScreen();
}

// A DIB handle freed when it goes.
struct DibHandle {
  HGLOBAL handle;
  ~DibHandle() {
    if (handle != nullptr) GlobalFree(handle);
  }
};

bool isDigits(const std::string& word) {
  return !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
}

// With two words, a second word of digits only is the size, any other the full picture's path.
int capture(const Arguments& args) {
  if (args.empty() || args.size() > 3) {
    return usageError(kCapture, "capture takes THUMB.jpg, then FULL.jpg and SIZE if wanted");
  }
  const bool sizeLast = args.size() == 3 || (args.size() == 2 && isDigits(args[1]));
  const std::string* fullPath =
      args.size() == 3 || (args.size() == 2 && !sizeLast) ? &args[1] : nullptr;
  int size = kDefaultCaptureSize;
  if (sizeLast && !parseSize(args.back(), size)) {
    return usageError(kCapture,
                      "SIZE must be a whole number from 1 to 65536: '" + args.back() + "'");
  }
  const OwnedBitmap screen = screenBitmap();
  const DibHandle dib{ddbToDib(screen.get(), nullptr)};
  if (dib.handle == nullptr) {
    std::fprintf(stderr, "zorvdesk: the screen could not be captured\n");
    return kFailed;
  }
  if (!writeBmpToCaptures(dib.handle, args[0].c_str(), fullPath ? fullPath->c_str() : nullptr,
                          size)) {
    std::fprintf(stderr,
                 "zorvdesk: the capture could not be written (a screen of 256 colours or fewer, "
                 "or a path that cannot be written)\n");
    return kFailed;
  }
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib.handle));
  std::printf("captured %ldx%ld\n", static_cast<long>(header->biWidth),
              static_cast<long>(header->biHeight));
  GlobalUnlock(dib.handle);
  return kOk;
}

const CommandRegistration registerThumbnail(kThumbnail);
const CommandRegistration registerCapture(kCapture);

}  // namespace
}  // namespace zorvdesk
