// DIB handles from screen bitmaps, and BMP files written from them.
#include "imaging_fixture.h"

namespace {

class BmpFileTest : public ImagingWinTest {};

// The size counts the whole block, bytes beyond the DIB included; the offset skips the colour
// table that the header's bit count implies.
TEST_F(BmpFileTest, FileHeaderThenTheWholeBlock) {
  const struct {
    WORD bits;
    SIZE_T extra;
    std::uint32_t offset;
  } cases[] = {{24, 0, 54}, {8, 6, 14 + 40 + 1024}};
  for (const auto& c : cases) {
    HGLOBAL dib = noiseDibHandle(7, 5, c.bits, c.extra);
    static_cast<BITMAPINFOHEADER*>(GlobalLock(dib))->biBitCount = c.bits;
    GlobalUnlock(dib);
    ASSERT_TRUE(writeDibToBmpFile(path("a.bmp").c_str(), dib));
    const std::string file = readFile(path("a.bmp"));
    ASSERT_EQ(file.size(), 14 + 40 + 5 * stride24(7) + c.extra) << c.bits;
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(littleEndianAt(file, 2, 4), file.size());
    EXPECT_EQ(littleEndianAt(file, 6, 4), 0u);  // both reserved words
    EXPECT_EQ(littleEndianAt(file, 10, 4), c.offset);
    EXPECT_EQ(file.substr(14), blockBytes(dib));
    GlobalFree(dib);
  }
}

TEST_F(BmpFileTest, NullHandleOrUnopenableFileFails) {
  EXPECT_FALSE(writeDibToBmpFile(path("c.bmp").c_str(), nullptr));
  EXPECT_FALSE(exists("c.bmp"));
  HGLOBAL dib = noiseDibHandle(2, 2, 3);
  EXPECT_FALSE(writeDibToBmpFile(path("missing\\c.bmp").c_str(), dib));
  GlobalFree(dib);
}

// A bitmap as the system loads it from a file, read back as a DIB.
class DdbToDibTest : public ImagingWinTest {
 protected:
  HGLOBAL loadAndConvert(const std::string& name, UINT flags) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path(name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | flags));
    EXPECT_NE(bitmap, nullptr);
    HGLOBAL dib = ddbToDib(bitmap, nullptr);
    DeleteObject(bitmap);
    return dib;
  }
};

TEST_F(DdbToDibTest, TwentyFourBitPictureComesBackByteForByte) {
  HGLOBAL source = noiseDibHandle(7, 5, 4);
  ASSERT_TRUE(writeDibToBmpFile(path("24.bmp").c_str(), source));
  HGLOBAL dib = loadAndConvert("24.bmp", 0);
  ASSERT_NE(dib, nullptr);
  const std::string bytes = blockBytes(dib);
  EXPECT_EQ(bytes.size(), 40 + 5 * stride24(7));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
  EXPECT_EQ(header->biBitCount, 24);
  EXPECT_EQ(header->biWidth, 7);
  EXPECT_EQ(header->biHeight, 5);
  EXPECT_EQ(header->biSizeImage, 5 * stride24(7));
  EXPECT_EQ(bytes.substr(40), blockBytes(source).substr(40));
  GlobalFree(dib);
  GlobalFree(source);
}

// An 8-bit BMP file: 256 grey-ramp colours in reverse, indices of noise, width 5 (3 padding
// bytes per row).
std::string eightBitBmp(int width, int height) {
  const std::size_t stride = (width + 3) / 4 * 4;
  std::string table;
  for (int i = 0; i < 256; ++i) {
    table += static_cast<char>(255 - i);
    table += static_cast<char>(i);
    table += static_cast<char>(i / 2);
    table += '\0';
  }
  std::string pixels(stride * height, '\0');
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels[y * stride + x] = static_cast<char>((x * 37 + y * 91) % 256);
  }
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 8;
  std::string file = "BM";
  const std::uint32_t fileSize = static_cast<std::uint32_t>(14 + 40 + table.size() + pixels.size());
  const std::uint32_t offset = 14 + 40 + 1024;
  file.append(reinterpret_cast<const char*>(&fileSize), 4);
  file.append(4, '\0');
  file.append(reinterpret_cast<const char*>(&offset), 4);
  file.append(reinterpret_cast<const char*>(&header), 40);
  return file + table + pixels;
}

TEST_F(DdbToDibTest, EightBitPictureKeepsItsTableAndIndices) {
  const std::string file = eightBitBmp(5, 4);
  writeFile(path("8.bmp"), file);
  HGLOBAL dib = loadAndConvert("8.bmp", LR_CREATEDIBSECTION);
  ASSERT_NE(dib, nullptr);
  const std::string bytes = blockBytes(dib);
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
  EXPECT_EQ(header->biBitCount, 8);
  EXPECT_EQ(dibColorTableSize(header), 1024);
  ASSERT_EQ(bytes.size(), 40 + 1024 + 4 * 8u);
  EXPECT_EQ(bytes.substr(40, 1024), file.substr(54, 1024));
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(bytes.substr(1064 + 8 * y, 5), file.substr(1078 + 8 * y, 5));
  GlobalFree(dib);
}

TEST_F(DdbToDibTest, NoBitmapNoBlock) {
  EXPECT_EQ(ddbToDib(nullptr, nullptr), nullptr);
  HBITMAP deleted = CreateBitmap(4, 4, 1, 1, nullptr);
  DeleteObject(deleted);
  EXPECT_EQ(ddbToDib(deleted, nullptr), nullptr);
}

}  // namespace
