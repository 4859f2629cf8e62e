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

// An 8-bit picture 5 wide (3 padding bytes per row): a reversed colour ramp, indices of a
// pattern, written as a BMP file.
TEST_F(DdbToDibTest, EightBitPictureKeepsItsTableAndIndices) {
  HGLOBAL source = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + 1024 + 4 * 8);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(source));
  *header = BITMAPINFOHEADER{40, 5, 4, 1, 8, 0, 0, 0, 0, 0, 0};
  BYTE* table = reinterpret_cast<BYTE*>(header + 1);
  for (int i = 0; i < 256; ++i)
    table[4 * i] = 255 - i, table[4 * i + 1] = i, table[4 * i + 2] = i / 2;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x)
      table[1024 + 8 * y + x] = static_cast<BYTE>((x * 37 + y * 91) % 256);
  }
  GlobalUnlock(source);
  ASSERT_TRUE(writeDibToBmpFile(path("8.bmp").c_str(), source));
  const std::string expected = blockBytes(source);
  GlobalFree(source);
  HGLOBAL dib = loadAndConvert("8.bmp", LR_CREATEDIBSECTION);
  ASSERT_NE(dib, nullptr);
  const std::string bytes = blockBytes(dib);
  EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data())->biBitCount, 8);
  ASSERT_EQ(bytes.size(), expected.size());
  EXPECT_EQ(bytes.substr(40, 1024), expected.substr(40, 1024));
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(bytes.substr(1064 + 8 * y, 5), expected.substr(1064 + 8 * y, 5));
  GlobalFree(dib);
}

TEST_F(DdbToDibTest, NoBitmapNoBlock) {
  EXPECT_EQ(ddbToDib(nullptr, nullptr), nullptr);
  HBITMAP deleted = CreateBitmap(4, 4, 1, 1, nullptr);
  DeleteObject(deleted);
  EXPECT_EQ(ddbToDib(deleted, nullptr), nullptr);
}

}  // namespace
