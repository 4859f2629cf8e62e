// Square framed thumbnails of pictures held as DIBs and of JPEG files streaming through the
// decoder.
//
// A JPEG thumbnail needs only the decoder's rows around the rows the resize picks: rows pass
// through a ring of as many rows as the blur box is high, and each thumbnail row is computed
// (blurred at the picked pixels only) as soon as the lowest row of its box has been decoded.
// The bytes equal those of decoding the whole picture, blurring it and resizing it.
#include "imaging/framed_thumbnail.h"

#include <cstdlib>

#include "imaging/dib.h"
#include "imaging/jpeg_files.h"
#include "imaging/jpeg_scanline_reader.h"
#include "imaging/picture_writers.h"
#include "imaging/sampled_blur.h"

namespace dib {

namespace {

constexpr int kBox = 3;

bool writeFramed(BITMAPINFOHEADER* thumbnail, const char* jpegPath) {
  frameThumbnail(thumbnail);
  const bool written = writeJpegFile(jpegPath, thumbnail) != 0;
  std::free(thumbnail);
  return written;
}

// The ring of decoded rows: stored row y (bottom-up) sits in slot y % count.
class RowRing {
 public:
  RowRing(int count, int width)
      : rows_(static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(count) * 3 * width))),
        count_(count),
        rowBytes_(static_cast<std::size_t>(width) * 3) {}
  bool ok() const { return rows_ != nullptr; }
  BYTE* row(int y) const { return rows_.get() + static_cast<std::size_t>(y % count_) * rowBytes_; }

 private:
  std::unique_ptr<BYTE[], FreeDeleter> rows_;
  int count_;
  std::size_t rowBytes_;
};

// Decodes the picture top-down and computes each thumbnail row once its source rows are in.
bool streamThumbnail(JpegScanlineReader& reader, SampledBlur& sampler, int boxHeight,
                     BITMAPINFOHEADER* thumbnail) {
  const int height = reader.height();
  RowRing ring(boxHeight, reader.width());
  if (!ring.ok()) return false;
  int next = sampler.height() - 1;  // thumbnail rows are finished from the top one down
  for (int y = height - 1; y >= 0; --y) {
    if (!reader.readRow(ring.row(y))) return false;
    for (; next >= 0 && sampler.sourceRows(next).first == y; --next) {
      sampler.computeRow(
          next, [&ring](int sourceY) { return ring.row(sourceY); }, rowAt(thumbnail, next));
    }
  }
  return next < 0;
}

}  // namespace

void frameThumbnail(BITMAPINFOHEADER* thumbnail) {
  const BYTE black[3] = {0, 0, 0};
  drawDibBorder(thumbnail, black);
}

bool writeFramedThumbnail(const BITMAPINFOHEADER* dib, int size, int& width, int& height,
                          const char* jpegPath) {
  width = dib->biWidth;
  height = dib->biHeight;
  fitThumbnailSize(size, width, height);
  BITMAPINFOHEADER* thumbnail = makeDibThumbnail(dib, size, size, kBox, kBox);
  return thumbnail != nullptr && writeFramed(thumbnail, jpegPath);
}

}  // namespace dib

// The out-parameters are set once the whole picture has been decoded, as when it is read whole.
bool framedThumbnailFromJpeg(const char* source, int size, int& width, int& height,
                             const char* jpegPath) {
  JpegScanlineReader reader;
  if (!reader.open(source)) return false;
  int fittedWidth = reader.width();
  int fittedHeight = reader.height();
  fitThumbnailSize(size, fittedWidth, fittedHeight);
  if (!dib::sizeFits(size, size)) return false;
  const int larger = reader.width() > reader.height() ? reader.width() : reader.height();
  const int box = larger > size ? dib::kBox : 1;  // 1 x 1: the picked pixels as they are
  dib::SampledBlur sampler;
  if (!sampler.prepare(reader.width(), reader.height(), size, size, box, box)) return false;
  BITMAPINFOHEADER* thumbnail = dib::newDibBuffer(size, size);
  if (thumbnail == nullptr) return false;
  if (!dib::streamThumbnail(reader, sampler, box, thumbnail)) {
    std::free(thumbnail);
    return false;
  }
  reader.close();
  width = fittedWidth;
  height = fittedHeight;
  return dib::writeFramed(thumbnail, jpegPath);
}
