// DIB layout, colour tables, pixels and frame, and the thumbnail's size; box blur,
// nearest-neighbour resize and thumbnails against literal computations.
#include <gtest/gtest.h>

#include "dib_pictures.h"
#include "imaging/dib_layout.h"

namespace {

const BYTE kRed[3] = {0, 0, 255};

TEST(DibLayoutTest, RowsArePaddedToFourBytes) {
  const DibPtr source = noiseDib(3, 2, 1);
  const DibPtr one = DibPtr(resizeDib(source.get(), 1, 2));
  const DibPtr four = DibPtr(resizeDib(source.get(), 4, 2));
  ASSERT_TRUE(one && four);
  const BITMAPINFOHEADER header{40, 1, 2, 1, 24, 0, 2 * 4, 0, 0, 0, 0};  // 3 bytes, 1 padding
  EXPECT_EQ(std::memcmp(one.get(), &header, 40), 0);
  EXPECT_EQ(four->biSizeImage, 2u * 12);

  setDibPixel(one.get(), 0, 1, kRed);  // second stored row starts at 40 + 4
  EXPECT_EQ(0, std::memcmp(reinterpret_cast<BYTE*>(one.get()) + 44, kRed, 3));
  setDibPixel(four.get(), 3, 1, kRed);  // 40 + 12 + 9
  EXPECT_EQ(0, std::memcmp(reinterpret_cast<BYTE*>(four.get()) + 61, kRed, 3));
}

TEST(DibLayoutTest, ColourCountsOfBothHeaderKinds) {
  BITMAPINFOHEADER info{};
  info.biSize = 40;
  BITMAPCOREHEADER core{};
  core.bcSize = 12;
  for (auto [bits, count] : {std::pair{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}}) {
    info.biBitCount = core.bcBitCount = static_cast<WORD>(bits);
    EXPECT_EQ(dibColorCount(&info), count) << bits;
    EXPECT_EQ(dibColorTableSize(&info), count * 4) << bits;
    EXPECT_EQ(dibColorCount(&core), count) << bits;
    EXPECT_EQ(dibColorTableSize(&core), count * 3) << bits;
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

// 12 x 11: only x 5..6 of row 5 is inside the frame; under 10 pixels both ways (7 x 3) the
// picture is painted over entirely.
TEST(DibFrameTest, FiveWideFrameClippedToThePicture) {
  for (auto [width, height] : {std::pair{12, 11}, {7, 3}}) {
    DibPtr dib = blankDib(width, height);
    drawDibBorder(dib.get(), kRed);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool inside = x >= 5 && x < width - 5 && y >= 5 && y < height - 5;
        EXPECT_EQ(std::memcmp(pixel(dib.get(), x, y), kRed, 3) != 0, inside) << x << "," << y;
      }
    }
  }
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

TEST(ThumbnailSizeTest, PowerOfTwoNotAboveFourThirdsAndThePictureFittedIntoTheSquare) {
  // The last: no overflow on the way.
  for (auto [size, power] :
       {std::pair{48, 64}, {100, 128}, {200, 256}, {47, 32}, {1, 1}, {0x7FFFFFFF, 1 << 30}}) {
    EXPECT_EQ(roundToPowerOfTwo(size), power) << size;
  }
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

// The blur as a sum over every box position, pixel by pixel: the box reaches kx / 2 to the left
// and ky / 2 down, is clipped to the picture, and the average drops its fraction.
DibPtr literalBlur(const BITMAPINFOHEADER* dib, int kx, int ky) {
  DibPtr out = blankDib(dib->biWidth, dib->biHeight);
  for (int y = 0; y < dib->biHeight; ++y) {
    for (int x = 0; x < dib->biWidth; ++x) {
      unsigned sum[3] = {0, 0, 0};
      unsigned count = 0;
      for (int sy = y - ky / 2; sy < y - ky / 2 + ky; ++sy) {
        for (int sx = x - kx / 2; sx < x - kx / 2 + kx; ++sx) {
          if (sx < 0 || sy < 0 || sx >= dib->biWidth || sy >= dib->biHeight) continue;
          for (int c = 0; c < 3; ++c) sum[c] += pixel(dib, sx, sy)[c];
          ++count;
        }
      }
      for (int c = 0; c < 3; ++c) pixel(out.get(), x, y)[c] = static_cast<BYTE>(sum[c] / count);
    }
  }
  return out;
}

TEST(BlurTest, EqualsTheLiteralSumForEveryBoxShape) {
  const int boxes[][2] = {{1, 1}, {3, 3}, {2, 2}, {4, 1}, {1, 6}, {5, 7}, {40, 3}, {1000, 1000}};
  for (const auto& box : boxes) {
    // The last picture gives a 1000 x 1000 box 5,000 pixels: sums divided, not scaled.
    for (const auto& size : {std::pair<int, int>{17, 9}, {1, 23}, {31, 1}, {100, 50}}) {
      const DibPtr dib = noiseDib(size.first, size.second, box[0] * 31 + box[1]);
      const DibPtr blurred(blurDib(dib.get(), box[0], box[1]));
      ASSERT_TRUE(blurred);
      EXPECT_EQ(pixelBytes(blurred.get()), pixelBytes(literalBlur(dib.get(), box[0], box[1]).get()))
          << box[0] << "x" << box[1] << " on " << size.first << "x" << size.second;
    }
  }
}

TEST(BlurTest, AveragesByReciprocalEqualIntegerDivision) {
  // Every quotient's edges, for every count scaled by a reciprocal, and the first that divides.
  for (std::uint64_t count = 1; count <= 4104; ++count) {
    const std::uint64_t reciprocal = dib::reciprocalOf(count);
    ASSERT_EQ(reciprocal == 0, count == 4104) << count;
    for (std::uint64_t quotient = 0; quotient <= 255; ++quotient) {
      for (const std::uint64_t sum : {quotient * count, quotient * count + count - 1}) {
        if (sum > 255 * count) continue;
        ASSERT_EQ(dib::averageOf(sum, count, reciprocal), sum / count) << sum << " / " << count;
      }
    }
  }
}

// Nearest neighbour: 2 x 2 to 64 picks column 0 up to 15, and the steps accumulate by addition.
TEST(ResizeTest, NearestNeighbourStepsAccumulateByAddition) {
  DibPtr dib = blankDib(2, 2);  // blue holds the column and green the row, where they are read
  pixel(dib.get(), 1, 0)[0] = 1;
  pixel(dib.get(), 0, 1)[1] = 1;
  const DibPtr resized(resizeDib(dib.get(), 64, 64));
  ASSERT_TRUE(resized);
  for (int i = 0; i < 64; ++i) {
    const int expected = i < 16 ? 0 : 1;
    EXPECT_EQ(pixel(resized.get(), i, 0)[0], expected) << "column " << i;
    EXPECT_EQ(pixel(resized.get(), 0, i)[1], expected) << "row " << i;
  }
  // 999 / 100 in single precision added 50 times gives 499.49..., while 50 times the step
  // gives 499.5: column 50 comes from source column 499.
  DibPtr wide = blankDib(999, 1);
  for (int x = 0; x < 999; ++x) pixel(wide.get(), x, 0)[0] = static_cast<BYTE>(x % 256);
  const DibPtr narrow(resizeDib(wide.get(), 100, 1));
  ASSERT_TRUE(narrow);
  EXPECT_EQ(pixel(narrow.get(), 50, 0)[0], 499 % 256);
  EXPECT_EQ(pixel(narrow.get(), 99, 0)[0], 989 % 256);
}

TEST(ThumbnailTest, SameBytesAsBlurringEverythingThenResizing) {
  struct Case {
    int sourceWidth, sourceHeight, width, height, kx, ky;
    bool grey;
  } cases[] = {
      {333, 77, 64, 64, 3, 3, false},   // odd sizes
      {257, 191, 128, 96, 3, 3, true},  // grey
      {40, 30, 64, 64, 3, 3, false},    // smaller than the target: not blurred, enlarged
      {64, 64, 64, 64, 3, 3, false},    // larger side equal to the width: not blurred
      {65, 10, 64, 64, 3, 3, false},    // one column more: blurred
      {300, 5, 256, 256, 3, 3, false},  // extreme proportions, rows enlarged
      {1001, 2, 7, 300, 3, 3, false},     {100, 80, 99, 99, 2, 4, false},  // even boxes
      {30, 20, 10, 10, 100, 100, false},   // a box larger than the picture
      {100, 60, 10, 10, 101, 101, false},  // boxes of 6,000 pixels: sums divided, not scaled
      {1, 1, 1, 1, 3, 3, false},
  };
  for (const Case& c : cases) {
    const DibPtr dib = noiseDib(c.sourceWidth, c.sourceHeight, c.sourceWidth + c.width, c.grey);
    const DibPtr fast(makeDibThumbnail(dib.get(), c.width, c.height, c.kx, c.ky));
    const DibPtr literal = literalThumbnail(dib.get(), c.width, c.height, c.kx, c.ky);
    ASSERT_TRUE(fast && literal);
    EXPECT_EQ(std::memcmp(fast.get(), literal.get(), 40), 0);  // the resize's header
    EXPECT_TRUE(pixelBytes(fast.get()) == pixelBytes(literal.get()))
        << c.sourceWidth << "x" << c.sourceHeight << " to " << c.width << "x" << c.height;
  }
}

}  // namespace
