// readJpegFile and writeJpegFile: orientation, grey, the written file's coding parameters,
// and refusal of bad DIBs and bad files without a crash, a leak or a file left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "imaging/jpeg_files.h"
#include "jpeg_test_support.h"

namespace {

// Owns what readJpegFile makes.
struct ReadDib {
  BITMAPINFOHEADER* dib = reinterpret_cast<BITMAPINFOHEADER*>(1);  // proves it is overwritten
  ~ReadDib() {
    if (dib != reinterpret_cast<BITMAPINFOHEADER*>(1)) ::operator delete(dib);
  }
};

// Flat colour bands: red on top, green in the middle, blue at the bottom.
Bgr bands(int, int row, int height) {
  if (row < height / 3) return Bgr{0, 0, 255};
  if (row < 2 * height / 3) return Bgr{0, 255, 0};
  return Bgr{255, 0, 0};
}

void expectNear(Bgr actual, Bgr expected, int tolerance) {
  EXPECT_NEAR(actual.b, expected.b, tolerance);
  EXPECT_NEAR(actual.g, expected.g, tolerance);
  EXPECT_NEAR(actual.r, expected.r, tolerance);
}

TEST(JpegFiles, DibWrittenAndReadBackStaysUpright) {
  TempFolder folder;
  const int width = 37, height = 30;  // odd width: rows carry padding
  TestDib source(width, height, [](int x, int row) { return bands(x, row, height); });
  const std::string path = folder.file("bands.jpg");
  ASSERT_NE(writeJpegFile(path.c_str(), source.header()), 0);

  ReadDib read;
  ASSERT_NE(readJpegFile(path.c_str(), &read.dib), 0);
  const BITMAPINFOHEADER& h = *read.dib;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, width);
  EXPECT_EQ(h.biHeight, height);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 0u);
  EXPECT_EQ(h.biClrUsed, 0u);
  const BYTE* rows = reinterpret_cast<const BYTE*>(read.dib) + 40;
  for (int y = 0; y < height; ++y) EXPECT_EQ(rows[y * 112 + 111], 0) << "padding of row " << y;
  // Away from the band edges the colours survive compression closely.
  for (int x = 2; x < width - 2; x += 5) {
    expectNear(dibPixel(read.dib, x, 2), Bgr{0, 0, 255}, 12);
    expectNear(dibPixel(read.dib, x, height / 2), Bgr{0, 255, 0}, 12);
    expectNear(dibPixel(read.dib, x, height - 3), Bgr{255, 0, 0}, 12);
  }
}

TEST(JpegFiles, FileReadAndWrittenBackStaysUpright) {
  TempFolder folder;
  const int width = 21, height = 19;
  const std::string original = folder.file("original.jpg");
  writeBytes(original,
             encodeJpeg(width, height, [](int x, int row) { return bands(x, row, height); }));

  ReadDib read;
  ASSERT_NE(readJpegFile(original.c_str(), &read.dib), 0);
  // The picture's top row is the DIB's last stored row.
  const BYTE* lastStored = reinterpret_cast<const BYTE*>(read.dib) + 40 + (height - 1) * 64;
  expectNear(Bgr{lastStored[6], lastStored[7], lastStored[8]}, Bgr{0, 0, 255}, 12);

  const std::string copy = folder.file("copy.jpg");
  ASSERT_NE(writeJpegFile(copy.c_str(), read.dib), 0);
  const std::vector<Bytes> rows = decodeJpegRows(readBytes(copy));
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
  expectNear(Bgr{rows[1][9], rows[1][10], rows[1][11]}, Bgr{0, 0, 255}, 16);
  expectNear(Bgr{rows[height - 2][9], rows[height - 2][10], rows[height - 2][11]}, Bgr{255, 0, 0},
             16);
}

