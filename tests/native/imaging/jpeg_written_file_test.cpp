// What writeJpegFile puts into the file, read from its markers: a JFIF (YCbCr) baseline frame
// of three components with luma sampled 2x2 and chroma once per 2x2 block, and the standard
// quantisation tables scaled to quality 85.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "imaging/jpeg_files.h"
#include "jpeg_test_support.h"

namespace {

// The example tables of the JPEG standard (Annex K), in row order.
constexpr std::array<int, 64> kLuminance = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChrominance = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// Row-order index of each zig-zag position, walking the anti-diagonals.
std::array<int, 64> zigzagToRowOrder() {
  std::array<int, 64> order{};
  int k = 0;
  for (int sum = 0; sum < 15; ++sum) {
    for (int i = 0; i <= sum; ++i) {
      const int row = sum % 2 == 0 ? sum - i : i;
      const int column = sum - row;
      if (row < 8 && column < 8) order[k++] = row * 8 + column;
    }
  }
  return order;
}

// Quality 85 scales by 200 - 2 x 85 = 30 %, rounded, kept within 1 .. 255.
std::array<int, 64> expectedZigzagTable(const std::array<int, 64>& base) {
  const std::array<int, 64> order = zigzagToRowOrder();
  std::array<int, 64> table{};
  for (int k = 0; k < 64; ++k) {
    const int scaled = (base[order[k]] * 30 + 50) / 100;
    table[k] = scaled < 1 ? 1 : scaled > 255 ? 255 : scaled;
  }
  return table;
}

struct Markers {
  bool jfif = false;
  Bytes frame;  // the SOF0 segment's content
  std::map<int, std::array<int, 64>> tables;
  int otherFrames = 0;
};

Markers readMarkers(const Bytes& file) {
  Markers m;
  std::size_t pos = 2;  // after SOI
  while (pos + 4 <= file.size() && file[pos] == 0xFF) {
    const int marker = file[pos + 1];
    const std::size_t length = file[pos + 2] << 8 | file[pos + 3];
    const Bytes body(file.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                     file.begin() + static_cast<std::ptrdiff_t>(pos + 2 + length));
    if (marker == 0xE0 && body.size() >= 5 &&
        Bytes(body.begin(), body.begin() + 5) == Bytes{'J', 'F', 'I', 'F', 0})
      m.jfif = true;
    if (marker == 0xC0) m.frame = body;
    if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      ++m.otherFrames;
    for (std::size_t t = 0; marker == 0xDB && t + 65 <= body.size(); t += 65) {
      EXPECT_EQ(body[t] >> 4, 0) << "8-bit table entries";
      std::array<int, 64>& table = m.tables[body[t] & 15];
      for (int k = 0; k < 64; ++k) table[k] = body[t + 1 + k];
    }
    if (marker == 0xDA) break;  // entropy-coded data follows
    pos += 2 + length;
  }
  return m;
}

TEST(JpegWrittenFile, ThreeComponentYcbcrFrameWithLuma2x2AndQuality85Tables) {
  TempFolder folder;
  const int width = 33, height = 17;
  DibPtr dib = makeDib(width, height, [](int x, int row) {
    return Bgr{std::uint8_t(x * 7), std::uint8_t(row * 13), std::uint8_t(x + row)};
  });
  const std::string path = folder.file("written.jpg");
  ASSERT_NE(writeJpegFile(path.c_str(), dib.get()), 0);
  const Bytes file = readBytes(path);
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 2), (Bytes{0xFF, 0xD8}));
  EXPECT_EQ(Bytes(file.end() - 2, file.end()), (Bytes{0xFF, 0xD9}));

  const Markers m = readMarkers(file);
  EXPECT_TRUE(m.jfif) << "JFIF: the three components are Y, Cb, Cr";
  EXPECT_EQ(m.otherFrames, 0);
  // Precision 8, height, width, 3 components: id, sampling (h << 4 | v), quantisation table.
  const Bytes frame = {8, 0, height, 0, width, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
  EXPECT_EQ(m.frame, frame);
  ASSERT_EQ(m.tables.size(), 2u);
  EXPECT_EQ(m.tables.at(0), expectedZigzagTable(kLuminance));
  EXPECT_EQ(m.tables.at(1), expectedZigzagTable(kChrominance));
}

}  // namespace
