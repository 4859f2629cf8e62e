#include "imaging/icon_pictures.h"

#include <cctype>
#include <cstring>

#include "imaging/file_icon.h"
#include "imaging/global_memory.h"
#include "imaging/imaging.h"

namespace {

// The two bitmaps GetIconInfo makes for the caller, deleted when the owner goes.
class IconBitmaps {
 public:
  explicit IconBitmaps(const ICONINFO& info) : color_(info.hbmColor), mask_(info.hbmMask) {}
  ~IconBitmaps() {
    if (color_ != nullptr) DeleteObject(color_);
    if (mask_ != nullptr) DeleteObject(mask_);
  }
  IconBitmaps(const IconBitmaps&) = delete;
  IconBitmaps& operator=(const IconBitmaps&) = delete;

  HBITMAP color() const { return color_; }

 private:
  HBITMAP color_;
  HBITMAP mask_;
};

bool writeDibHandleAsJpeg(HGLOBAL dib, const char* jpegPath) {
  const GlobalLockGuard lock(dib);
  if (lock.data() == nullptr) return false;
  return writeJpegFile(jpegPath, reinterpret_cast<const BITMAPINFOHEADER*>(lock.data())) != 0;
}

}  // namespace

bool saveIconAsJpeg(HICON icon, const char* jpegPath) {
  if (jpegPath == nullptr || *jpegPath == '\0' || icon == nullptr) return false;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  const IconBitmaps bitmaps(info);
  if (bitmaps.color() == nullptr) return false;  // a monochrome icon
  const ScopedGlobal dib(ddbToDib(bitmaps.color(), nullptr));
  if (dib.get() == nullptr) return false;
  return writeDibHandleAsJpeg(dib.get(), jpegPath);
}

bool saveFileIconAsJpeg(const char* folder, const char* fileName, const char* jpegPath) {
  if (folder == nullptr || fileName == nullptr) return false;
  const size_t folderLength = std::strlen(folder);
  const size_t nameLength = std::strlen(fileName);
  if (folderLength + 1 + nameLength > MAX_PATH - 1) return false;
  char path[MAX_PATH];
  std::memcpy(path, folder, folderLength);
  path[folderLength] = '\\';
  std::memcpy(path + folderLength + 1, fileName, nameLength + 1);
  for (char* c = path; *c != '\0'; ++c) {
    *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  }
  HICON icon = getFileIcon(path);
  if (icon == nullptr) return false;
  const bool saved = saveIconAsJpeg(icon, jpegPath);
  releaseFileIcon(icon);
  return saved;
}