TEST(JpegFiles, PixelsAreLibjpegTurbosDecodeExactly) {
  TempFolder folder;
  const int width = 13, height = 11;
  auto pattern = [](int x, int row) {
    return Bgr{static_cast<std::uint8_t>(x * 19), static_cast<std::uint8_t>(row * 23),
               static_cast<std::uint8_t>((x ^ row) * 11)};
  };
  for (int components : {1, 3}) {
    JpegOptions options;
    options.components = components;
    const Bytes jpeg = encodeJpeg(width, height, pattern, options);
    const std::string path = folder.file("pattern.jpg");
    writeBytes(path, jpeg);
    ReadDib read;
    ASSERT_NE(readJpegFile(path.c_str(), &read.dib), 0);
    const std::vector<Bytes> rows = decodeJpegRows(jpeg);
    for (int row = 0; row < height; ++row) {
      for (int x = 0; x < width; ++x) {
        const Bgr p = dibPixel(read.dib, x, row);
        ASSERT_EQ(p.b, rows[row][3 * x]) << components << " channels at " << x << "," << row;
        ASSERT_EQ(p.g, rows[row][3 * x + 1]);
        ASSERT_EQ(p.r, rows[row][3 * x + 2]);
        if (components == 1) {
          ASSERT_TRUE(p.b == p.g && p.g == p.r);
        }
      }
    }
  }
}

