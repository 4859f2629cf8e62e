#include "bench_pictures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <unistd.h>

#include "imaging/imaging.h"

void DibDeleter::operator()(BITMAPINFOHEADER* dib) const { std::free(dib); }

BenchDib cameraLikeDib(int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  auto* dib = static_cast<BITMAPINFOHEADER*>(std::calloc(1, 40 + stride * height));
  dib->biSize = 40;
  dib->biWidth = width;
  dib->biHeight = height;
  dib->biPlanes = 1;
  dib->biBitCount = 24;
  unsigned state = 12345;
  for (int y = 0; y < height; ++y) {
    BYTE* row = reinterpret_cast<BYTE*>(dib) + 40 + y * stride;
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const int noise = static_cast<int>(state >> 28) - 8;
      const int sky = 255 * y / height;
      const int field = 255 * x / width;
      row[3 * x] = static_cast<BYTE>(std::min(255, std::max(0, sky + noise)));
      row[3 * x + 1] = static_cast<BYTE>(std::min(255, std::max(0, (sky + field) / 2 + noise)));
      row[3 * x + 2] = static_cast<BYTE>(std::min(255, std::max(0, field + noise)));
    }
  }
  return BenchDib(dib);
}

std::string benchFile(const char* name) {
  return std::string("/tmp/zorv_bench_") + std::to_string(getpid()) + "_" + name;
}

void removeBenchFiles() {
  for (const char* name :
       {"camera.jpg", "thumb.jpg", "full.jpg", "bare_full.jpg", "bare_thumb.jpg", "framed.jpg"}) {
    std::remove(benchFile(name).c_str());
  }
}

const std::string& cameraJpeg() {
  static const std::string path = [] {
    const std::string file = benchFile("camera.jpg");
    const BenchDib dib = cameraLikeDib(4000, 3000);
    writeJpegFile(file.c_str(), dib.get());
    return file;
  }();
  return path;
}

namespace {

// The benchmarks feed only their own trusted files: libjpeg's default error handling is enough.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool bareDecode(const std::string& path, std::vector<unsigned char>& picture) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.get());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) * 3;
  if (picture.size() < rowBytes * info.output_height) picture.resize(rowBytes * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool bareEncode(const BITMAPINFOHEADER* dib, const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file.get());
  info.image_width = static_cast<JDIMENSION>(dib->biWidth);
  info.image_height = static_cast<JDIMENSION>(dib->biHeight);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = (static_cast<std::size_t>(dib->biWidth) * 3 + 3) & ~std::size_t{3};
  const unsigned char* pixels = reinterpret_cast<const unsigned char*>(dib) + 40;
  while (info.next_scanline < info.image_height) {
    // The top row is the last stored one.
    JSAMPROW row =
        const_cast<unsigned char*>(pixels) + stride * (info.image_height - 1 - info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}
