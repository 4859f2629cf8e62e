// Heap beyond libjpeg-turbo's own while framedThumbnailFromJpeg makes the thumbnail of a
// 4000 x 3000 JPEG, beside what libjpeg-turbo needs for a bare decode and what reading the
// picture whole would take.
#include <cstdio>
#include <vector>

#include "allocation_meter.h"
#include "bench_pictures.h"
#include "imaging/imaging.h"

int main() {
  const std::string& source = cameraJpeg();
  const std::string out = benchFile("framed.jpg");
  int width = 0, height = 0;

  startAllocationMeter();
  const bool made = framedThumbnailFromJpeg(source.c_str(), 256, width, height, out.c_str());
  const AllocationPeaks streamed = stopAllocationMeter();

  std::vector<unsigned char> picture;
  picture.reserve(4000u * 3000 * 3);  // the reused buffer is not counted
  startAllocationMeter();
  bareDecode(source, picture);
  const AllocationPeaks bare = stopAllocationMeter();

  BITMAPINFOHEADER* whole = nullptr;
  startAllocationMeter();
  readJpegFile(source.c_str(), &whole);
  const AllocationPeaks read = stopAllocationMeter();
  ::operator delete(whole);

  std::printf("framedThumbnailFromJpeg 4000x3000 -> 256 (%s, %dx%d)\n", made ? "written" : "FAILED",
              width, height);
  std::printf("  peak heap, our code:        %8zu bytes (%.3f MB)\n", streamed.others,
              streamed.others / 1e6);
  std::printf("  peak heap, libjpeg-turbo:   %8zu bytes\n", streamed.libjpeg);
  std::printf("bare libjpeg-turbo decode, peak heap of libjpeg-turbo: %zu bytes\n", bare.libjpeg);
  std::printf("readJpegFile of the whole picture, peak heap of our code: %zu bytes\n", read.others);
  removeBenchFiles();
  return made && streamed.others < 1000000 ? 0 : 1;
}