// Refused before a pixel is read: the DIB is only its header, so any pixel access is caught
// by the address sanitizer.
TEST(JpegFiles, BadDibsAreRefusedWithoutAFile) {
  TempFolder folder;
  const std::string path = folder.file("refused.jpg");
  const auto good = [] {
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = 4;
    h.biHeight = 4;
    h.biPlanes = 1;
    h.biBitCount = 24;
    return h;
  };
  struct Case {
    const char* what;
    void (*spoil)(BITMAPINFOHEADER&);
  };
  const Case cases[] = {
      {"8-bit", [](BITMAPINFOHEADER& h) { h.biBitCount = 8; }},
      {"32-bit", [](BITMAPINFOHEADER& h) { h.biBitCount = 32; }},
      {"colour table", [](BITMAPINFOHEADER& h) { h.biClrUsed = 2; }},
      {"compressed", [](BITMAPINFOHEADER& h) { h.biCompression = 1; }},
      {"core header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
      {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
      {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
      {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
      {"top-down", [](BITMAPINFOHEADER& h) { h.biHeight = -4; }},
      {"short image size", [](BITMAPINFOHEADER& h) { h.biSizeImage = 47; }},
      {"too wide for JPEG", [](BITMAPINFOHEADER& h) { h.biWidth = 65501; }},
      {"over the pixel cap", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 8193; }},
      {"largest LONG sides", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
  };
  for (const Case& c : cases) {
    BITMAPINFOHEADER* header = static_cast<BITMAPINFOHEADER*>(std::malloc(40));
    *header = good();
    c.spoil(*header);
    EXPECT_EQ(writeJpegFile(path.c_str(), header), 0) << c.what;
    EXPECT_FALSE(fileExists(path)) << c.what;
    std::free(header);
  }
  EXPECT_EQ(writeJpegFile(path.c_str(), nullptr), 0);
  TestDib fine(4, 4, [](int, int) { return Bgr{1, 2, 3}; });
  EXPECT_EQ(writeJpegFile(nullptr, fine.header()), 0);
  fine.header()->biSizeImage = 48;  // exactly the rows: accepted
  EXPECT_NE(writeJpegFile(path.c_str(), fine.header()), 0);
}

TEST(JpegFiles, UnwritablePathFails) {
  TempFolder folder;
  TestDib dib(4, 4, [](int, int) { return Bgr{1, 2, 3}; });
  EXPECT_EQ(writeJpegFile(folder.file("missing/folder.jpg").c_str(), dib.header()), 0);
}

TEST(JpegFiles, UnreadableFilesFailWithNull) {
  TempFolder folder;
  const Bytes good = encodeJpeg(40, 24, [](int x, int row) { return bands(x, row, 24); });
  writeBytes(folder.file("empty.jpg"), {});
  writeBytes(folder.file("text.jpg"), Bytes{'n', 'o', ' ', 'j', 'p', 'e', 'g'});
  Bytes noData(good.begin(), good.begin() + 2);
  writeBytes(folder.file("soi.jpg"), noData);
  Bytes damaged = good;
  for (std::size_t i = good.size() / 2; i < good.size() - 2; i += 7) damaged[i] = 0xFF;
  writeBytes(folder.file("damaged.jpg"), damaged);
  for (const char* name : {"missing.jpg", "empty.jpg", "text.jpg", "soi.jpg", "damaged.jpg"}) {
    ReadDib read;
    EXPECT_EQ(readJpegFile(folder.file(name).c_str(), &read.dib), 0) << name;
    EXPECT_EQ(read.dib, nullptr) << name;
  }
  EXPECT_EQ(readJpegFile(nullptr, nullptr), 0);
  ReadDib read;
  EXPECT_EQ(readJpegFile(nullptr, &read.dib), 0);
  EXPECT_EQ(read.dib, nullptr);
}

// Cut anywhere before its end marker, a file is refused, baseline and progressive alike.
TEST(JpegFiles, TruncatedFilesFail) {
  TempFolder folder;
  const std::string path = folder.file("cut.jpg");
  for (bool progressive : {false, true}) {
    JpegOptions options;
    options.progressive = progressive;
    const Bytes whole = encodeJpeg(
        48, 40,
        [](int x, int row) {
          return Bgr{std::uint8_t(x * 5), std::uint8_t(row * 6), 9};
        },
        options);
    for (std::size_t cut = 0; cut + 2 < whole.size(); cut += 1 + cut / 8) {
      writeBytes(path, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
      ReadDib read;
      EXPECT_EQ(readJpegFile(path.c_str(), &read.dib), 0) << progressive << " cut at " << cut;
      EXPECT_EQ(read.dib, nullptr);
    }
  }
}

TEST(JpegFiles, CmykYcckRefusedAndScanCountBounded) {
  TempFolder folder;
  auto grey = [](int x, int) { return Bgr{std::uint8_t(x), std::uint8_t(x), std::uint8_t(x)}; };
  JpegOptions cmyk;
  cmyk.components = 4;
  writeBytes(folder.file("cmyk.jpg"), encodeJpeg(16, 16, grey, cmyk));
  JpegOptions ycck = cmyk;
  ycck.ycck = true;
  writeBytes(folder.file("ycck.jpg"), encodeJpeg(16, 16, grey, ycck));
  JpegOptions manyScans;  // 1 + 3 x 63 = 190 scans
  manyScans.everyCoefficientOwnScan = true;
  writeBytes(folder.file("scans.jpg"), encodeJpeg(16, 16, grey, manyScans));
  JpegOptions greyScans;  // 1 + 63 = 64 scans: within the bound
  greyScans.components = 1;
  greyScans.everyCoefficientOwnScan = true;
  writeBytes(folder.file("grey_scans.jpg"), encodeJpeg(16, 16, grey, greyScans));

  for (const char* name : {"cmyk.jpg", "ycck.jpg"}) {
    ReadDib read;
    EXPECT_EQ(readJpegFile(folder.file(name).c_str(), &read.dib), 0) << name;
    EXPECT_EQ(read.dib, nullptr) << name;
  }
  ReadDib scansRead, greyRead;
  EXPECT_EQ(readJpegFile(folder.file("scans.jpg").c_str(), &scansRead.dib), 0);
  EXPECT_EQ(scansRead.dib, nullptr);
  EXPECT_NE(readJpegFile(folder.file("grey_scans.jpg").c_str(), &greyRead.dib), 0);
}

}  // namespace
