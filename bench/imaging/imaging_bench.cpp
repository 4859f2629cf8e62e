// The picture writers against libjpeg-turbo used bare, and the DIB operations in Mpx/s. Pairs
// to compare: MakeDibThumbnail / BlurThenResize, FramedThumbnailFromJpeg / BareDecode,
// CaptureFiles / BareEncodeCapture.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_pictures.h"
#include "imaging/capture_files.h"
#include "imaging/imaging.h"

namespace {

void BM_MakeDibThumbnail12Mpx(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(4000, 3000);
  for (auto _ : state) {
    BITMAPINFOHEADER* thumbnail = makeDibThumbnail(dib.get(), 256, 256, 3, 3);
    benchmark::DoNotOptimize(thumbnail);
    std::free(thumbnail);
  }
}
BENCHMARK(BM_MakeDibThumbnail12Mpx)->Unit(benchmark::kMillisecond);

void BM_BlurThenResize12Mpx(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(4000, 3000);
  for (auto _ : state) {
    BITMAPINFOHEADER* blurred = blurDib(dib.get(), 3, 3);
    BITMAPINFOHEADER* thumbnail = resizeDib(blurred, 256, 256);
    benchmark::DoNotOptimize(thumbnail);
    std::free(blurred);
    std::free(thumbnail);
  }
}
BENCHMARK(BM_BlurThenResize12Mpx)->Unit(benchmark::kMillisecond);

void BM_FramedThumbnailFromJpeg12Mpx(benchmark::State& state) {
  const std::string& source = cameraJpeg();
  const std::string out = benchFile("framed.jpg");
  for (auto _ : state) {
    int width = 0, height = 0;
    if (!framedThumbnailFromJpeg(source.c_str(), 256, width, height, out.c_str())) {
      state.SkipWithError("framedThumbnailFromJpeg failed");
    }
  }
}
BENCHMARK(BM_FramedThumbnailFromJpeg12Mpx)->Unit(benchmark::kMillisecond);

void BM_BareDecode12Mpx(benchmark::State& state) {
  const std::string& source = cameraJpeg();
  std::vector<unsigned char> picture;
  for (auto _ : state) {
    if (!bareDecode(source, picture)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(picture.data());
  }
}
BENCHMARK(BM_BareDecode12Mpx)->Unit(benchmark::kMillisecond);

void BM_CaptureFiles1024x768(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(1024, 768);
  const std::string thumb = benchFile("thumb.jpg");
  const std::string full = benchFile("full.jpg");
  for (auto _ : state) {
    if (dib::writeCaptureFiles(dib.get(), thumb.c_str(), full.c_str(), 256) !=
        dib::CaptureResult::kWritten) {
      state.SkipWithError("capture failed");
    }
  }
}
BENCHMARK(BM_CaptureFiles1024x768)->Unit(benchmark::kMillisecond);

// The capture's thumbnail alone: what CaptureFiles adds to the two encodes.
void BM_CaptureThumbnail1024x768(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(1024, 768);
  for (auto _ : state) std::free(makeDibThumbnail(dib.get(), 256, 256, 3, 3));
}
BENCHMARK(BM_CaptureThumbnail1024x768)->Unit(benchmark::kMillisecond);

// The full picture and a thumbnail made beforehand, encoded with nothing else.
void BM_BareEncodeCapture1024x768(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(1024, 768);
  const BenchDib thumbnail(makeDibThumbnail(dib.get(), 256, 256, 3, 3));
  const std::string thumb = benchFile("bare_thumb.jpg");
  const std::string full = benchFile("bare_full.jpg");
  for (auto _ : state) {
    if (!bareEncode(dib.get(), full) || !bareEncode(thumbnail.get(), thumb)) {
      state.SkipWithError("encode failed");
    }
  }
}
BENCHMARK(BM_BareEncodeCapture1024x768)->Unit(benchmark::kMillisecond);

// Rates in megapixels per second of the picture made (items_per_second).
void BM_BlurDib3x3(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(4000, 3000);
  for (auto _ : state) std::free(blurDib(dib.get(), 3, 3));
  state.SetItemsProcessed(state.iterations() * 4000 * 3000);
}
BENCHMARK(BM_BlurDib3x3)->Unit(benchmark::kMillisecond);

void BM_ResizeDibToHalf(benchmark::State& state) {
  const BenchDib dib = cameraLikeDib(4000, 3000);
  for (auto _ : state) std::free(resizeDib(dib.get(), 2000, 1500));
  state.SetItemsProcessed(state.iterations() * 2000 * 1500);
}
BENCHMARK(BM_ResizeDibToHalf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  removeBenchFiles();
  return 0;
}
