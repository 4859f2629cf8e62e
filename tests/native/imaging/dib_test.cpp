// DIB layout, colour tables, pixels and frame, and the thumbnail's size.
#include <gtest/gtest.h>

#include "dib_pictures.h"

namespace {

const BYTE kRed[3] = {0, 0, 255};

TEST(DibLayoutTest, RowsArePaddedToFourBytes) {
  const DibPtr source = noiseDib(3, 2, 1);
  const DibPtr one = DibPtr(resizeDib(source.get(), 1, 2));
  const DibPtr four = DibPtr(resizeDib(source.get(), 4, 2));
  ASSERT_TRUE(one && four);
  EXPECT_EQ(one->biSizeImage, 2u * 4);  // 3 pixel bytes and one padding byte
  EXPECT_EQ(four->biSizeImage, 2u * 12);
  EXPECT_EQ(one->biSize, 40u);
  EXPECT_EQ(one->biPlanes, 1);
  EXPECT_EQ(one->biBitCount, 24);
  EXPECT_EQ(one->biCompression, 0u);
  EXPECT_EQ(one->biClrUsed, 0u);

  setDibPixel(one.get(), 0, 1, kRed);  // second stored row starts at 40 + 4
  EXPECT_EQ(0, std::memcmp(reinterpret_cast<BYTE*>(one.get()) + 44, kRed, 3));
  setDibPixel(four.get(), 3, 1, kRed);  // 40 + 12 + 9
  EXPECT_EQ(0, std::memcmp(reinterpret_cast<BYTE*>(four.get()) + 61, kRed, 3));
}

TEST(DibLayoutTest, ColourCountsOfBothHeaderKinds) {
  BITMAPINFOHEADER info{};
  info.biSize = 40;
  const int bits[] = {1, 4, 8, 16, 24, 32};
  const WORD counts[] = {2, 16, 256, 0, 0, 0};
  BITMAPCOREHEADER core{};
  core.bcSize = 12;
  for (int i = 0; i < 6; ++i) {
    info.biBitCount = static_cast<WORD>(bits[i]);
    core.bcBitCount = static_cast<WORD>(bits[i]);
    EXPECT_EQ(dibColorCount(&info), counts[i]) << bits[i];
    EXPECT_EQ(dibColorTableSize(&info), counts[i] * 4) << bits[i];
    EXPECT_EQ(dibColorCount(&core), counts[i]) << bits[i];
    EXPECT_EQ(dibColorTableSize(&core), counts[i] * 3) << bits[i];
  }
  info.biBitCount = 8;
  info.biClrUsed = 20;  // a used count overrides the bit count, also at 24 bits
  EXPECT_EQ(dibColorCount(&info), 20);
  info.biBitCount = 24;
  EXPECT_EQ(dibColorTableSize(&info), 80);
  info.biClrUsed = 0x10005;  // kept to 16 bits
  EXPECT_EQ(dibColorCount(&info), 5);
  info.biClrUsed = 20000;  // 80,000 bytes do not fit 16 bits
  EXPECT_EQ(dibColorTableSize(&info), 0xFFFF);
}

// Which pixels of a picture differ from the ones of the same picture before.
std::string paintedMap(const BITMAPINFOHEADER* dib) {
  std::string map;
  for (int y = dib->biHeight - 1; y >= 0; --y) {
    for (int x = 0; x < dib->biWidth; ++x) {
      map += std::memcmp(pixel(dib, x, y), kRed, 3) == 0 ? '#' : '.';
    }
    map += '\n';
  }
  return map;
}

TEST(DibFrameTest, FiveWideFrameClippedToThePicture) {
  DibPtr dib = blankDib(12, 11);
  drawDibBorder(dib.get(), kRed);
  EXPECT_EQ(paintedMap(dib.get()),
            "############\n"
            "############\n"
            "############\n"
            "############\n"
            "############\n"
            "#####..#####\n"
            "############\n"
            "############\n"
            "############\n"
            "############\n"
            "############\n");
  DibPtr narrow = blankDib(7, 3);  // under 10 pixels both ways: painted over entirely
  drawDibBorder(narrow.get(), kRed);
  EXPECT_EQ(paintedMap(narrow.get()), "#######\n#######\n#######\n");
}

TEST(DibRefusalTest, DibsThatAreNotPlain24BitRgbAreRefusedUntouched) {
  void (*const spoilers[])(BITMAPINFOHEADER&) = {
      [](BITMAPINFOHEADER& h) { h.biBitCount = 8; },
      [](BITMAPINFOHEADER& h) { h.biClrUsed = 2; },
      [](BITMAPINFOHEADER& h) { h.biWidth = 0; },
      [](BITMAPINFOHEADER& h) { h.biHeight = -16; },
      [](BITMAPINFOHEADER& h) { h.biSizeImage = 12; },  // less than its rows
      [](BITMAPINFOHEADER& h) { h.biCompression = 1; },
      [](BITMAPINFOHEADER& h) { h.biSize = 124; },
      [](BITMAPINFOHEADER& h) { h.biWidth = 0x7FFFFFFF; },  // far more bytes than any buffer
  };
  for (int which = 0; which < 8; ++which) {
    DibPtr dib = noiseDib(16, 16, 2);
    const std::string before = pixelBytes(dib.get());
    spoilers[which](*dib);
    EXPECT_EQ(blurDib(dib.get(), 3, 3), nullptr) << which;
    EXPECT_EQ(resizeDib(dib.get(), 8, 8), nullptr) << which;
    EXPECT_EQ(makeDibThumbnail(dib.get(), 8, 8, 3, 3), nullptr) << which;
    drawDibBorder(dib.get(), kRed);
    setDibPixel(dib.get(), 1, 1, kRed);
    *dib = *noiseDib(16, 16, 2);  // the header again, to compare the pixels
    EXPECT_EQ(pixelBytes(dib.get()), before) << which;
  }
  const DibPtr dib = noiseDib(4, 4, 3);
  EXPECT_EQ(resizeDib(dib.get(), 0, 4), nullptr);
  EXPECT_EQ(blurDib(dib.get(), 0, 3), nullptr);
  EXPECT_EQ(makeDibThumbnail(dib.get(), 4, -1, 3, 3), nullptr);
  EXPECT_EQ(blurDib(nullptr, 3, 3), nullptr);
}

TEST(ThumbnailSizeTest, PowerOfTwoNotAboveFourThirds) {
  // The last: no overflow on the way.
  for (auto [size, power] :
       {std::pair{48, 64}, {100, 128}, {200, 256}, {47, 32}, {1, 1}, {0x7FFFFFFF, 1 << 30}}) {
    EXPECT_EQ(roundToPowerOfTwo(size), power) << size;
  }
}

TEST(ThumbnailSizeTest, PictureFittedIntoTheSquare) {
  struct Case {
    int size, width, height, fittedSize, fittedWidth, fittedHeight;
  } cases[] = {
      {256, 800, 600, 256, 256, 192}, {256, 100, 50, 128, 128, 64}, {32, 20, 40, 64, 32, 64},
      {256, 3000, 7, 256, 256, 0},  // a sliver keeps its proportion, rounded down
      {256, 300, 300, 256, 256, 256}, {256, 0, 0, 64, 0, 0},  // nothing to divide by
  };
  for (const Case& c : cases) {
    int size = c.size, width = c.width, height = c.height;
    fitThumbnailSize(size, width, height);
    EXPECT_EQ(size, c.fittedSize) << c.width << "x" << c.height;
    EXPECT_EQ(width, c.fittedWidth) << c.width << "x" << c.height;
    EXPECT_EQ(height, c.fittedHeight) << c.width << "x" << c.height;
  }
}

}  // namespace
