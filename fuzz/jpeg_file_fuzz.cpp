// readJpegFile on any file content: it fails or makes a 24-bit DIB within the caps, never
// crashes, leaks or reads outside its buffers, and the row-by-row reader decodes the same file
// to exactly the same rows (the streaming thumbnail relies on that).
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

#include "fuzz_input.h"
#include "imaging/jpeg_files.h"
#include "imaging/jpeg_limits.h"
#include "imaging/jpeg_scanline_reader.h"

namespace {

// The input goes through a file of this process's own, removed at exit.
class InputFile {
 public:
  InputFile() : path_("/tmp/zorv_fuzz_jpeg_" + std::to_string(getpid()) + ".jpg") {}
  ~InputFile() { std::remove(path_.c_str()); }
  // Removed before it is written again: truncating a file in place makes the file system
  // flush it, which costs milliseconds per input.
  const char* write(const std::uint8_t* data, std::size_t size) {
    std::remove(path_.c_str());
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
    return path_.c_str();
  }

 private:
  std::string path_;
};

void checkRowsMatch(const char* path, const BITMAPINFOHEADER* dib) {
  JpegScanlineReader reader;
  FUZZ_CHECK(reader.open(path));
  FUZZ_CHECK(reader.width() == dib->biWidth && reader.height() == dib->biHeight);
  const std::int64_t stride = dibStride24(dib->biWidth);
  const BYTE* pixels = reinterpret_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER);
  std::vector<BYTE> row(static_cast<std::size_t>(dib->biWidth) * 3);
  for (int top = 0; top < dib->biHeight; ++top) {
    FUZZ_CHECK(reader.readRow(row.data()));
    const BYTE* stored = pixels + (dib->biHeight - 1 - top) * stride;
    FUZZ_CHECK(std::memcmp(row.data(), stored, row.size()) == 0);
  }
  FUZZ_CHECK(!reader.readRow(row.data()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static InputFile input;
  const char* path = input.write(data, size);
  BITMAPINFOHEADER* dib = reinterpret_cast<BITMAPINFOHEADER*>(&input);
  const int ok = readJpegFile(path, &dib);
  if (!ok) {
    FUZZ_CHECK(dib == nullptr);
    return 0;
  }
  FUZZ_CHECK(dib != nullptr);
  FUZZ_CHECK(dib->biSize == 40 && dib->biBitCount == 24 && dib->biPlanes == 1);
  FUZZ_CHECK(dib->biSizeImage == 0 && dib->biCompression == 0 && dib->biClrUsed == 0);
  FUZZ_CHECK(jpegSizeAllowed(dib->biWidth, dib->biHeight));
  checkRowsMatch(path, dib);
  ::operator delete(dib);
  return 0;
}
