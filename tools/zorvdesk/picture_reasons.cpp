#include "picture_reasons.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "imaging/jpeg_limits.h"
#include "imaging/jpeg_scanline_reader.h"

namespace zorvdesk {
namespace {

std::string quoted(const std::string& path) { return "'" + path + "'"; }

// The system's text for an error code without its line end, or "error N" when it has none.
std::string systemText(DWORD code) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result.empty() ? "error " + std::to_string(code) : result;
}

// Which of the caps a picture is beyond: a side, the pixel count, else the scans.
std::string tooLarge(const std::string& source, int width, int height) {
  const std::string start = quoted(source) +
                            " is larger than the limits: " + std::to_string(width) + "x" +
                            std::to_string(height) + " pixels";
  if (width > kJpegMaxSide || height > kJpegMaxSide)
    return start + ", more than " + std::to_string(kJpegMaxSide) + " on a side";
  if (std::int64_t{width} * height > kJpegMaxPixels)
    return start + ", more than " + std::to_string(kJpegMaxPixels) + " in all (64 Mpx)";
  return start + " in more than " + std::to_string(kJpegMaxScans) + " scans";
}

std::string jpegReason(const std::string& source, const JpegScanlineReader& reader) {
  switch (reader.status()) {
    case kJpegOk:
      return "";
    case kJpegCannotOpen:
      return "cannot open " + quoted(source);
    case kJpegNotJpeg:
      return quoted(source) + " is not a JPEG picture";
    case kJpegCutShort:
      return quoted(source) + " is cut short: the file ends before the picture does";
    case kJpegTooLarge:
      return tooLarge(source, reader.width(), reader.height());
    case kJpegUnsupported:
      return quoted(source) + " has a colour model that is not supported (such as CMYK or " +
             "YCCK; grey, YCbCr and RGB are)";
    case kJpegNoMemory:
      return "there is not enough memory to decode " + quoted(source);
    default:
      return quoted(source) + " is damaged: its picture data cannot be decoded";
  }
}

// Decodes the whole picture, as the thumbnail does, to find what stops it.
std::string jpegSourceReason(const std::string& source) {
  JpegScanlineReader reader;
  if (reader.open(source.c_str())) {
    std::vector<BYTE> row(static_cast<std::size_t>(reader.width()) * 3);
    while (reader.nextRow() < reader.height() && reader.readRow(row.data())) {
    }
  }
  return jpegReason(source, reader);
}

// Loaded as the library loads it: as a device bitmap, which must have more than 8 bits.
std::string bmpSourceReason(const std::string& source) {
  SetLastError(0);
  const HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, source.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) {
    const DWORD error = GetLastError();
    return quoted(source) + " cannot be loaded as a bitmap: " +
           (error != 0 ? systemText(error) : "the system gives no reason");
  }
  BITMAP description{};
  GetObjectA(bitmap, sizeof description, &description);
  DeleteObject(bitmap);
  const int bits = description.bmPlanes * description.bmBitsPixel;
  if (bits > 8) return "";
  return quoted(source) + " is not a 24-bit picture: it loads as a bitmap of " +
         std::to_string(bits) + " bit" + (bits == 1 ? "" : "s") + " per pixel";
}

// Opened for writing as the writer opens it; a file made only for the test goes again.
std::string destinationReason(const std::string& out) {
  const HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return quoted(out) + " cannot be written: " + systemText(GetLastError());
  }
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  CloseHandle(file);
  if (!existed) DeleteFileA(out.c_str());
  return "";
}

}  // namespace

std::string thumbnailFailure(const std::string& source, int kind, const std::string& out) {
  const std::string reason = kind == kJpegKind ? jpegSourceReason(source) : bmpSourceReason(source);
  return reason.empty() ? destinationReason(out) : reason;
}

}  // namespace zorvdesk
