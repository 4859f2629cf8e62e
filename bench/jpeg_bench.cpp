// JPEG reading and writing against libjpeg-turbo's own speed on the same pictures:
//   a 12 MP (4000 x 3000) camera-like JPEG: bare decode into a reused buffer, readJpegFile,
//   and the row reader into one reused row;
//   a 1024 x 768 capture and its 256 x 256 thumbnail: bare encode, and writeJpegFile.
// The pictures are made here: smooth gradients, sensor-like noise and hard edges.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <unistd.h>

#include "imaging/bench_pictures.h"
#include "imaging/jpeg_files.h"
#include "imaging/jpeg_scanline_reader.h"

namespace {

// A bottom-up 24-bit DIB of a camera-like picture: a lit gradient sky, a darker textured
// ground, a few sharp-edged boxes, and noise of a few levels everywhere.
std::vector<std::uint32_t> makeCameraDib(int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<std::uint32_t> block((40 + stride * height + 3) / 4);
  BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
  *h = BITMAPINFOHEADER{};
  h->biSize = 40;
  h->biWidth = width;
  h->biHeight = height;
  h->biPlanes = 1;
  h->biBitCount = 24;
  std::uint8_t* pixels = reinterpret_cast<std::uint8_t*>(block.data()) + 40;
  std::uint32_t noise = 12345;
  for (int row = 0; row < height; ++row) {
    std::uint8_t* line = pixels + (height - 1 - row) * stride;
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28) - 8;
      int r, g, b;
      if (row < height * 2 / 5) {  // sky
        r = 90 + 80 * row / height;
        g = 140 + 60 * row / height;
        b = 230 - 30 * x / width;
      } else {  // ground with a texture of stripes
        r = 80 + ((x / 7 + row / 5) % 9) * 6;
        g = 100 + ((x / 11) % 7) * 5;
        b = 50 + 40 * x / width;
      }
      if ((x / (width / 8)) % 3 == 1 && (row / (height / 6)) % 2 == 1) {  // buildings
        r = 200 - (x % 40 < 3) * 150;
        g = 190;
        b = 170;
      }
      line[3 * x] = static_cast<std::uint8_t>(std::clamp(b + grain, 0, 255));
      line[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g + grain, 0, 255));
      line[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r + grain, 0, 255));
    }
  }
  return block;
}

const BITMAPINFOHEADER* headerOf(const std::vector<std::uint32_t>& block) {
  return reinterpret_cast<const BITMAPINFOHEADER*>(block.data());
}

// Files of one run in a folder of their own.
class BenchFiles {
 public:
  BenchFiles() {
    char pattern[] = "/tmp/zorv_jpeg_bench_XXXXXX";
    folder_ = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
    camera_ = folder_ + "/camera.jpg";
    const std::vector<std::uint32_t> dib = makeCameraDib(4000, 3000);
    ok_ = writeJpegFile(camera_.c_str(), headerOf(dib)) != 0;
  }
  ~BenchFiles() {
    for (const char* name : {"/camera.jpg", "/full.jpg", "/thumb.jpg"})
      std::remove((folder_ + name).c_str());
    rmdir(folder_.c_str());
  }
  bool ok() const { return ok_; }
  const std::string& camera() const { return camera_; }
  std::string file(const char* name) const { return folder_ + "/" + name; }

 private:
  std::string folder_, camera_;
  bool ok_ = false;
};

BenchFiles& files() {
  static BenchFiles instance;
  return instance;
}

// --- 12 MP decode ---

void BM_LibjpegDecode12MP(benchmark::State& state) {
  if (!files().ok()) return state.SkipWithError("no test picture");
  std::vector<std::uint8_t> buffer(4000 * 3000 * 3);  // reused by every iteration
  for (auto _ : state) {
    std::FILE* file = std::fopen(files().camera().c_str(), "rb");
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t rowBytes = info.output_width * 3u;
    while (info.output_scanline < info.output_height) {
      JSAMPROW rows[16];
      for (JDIMENSION i = 0; i < 16; ++i) {
        const JDIMENSION row = std::min(info.output_scanline + i, info.output_height - 1);
        rows[i] = &buffer[row * rowBytes];
      }
      jpeg_read_scanlines(&info, rows, 16);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(12.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LibjpegDecode12MP)->Unit(benchmark::kMillisecond);

void BM_ReadJpegFile12MP(benchmark::State& state) {
  if (!files().ok()) return state.SkipWithError("no test picture");
  for (auto _ : state) {
    BITMAPINFOHEADER* dib = nullptr;
    if (!readJpegFile(files().camera().c_str(), &dib)) return state.SkipWithError("read failed");
    benchmark::DoNotOptimize(dib);
    ::operator delete(dib);
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(12.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadJpegFile12MP)->Unit(benchmark::kMillisecond);

void BM_JpegScanlineReader12MP(benchmark::State& state) {
  if (!files().ok()) return state.SkipWithError("no test picture");
  std::vector<BYTE> row(4000 * 3);
  for (auto _ : state) {
    JpegScanlineReader reader;
    if (!reader.open(files().camera().c_str())) return state.SkipWithError("open failed");
    while (reader.readRow(row.data())) benchmark::DoNotOptimize(row.data());
  }
  state.counters["Mpx/s"] =
      benchmark::Counter(12.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_JpegScanlineReader12MP)->Unit(benchmark::kMillisecond);

// --- capture encode: 1024 x 768 and a 256 x 256 thumbnail ---

void BM_LibjpegEncodeCapture(benchmark::State& state) {
  const std::vector<std::uint32_t> full = makeCameraDib(1024, 768);
  const std::vector<std::uint32_t> thumb = makeCameraDib(256, 256);
  const std::string fullPath = files().file("full.jpg"), thumbPath = files().file("thumb.jpg");
  for (auto _ : state) {
    bareEncode(headerOf(full), fullPath);
    bareEncode(headerOf(thumb), thumbPath);
  }
}
BENCHMARK(BM_LibjpegEncodeCapture)->Unit(benchmark::kMillisecond);

void BM_WriteJpegFileCapture(benchmark::State& state) {
  const std::vector<std::uint32_t> full = makeCameraDib(1024, 768);
  const std::vector<std::uint32_t> thumb = makeCameraDib(256, 256);
  const std::string fullPath = files().file("full.jpg"), thumbPath = files().file("thumb.jpg");
  for (auto _ : state) {
    if (!writeJpegFile(fullPath.c_str(), headerOf(full)) ||
        !writeJpegFile(thumbPath.c_str(), headerOf(thumb)))
      return state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_WriteJpegFileCapture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
