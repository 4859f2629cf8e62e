// The row-by-row reader: the same bytes as readJpegFile in any batch size, the caps checked at
// open, and a damaged file ending the reading cleanly.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/jpeg_files.h"
#include "imaging/jpeg_scanline_reader.h"
#include "jpeg_test_support.h"

namespace {

Bgr wave(int x, int row) {
  return Bgr{std::uint8_t(x * x + row), std::uint8_t(row * 3), std::uint8_t(200 - x)};
}

TEST(JpegScanlineReader, RowsMatchReadJpegFileInAnyBatchSize) {
  TempFolder folder;
  const int width = 27, height = 23;
  for (int components : {1, 3}) {
    for (bool progressive : {false, true}) {
      JpegOptions options;
      options.components = components;
      options.progressive = progressive;
      const std::string path = folder.file("wave.jpg");
      writeBytes(path, encodeJpeg(width, height, wave, options));
      BITMAPINFOHEADER* dib = nullptr;
      ASSERT_NE(readJpegFile(path.c_str(), &dib), 0);
      const int stride = (width * 3 + 3) & ~3;
      for (int batch : {1, 5, 16, 40}) {
        JpegScanlineReader reader;
        ASSERT_TRUE(reader.open(path.c_str()));
        EXPECT_EQ(reader.width(), width);
        EXPECT_EQ(reader.height(), height);
        EXPECT_EQ(reader.channels(), components);
        std::vector<Bytes> rows(batch, Bytes(width * 3));
        std::vector<BYTE*> targets;
        for (Bytes& row : rows) targets.push_back(row.data());
        int top = 0;
        while (int got = reader.readRows(targets.data(), batch)) {
          EXPECT_EQ(reader.nextRow(), top + got);
          for (int i = 0; i < got; ++i, ++top) {
            const BYTE* stored =
                reinterpret_cast<const BYTE*>(dib) + 40 + (height - 1 - top) * stride;
            ASSERT_EQ(std::memcmp(rows[i].data(), stored, width * 3), 0)
                << components << " channels, progressive " << progressive << ", batch " << batch
                << ", row " << top;
          }
        }
        EXPECT_EQ(top, height);
        EXPECT_FALSE(reader.readRow(rows[0].data()));
      }
      ::operator delete(dib);
    }
  }
}

// 8192 x 8192 is the largest square the pixel cap allows; one more row is refused before the
// reader allocates anything for the picture.
TEST(JpegScanlineReader, PixelCapCheckedAtOpen) {
  TempFolder folder;
  Bytes jpeg = encodeJpeg(16, 16, wave);
  std::size_t frame = 2;
  while (!(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0))
    frame += 2 + (jpeg[frame + 2] << 8 | jpeg[frame + 3]);
  const auto setSize = [&](int width, int height) {
    jpeg[frame + 5] = std::uint8_t(height >> 8);
    jpeg[frame + 6] = std::uint8_t(height);
    jpeg[frame + 7] = std::uint8_t(width >> 8);
    jpeg[frame + 8] = std::uint8_t(width);
    writeBytes(folder.file("sized.jpg"), jpeg);
  };
  JpegScanlineReader reader;
  setSize(8192, 8192);
  EXPECT_TRUE(reader.open(folder.file("sized.jpg").c_str()));
  setSize(8192, 8193);
  EXPECT_FALSE(reader.open(folder.file("sized.jpg").c_str()));
  EXPECT_FALSE(reader.isOpen());
  setSize(65500, 65500);
  EXPECT_FALSE(reader.open(folder.file("sized.jpg").c_str()));
  BITMAPINFOHEADER* dib = nullptr;
  EXPECT_EQ(readJpegFile(folder.file("sized.jpg").c_str(), &dib), 0);
}

TEST(JpegScanlineReader, DamagedDataEndsReadingAndCloses) {
  TempFolder folder;
  Bytes jpeg = encodeJpeg(64, 64, wave);
  jpeg.resize(jpeg.size() * 2 / 3);
  writeBytes(folder.file("cut.jpg"), jpeg);
  JpegScanlineReader reader;
  ASSERT_TRUE(reader.open(folder.file("cut.jpg").c_str()));
  Bytes row(64 * 3);
  int rows = 0;
  while (reader.readRow(row.data())) ++rows;
  EXPECT_LT(rows, 64);
  EXPECT_FALSE(reader.isOpen());
  EXPECT_EQ(reader.width(), 0);
  EXPECT_FALSE(reader.open(folder.file("missing.jpg").c_str()));
  EXPECT_FALSE(reader.open(nullptr));
}

}  // namespace
