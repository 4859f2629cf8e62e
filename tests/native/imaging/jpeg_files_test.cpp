// readJpegFile and writeJpegFile: pictures stay upright both ways, grey becomes three equal
// channels, bad DIBs and bad files are refused without a crash, a leak or a file left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#include "imaging/jpeg_files.h"
#include "jpeg_test_support.h"

namespace {

struct ReadDib {
  BITMAPINFOHEADER* dib = reinterpret_cast<BITMAPINFOHEADER*>(&dib);  // proves it is overwritten
  ~ReadDib() {
    if (dib != reinterpret_cast<BITMAPINFOHEADER*>(&dib)) ::operator delete(dib);
  }
};

constexpr Bgr kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0};

// Flat bands: red on top, green in the middle, blue at the bottom.
Picture bands(int height) {
  return [height](int, int row) {
    return row < height / 3 ? kRed : row < 2 * height / 3 ? kGreen : kBlue;
  };
}

void expectBandsUpright(const BITMAPINFOHEADER* dib) {
  const int height = dib->biHeight;
  for (int x = 2; x < dib->biWidth - 2; x += 5) {
    for (auto [row, band] : {std::pair{1, kRed}, {height / 2, kGreen}, {height - 2, kBlue}}) {
      const Bgr p = dibPixel(dib, x, row);
      EXPECT_NEAR(p.b, band.b, 12) << x << "," << row;
      EXPECT_NEAR(p.g, band.g, 12) << x << "," << row;
      EXPECT_NEAR(p.r, band.r, 12) << x << "," << row;
    }
  }
}

TEST(JpegFiles, PicturesStayUprightBothWays) {
  TempFolder folder;
  const int width = 37, height = 30;  // odd width: every row has one byte of padding
  // Read: a file made by libjpeg-turbo itself becomes a bottom-up DIB.
  writeBytes(folder.file("made.jpg"), encodeJpeg(width, height, bands(height)));
  ReadDib read;
  ASSERT_NE(readJpegFile(folder.file("made.jpg").c_str(), &read.dib), 0);
  const BITMAPINFOHEADER expected{40, width, height, 1, 24, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(read.dib, &expected, 40), 0) << "header, biSizeImage 0";
  expectBandsUpright(read.dib);
  const BYTE* rows = reinterpret_cast<const BYTE*>(read.dib) + 40;
  for (int y = 0; y < height; ++y) EXPECT_EQ(rows[y * 112 + 111], 0) << "padding, row " << y;
  // Write: a DIB written and read back keeps its top row on top.
  DibPtr dib = makeDib(width, height, bands(height));
  ASSERT_NE(writeJpegFile(folder.file("written.jpg").c_str(), dib.get()), 0);
  ReadDib back;
  ASSERT_NE(readJpegFile(folder.file("written.jpg").c_str(), &back.dib), 0);
  expectBandsUpright(back.dib);
}

TEST(JpegFiles, GreyBecomesThreeEqualChannels) {
  TempFolder folder;
  const auto ramp = [](int x, int row) { return Bgr{0, std::uint8_t(x * 8 + row * 3), 0}; };
  writeBytes(folder.file("grey.jpg"), encodeJpeg(29, 11, ramp, JpegOptions{1}));
  ReadDib read;
  ASSERT_NE(readJpegFile(folder.file("grey.jpg").c_str(), &read.dib), 0);
  for (int row = 0; row < 11; ++row) {
    for (int x = 0; x < 29; ++x) {
      const Bgr p = dibPixel(read.dib, x, row);
      ASSERT_TRUE(p.b == p.g && p.g == p.r) << x << "," << row;
      EXPECT_NEAR(p.g, ramp(x, row).g, 6) << x << "," << row;
    }
  }
}

