// The row-by-row reader gives readJpegFile's bytes in any batch size, checks the caps at open
// and closes itself on damaged data; the layer decodes only into a buffer of the file's size.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/jpeg_files.h"
#include "imaging/jpeg_layer.h"
#include "imaging/jpeg_scanline_reader.h"
#include "jpeg_test_support.h"

namespace {

Bgr wave(int x, int row) {
  return Bgr{std::uint8_t(x * x + row), std::uint8_t(row * 3), std::uint8_t(200 - x)};
}

TEST(JpegScanlineReader, RowsAreReadJpegFilesInAnyBatchSize) {
  TempFolder folder;
  const int width = 27, height = 23, stride = 84;
  const std::string path = folder.file("wave.jpg");
  for (const JpegOptions& options : {JpegOptions{1}, JpegOptions{3}, JpegOptions{3, false, true}}) {
    writeBytes(path, encodeJpeg(width, height, wave, options));
    BITMAPINFOHEADER* dib = nullptr;
    ASSERT_NE(readJpegFile(path.c_str(), &dib), 0);
    for (int batch : {1, 16, 40}) {
      JpegScanlineReader reader;
      ASSERT_TRUE(reader.open(path.c_str()));
      EXPECT_EQ(reader.width(), width);
      EXPECT_EQ(reader.height(), height);
      EXPECT_EQ(reader.channels(), options.components);
      std::vector<Bytes> rows(batch, Bytes(width * 3));
      std::vector<BYTE*> targets;
      for (Bytes& row : rows) targets.push_back(row.data());
      int top = 0;
      while (int got = reader.readRows(targets.data(), batch)) {
        for (int i = 0; i < got; ++i, ++top) {
          const BYTE* stored =
              reinterpret_cast<const BYTE*>(dib) + 40 + (height - 1 - top) * stride;
          ASSERT_EQ(std::memcmp(rows[i].data(), stored, width * 3), 0)
              << "batch " << batch << ", row " << top;
        }
        EXPECT_EQ(reader.nextRow(), top);
      }
      EXPECT_EQ(top, height);
    }
    ::operator delete(dib);
  }
}

// 8192 x 8192 is the largest square within the pixel cap.
TEST(JpegScanlineReader, PixelCapCheckedAtOpen) {
  TempFolder folder;
  Bytes jpeg = encodeJpeg(16, 16, wave);
  std::size_t frame = 2;
  while (jpeg[frame + 1] != 0xC0) frame += 2 + (jpeg[frame + 2] << 8 | jpeg[frame + 3]);
  const std::string path = folder.file("sized.jpg");
  JpegScanlineReader reader;
  for (auto [width, height, allowed] :
       {std::tuple{8192, 8192, true}, {8192, 8193, false}, {65500, 65500, false}}) {
    const std::uint8_t size[4] = {std::uint8_t(height >> 8), std::uint8_t(height),
                                  std::uint8_t(width >> 8), std::uint8_t(width)};
    std::memcpy(&jpeg[frame + 5], size, 4);
    writeBytes(path, jpeg);
    EXPECT_EQ(reader.open(path.c_str()), allowed) << width << "x" << height;
    EXPECT_EQ(reader.isOpen(), allowed);
    EXPECT_EQ(reader.status(), allowed ? kJpegOk : kJpegTooLarge);
    EXPECT_EQ(std::pair(reader.width(), reader.height()), std::pair(width, height));
  }
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
  EXPECT_EQ(reader.status(), kJpegCutShort);
  writeBytes(folder.file("text.jpg"), Bytes{'t', 'e', 'x', 't'});
  for (auto [file, status] :
       {std::pair{"missing.jpg", kJpegCannotOpen}, {"text.jpg", kJpegNotJpeg}}) {
    EXPECT_FALSE(reader.open(folder.file(file).c_str()));
    EXPECT_EQ(reader.status(), status) << file;
  }
  EXPECT_FALSE(reader.open(nullptr));
}

// The picture goes only into a destination of the size the parameters read gave.
TEST(JpegLayer, PictureOnlyIntoADestinationOfTheFilesSize) {
  TempFolder folder;
  const std::string path = folder.file("small.jpg");
  writeBytes(path, encodeJpeg(12, 9, wave));
  JpegProperties p;
  ASSERT_EQ(jpegInitialise(&p), kJpegOk);
  std::vector<BYTE> pixels(13 * 3 * 9 + 64, 0x55);
  p.dibPixels = pixels.data();
  p.jpegFile = path.c_str();
  EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument) << "before the parameters";
  ASSERT_EQ(jpegReadParameters(&p), kJpegOk);
  EXPECT_EQ(p.jpegWidth * 100 + p.jpegHeight * 10 + p.jpegChannels, 1293);
  for (auto [width, height] : {std::pair{11, 9}, {12, 8}, {13, 9}}) {
    p.dibWidth = width;
    p.dibHeight = -height;
    EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument) << width << "x" << height;
  }
  p.dibWidth = 12;
  p.dibHeight = -9;
  p.jpegColor = kJpegColorGrey;  // the file has three channels
  EXPECT_EQ(jpegReadPicture(&p), kJpegUnsupported);
  EXPECT_EQ(pixels[0], 0x55);
  p.jpegColor = kJpegColorYcbcr;
  ASSERT_EQ(jpegReadPicture(&p), kJpegOk);
  EXPECT_EQ(pixels[12 * 3 * 9], 0x55) << "nothing past the picture";
  jpegRelease(&p);
  jpegRelease(&p);
}

}  // namespace
