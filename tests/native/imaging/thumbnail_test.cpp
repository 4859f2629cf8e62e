// Box blur, nearest-neighbour resize and thumbnails, against literal computations.
#include <gtest/gtest.h>

#include "dib_pictures.h"
#include "imaging/dib_layout.h"

namespace {

// The blur as a sum over every box position, pixel by pixel: the box reaches kx / 2 to the left
// and ky / 2 down, is clipped to the picture, and the average drops its fraction.
DibPtr literalBlur(const BITMAPINFOHEADER* dib, int kx, int ky) {
  DibPtr out = blankDib(dib->biWidth, dib->biHeight);
  for (int y = 0; y < dib->biHeight; ++y) {
    for (int x = 0; x < dib->biWidth; ++x) {
      unsigned sum[3] = {0, 0, 0};
      unsigned count = 0;
      for (int j = 0; j < ky; ++j) {
        for (int i = 0; i < kx; ++i) {
          const int sx = x + i - kx / 2;
          const int sy = y + j - ky / 2;
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

// What a thumbnail is by definition: blur the whole picture when its larger side exceeds the
// target width, then resize.
DibPtr literalThumbnail(const BITMAPINFOHEADER* dib, int width, int height, int kx, int ky) {
  if (std::max(dib->biWidth, dib->biHeight) <= width) {
    return DibPtr(resizeDib(dib, width, height));
  }
  const DibPtr blurred(blurDib(dib, kx, ky));
  return DibPtr(resizeDib(blurred.get(), width, height));
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

TEST(ResizeTest, TwoByTwoToSixtyFourPicksColumnZeroUpToFifteen) {
  DibPtr dib = blankDib(2, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      const BYTE value[3] = {static_cast<BYTE>(x), static_cast<BYTE>(y), 9};
      std::memcpy(pixel(dib.get(), x, y), value, 3);
    }
  }
  const DibPtr resized(resizeDib(dib.get(), 64, 64));
  ASSERT_TRUE(resized);
  for (int i = 0; i < 64; ++i) {
    const int expected = i < 16 ? 0 : 1;
    EXPECT_EQ(pixel(resized.get(), i, 0)[0], expected) << "column " << i;
    EXPECT_EQ(pixel(resized.get(), 0, i)[1], expected) << "row " << i;
  }
}

TEST(ResizeTest, StepsAccumulateByAdditionNotMultiplication) {
  // 999 / 100 in single precision added 50 times gives 499.49..., while 50 times the step
  // gives 499.5: column 50 comes from source column 499.
  DibPtr dib = blankDib(999, 1);
  for (int x = 0; x < 999; ++x) pixel(dib.get(), x, 0)[0] = static_cast<BYTE>(x % 256);
  const DibPtr resized(resizeDib(dib.get(), 100, 1));
  ASSERT_TRUE(resized);
  EXPECT_EQ(pixel(resized.get(), 50, 0)[0], 499 % 256);
  EXPECT_EQ(pixel(resized.get(), 99, 0)[0], 989 % 256);
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
      {3, 1001, 64, 64, 3, 3, false},
      {1001, 2, 7, 300, 3, 3, false},
      {100, 80, 99, 99, 2, 4, false},  // even boxes
      {50, 60, 20, 20, 9, 1, false},
      {30, 20, 10, 10, 100, 100, false},   // a box larger than the picture
      {100, 60, 10, 10, 101, 101, false},  // boxes of 6,000 pixels: sums divided, not scaled
      {1, 1, 1, 1, 3, 3, false},
  };
  for (const Case& c : cases) {
    const DibPtr dib = noiseDib(c.sourceWidth, c.sourceHeight, c.sourceWidth + c.width, c.grey);
    const DibPtr fast(makeDibThumbnail(dib.get(), c.width, c.height, c.kx, c.ky));
    const DibPtr literal = literalThumbnail(dib.get(), c.width, c.height, c.kx, c.ky);
    ASSERT_TRUE(fast && literal);
    EXPECT_EQ(fast->biWidth, c.width);
    EXPECT_EQ(fast->biHeight, c.height);
    EXPECT_EQ(fast->biSizeImage, strideOf(c.width) * c.height);
    EXPECT_TRUE(pixelBytes(fast.get()) == pixelBytes(literal.get()))
        << c.sourceWidth << "x" << c.sourceHeight << " to " << c.width << "x" << c.height;
  }
}

}  // namespace