// The DIB is only its 40-byte header: reading any pixel would be caught by the sanitizer.
TEST(JpegFiles, BadDibsAreRefusedBeforeAPixelIsRead) {
  TempFolder folder;
  const std::string path = folder.file("refused.jpg");
  const std::pair<const char*, void (*)(BITMAPINFOHEADER&)> cases[] = {
      {"8-bit", [](BITMAPINFOHEADER& h) { h.biBitCount = 8; }},
      {"32-bit", [](BITMAPINFOHEADER& h) { h.biBitCount = 32; }},
      {"colour table", [](BITMAPINFOHEADER& h) { h.biClrUsed = 2; }},
      {"compressed", [](BITMAPINFOHEADER& h) { h.biCompression = 1; }},
      {"core header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
      {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
      {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
      {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
      {"top-down", [](BITMAPINFOHEADER& h) { h.biHeight = -4; }},
      {"image size short of the rows", [](BITMAPINFOHEADER& h) { h.biSizeImage = 47; }},
      {"too wide for JPEG", [](BITMAPINFOHEADER& h) { h.biWidth = 65501; }},
      {"over the pixel cap", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 8193; }},
      {"largest sides", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
  };
  for (const auto& [what, spoil] : cases) {
    auto* h = static_cast<BITMAPINFOHEADER*>(std::malloc(40));
    *h = BITMAPINFOHEADER{40, 4, 4, 1, 24, 0, 0, 0, 0, 0, 0};
    spoil(*h);
    EXPECT_EQ(writeJpegFile(path.c_str(), h), 0) << what;
    EXPECT_FALSE(std::filesystem::exists(path)) << what;
    std::free(h);
  }
  EXPECT_EQ(writeJpegFile(path.c_str(), nullptr), 0);
  DibPtr fine = makeDib(4, 4, bands(4));
  EXPECT_EQ(writeJpegFile(nullptr, fine.get()), 0);
  EXPECT_EQ(writeJpegFile(folder.file("no/such/folder.jpg").c_str(), fine.get()), 0);
  fine.get()->biSizeImage = 48;  // exactly the rows
  EXPECT_NE(writeJpegFile(path.c_str(), fine.get()), 0);
}

TEST(JpegFiles, BadFilesFailWithNull) {
  TempFolder folder;
  const Picture texture = [](int x, int row) {
    return Bgr{std::uint8_t(x * 5), std::uint8_t(row * 6), 9};
  };
  std::vector<std::pair<std::string, Bytes>> files = {
      {"empty", {}}, {"text", Bytes{'n', 'o', 't', ' ', 'J', 'P', 'E', 'G'}}};
  // Cut anywhere before the end marker, baseline and progressive.
  for (bool progressive : {false, true}) {
    const Bytes whole = encodeJpeg(48, 40, texture, JpegOptions{3, false, progressive});
    for (std::size_t cut = 0; cut + 2 < whole.size(); cut += 1 + cut / 8)
      files.push_back({"cut " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut)});
    Bytes damaged = whole;
    for (std::size_t i = whole.size() / 2; i < whole.size() - 2; i += 7) damaged[i] = 0xFF;
    files.push_back({"damaged", damaged});
  }
  files.push_back({"CMYK", encodeJpeg(16, 16, texture, JpegOptions{4})});
  files.push_back({"YCCK", encodeJpeg(16, 16, texture, JpegOptions{4, true})});
  files.push_back({"190 scans", encodeJpeg(16, 16, texture, JpegOptions{3, false, false, true})});
  const std::string path = folder.file("bad.jpg");
  for (const auto& [what, bytes] : files) {
    writeBytes(path, bytes);
    ReadDib read;
    EXPECT_EQ(readJpegFile(path.c_str(), &read.dib), 0) << what;
    EXPECT_EQ(read.dib, nullptr) << what;
  }
  ReadDib missing, noPath;
  EXPECT_EQ(readJpegFile(folder.file("missing.jpg").c_str(), &missing.dib), 0);
  EXPECT_EQ(missing.dib, nullptr);
  EXPECT_EQ(readJpegFile(nullptr, &noPath.dib), 0);
  EXPECT_EQ(noPath.dib, nullptr);
  EXPECT_EQ(readJpegFile(path.c_str(), nullptr), 0);
  // 64 scans (grey, one per coefficient) are within the bound.
  writeBytes(path, encodeJpeg(16, 16, texture, JpegOptions{1, false, false, true}));
  ReadDib grey;
  EXPECT_NE(readJpegFile(path.c_str(), &grey.dib), 0);
}

}  // namespace
