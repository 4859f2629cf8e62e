// Thumbnails of 24-bit DIB buffers: blurred only at the pixels the resize picks, with the
// same bytes as blurring the whole picture and then resizing it.
#include <cstdlib>

#include "imaging/dib.h"
#include "imaging/sampled_blur.h"

BITMAPINFOHEADER* makeDibThumbnail(const BITMAPINFOHEADER* dib, int width, int height, int boxWidth,
                                   int boxHeight) {
  if (!dib::isPlainRgbDib(dib) || !dib::sizeFits(width, height)) return nullptr;
  if (boxWidth < 1 || boxHeight < 1) return nullptr;
  const int larger = dib->biWidth > dib->biHeight ? dib->biWidth : dib->biHeight;
  const bool blur = larger > width;
  dib::SampledBlur sampler;
  if (!sampler.prepare(dib->biWidth, dib->biHeight, width, height, blur ? boxWidth : 1,
                       blur ? boxHeight : 1)) {
    return nullptr;
  }
  BITMAPINFOHEADER* thumbnail = dib::newDibBuffer(width, height);
  if (thumbnail == nullptr) return nullptr;
  for (int y = 0; y < height; ++y) {
    sampler.computeRow(
        y, [dib](int sourceY) { return dib::rowAt(dib, sourceY); }, dib::rowAt(thumbnail, y));
  }
  return thumbnail;
}
