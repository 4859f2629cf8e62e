// Framed thumbnails of JPEG files streaming through the decoder, against the literal path: the
// whole picture read, blurred whole, resized, framed and written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "dib_pictures.h"
#include "jpeg_test_support.h"

namespace {

// readJpegFile, fitThumbnailSize, blurDib (when the larger side exceeds the side) and
// resizeDib, drawDibBorder in black, writeJpegFile.
bool literalFramedThumbnail(const std::string& source, int size, int& width, int& height,
                            const std::string& out) {
  BITMAPINFOHEADER* picture = nullptr;
  if (!readJpegFile(source.c_str(), &picture)) return false;
  width = picture->biWidth;
  height = picture->biHeight;
  fitThumbnailSize(size, width, height);
  DibPtr thumbnail;
  if (std::max(picture->biWidth, picture->biHeight) > size) {
    const DibPtr blurred(blurDib(picture, 3, 3));
    thumbnail.reset(resizeDib(blurred.get(), size, size));
  } else {
    thumbnail.reset(resizeDib(picture, size, size));
  }
  ::operator delete(picture);
  const BYTE black[3] = {0, 0, 0};
  drawDibBorder(thumbnail.get(), black);
  return writeJpegFile(out.c_str(), thumbnail.get()) != 0;
}

Bgr gradient(int x, int row) {
  return Bgr{static_cast<std::uint8_t>(x * 7 + row), static_cast<std::uint8_t>(row * 3),
             static_cast<std::uint8_t>((x ^ row) * 5)};
}

struct Case {
  int width, height, size;
  int components;
  const char* what;
};

TEST(FramedThumbnailFromJpegTest, SameFileAsTheLiteralPath) {
  const Case cases[] = {
      {333, 77, 64, 3, "odd sizes"},
      {201, 149, 128, 1, "grey"},
      {40, 30, 256, 3, "smaller than the side: enlarged, not blurred"},
      {64, 64, 64, 3, "larger side equal to the side: not blurred"},
      {65, 9, 64, 3, "one column more: blurred"},
      {1000, 3, 256, 3, "extreme proportions"},
      {2, 700, 256, 1, "extreme proportions, grey"},
      {800, 600, 256, 3, "a camera's shape"},
      {1, 1, 256, 3, "a single pixel"},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    JpegOptions options;
    options.components = c.components;
    const std::string source = folder.file("source.jpg");
    writeBytes(source, encodeJpeg(c.width, c.height, gradient, options));
    int width = -1, height = -1, literalWidth = -1, literalHeight = -1;
    ASSERT_TRUE(framedThumbnailFromJpeg(source.c_str(), c.size, width, height,
                                        folder.file("fast.jpg").c_str()))
        << c.what;
    ASSERT_TRUE(literalFramedThumbnail(source, c.size, literalWidth, literalHeight,
                                       folder.file("literal.jpg")))
        << c.what;
    EXPECT_EQ(width, literalWidth) << c.what;
    EXPECT_EQ(height, literalHeight) << c.what;
    EXPECT_TRUE(readBytes(folder.file("fast.jpg")) == readBytes(folder.file("literal.jpg")))
        << c.what;
  }
}

TEST(FramedThumbnailFromJpegTest, DamagedSourceWritesNothingAndKeepsTheOutParameters) {
  TempFolder folder;
  Bytes jpeg = encodeJpeg(300, 200, gradient);
  jpeg.resize(jpeg.size() / 2);  // truncated in the middle of the picture
  writeBytes(folder.file("cut.jpg"), jpeg);
  int width = -1, height = -1;
  EXPECT_FALSE(framedThumbnailFromJpeg(folder.file("cut.jpg").c_str(), 64, width, height,
                                       folder.file("out.jpg").c_str()));
  EXPECT_FALSE(framedThumbnailFromJpeg(folder.file("missing.jpg").c_str(), 64, width, height,
                                       folder.file("out.jpg").c_str()));
  EXPECT_EQ(width, -1);
  EXPECT_EQ(height, -1);
  EXPECT_FALSE(std::ifstream(folder.file("out.jpg")).good());
}

}  // namespace
