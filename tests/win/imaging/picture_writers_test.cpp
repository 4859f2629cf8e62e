// DIB handles from screen bitmaps and BMP files written from them; captures and framed
// thumbnails written as JPEG files under Wine.
#include "common/common_fixture.h"
#include "imaging_fixture.h"

namespace {

class FramedThumbnailTest : public ImagingWinTest {};

// A BMP file's framed thumbnail (kind 1) is zorvdesk's thumbnail test, which reads the same
// sizes and the frame back; JPEG sources (kind 2) are the native tests', against the literal path.
TEST_F(FramedThumbnailTest, UnknownKindOrUnreadableSourceWritesNothing) {
  HGLOBAL dib = noiseDibHandle(20, 20, 0);
  ASSERT_TRUE(writeDibToBmpFile(path("p.bmp").c_str(), dib));
  GlobalFree(dib);
  int width = -1, height = -1;
  // Kinds 0 and 3 are unknown, a BMP is no JPEG (kind 2), a missing BMP cannot be loaded.
  for (auto [source, kind] : {std::pair{"p.bmp", 0}, {"p.bmp", 3}, {"p.bmp", 2}, {"none.bmp", 1}}) {
    EXPECT_FALSE(
        makeFramedThumbnail(path(source).c_str(), kind, 64, width, height, path("t.jpg").c_str()))
        << source << " " << kind;
  }
  EXPECT_EQ(width, -1);
  EXPECT_EQ(height, -1);
  EXPECT_FALSE(exists("t.jpg"));
}

// Captures log their failures: the log is opened in a temporary installation folder.
class CapturesTest : public CommonWinTest {
 protected:
  std::string file(const std::string& name) const { return files_.path(name); }
  TempFolder files_{"cap"};
};

TEST_F(CapturesTest, ThumbnailSideIsTheSizeAtLeastSixtyFourAndTheFullPictureOnlyWhenNamed) {
  HGLOBAL dib = noiseDibHandle(300, 100, 7);
  const struct {
    int size, side;
    bool full;
  } cases[] = {{40, 64, true}, {100, 100, false}, {0, 64, false}, {-5, 64, false}};
  for (const auto& c : cases) {
    DeleteFileA(file("full.jpg").c_str());
    ASSERT_TRUE(writeBmpToCaptures(dib, file("thumb.jpg").c_str(),
                                   c.full ? file("full.jpg").c_str() : nullptr, c.size));
    EXPECT_EQ(JpegPicture(file("thumb.jpg")).size(), std::make_pair(c.side, c.side));
    EXPECT_EQ(JpegPicture(file("full.jpg")).size(),
              c.full ? std::make_pair(300, 100) : std::make_pair(0, 0));
    EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);  // left unlocked
  }
  GlobalFree(dib);
}

TEST_F(CapturesTest, FailedFullPictureWritesNoThumbnailAndLogsItsPath) {
  openLogInFolder();
  HGLOBAL dib = noiseDibHandle(50, 40, 9);
  const std::string badFull = file("missing\\full.jpg");
  EXPECT_FALSE(writeBmpToCaptures(dib, file("thumb.jpg").c_str(), badFull.c_str(), 64));
  EXPECT_FALSE(fileExists(file("thumb.jpg")));
  const std::string logged = loggedLines();
  EXPECT_NE(logged.find(": ERROR writeBmpToCaptures " + badFull + "\r\n"), std::string::npos)
      << logged;
  EXPECT_NE(logged.find("ERROR: "), std::string::npos) << logged;  // the system's error text

  const std::string badThumb = file("missing\\thumb.jpg");
  EXPECT_FALSE(writeBmpToCaptures(dib, badThumb.c_str(), nullptr, 64));
  EXPECT_NE(loggedLines().find("ERROR writeBmpToCaptures " + badThumb), std::string::npos);
  GlobalFree(dib);
}

TEST_F(CapturesTest, OtherThanPlainTwentyFourBitIsRefusedUnwrittenAndThumbnailsTakeTheirSize) {
  HGLOBAL dib = noiseDibHandle(16, 16, 10, 0, 8);
  EXPECT_FALSE(writeBmpToCaptures(dib, file("thumb.jpg").c_str(), file("full.jpg").c_str(), 64));
  EXPECT_FALSE(
      writeThumbnailJpeg(dib, file("thumb.jpg").c_str(), 8, 8, 3, 3, file("full.jpg").c_str()));
  GlobalFree(dib);
  // A header promising 16 x 16 in a block of 50 bytes.
  HGLOBAL tooSmall = GlobalReAlloc(noiseDibHandle(16, 16, 10), 40 + 10, GMEM_MOVEABLE);
  ASSERT_EQ(GlobalSize(tooSmall), 50u);
  EXPECT_FALSE(writeBmpToCaptures(tooSmall, file("thumb.jpg").c_str(), nullptr, 64));
  EXPECT_EQ(GlobalFlags(tooSmall) & GMEM_LOCKCOUNT, 0u);
  GlobalFree(tooSmall);
  EXPECT_FALSE(fileExists(file("thumb.jpg")));
  EXPECT_FALSE(fileExists(file("full.jpg")));

  // A thumbnail of its own size and box; a full picture that cannot be written stops it.
  dib = noiseDibHandle(90, 30, 11);
  ASSERT_TRUE(writeThumbnailJpeg(dib, file("thumb.jpg").c_str(), 45, 15, 2, 2, nullptr));
  EXPECT_EQ(JpegPicture(file("thumb.jpg")).size(), std::make_pair(45, 15));
  EXPECT_FALSE(fileExists(file("full.jpg")));
  EXPECT_FALSE(writeThumbnailJpeg(dib, file("thumb2.jpg").c_str(), 45, 15, 2, 2,
                                  file("missing\\full.jpg").c_str()));
  EXPECT_FALSE(fileExists(file("thumb2.jpg")));
  GlobalFree(dib);
}

class BmpFileTest : public ImagingWinTest {};

// The size counts the whole block, bytes beyond the DIB included; the offset skips the colour
// table that the header's bit count implies. No handle or a file that cannot be made: false.
TEST_F(BmpFileTest, FileHeaderThenTheWholeBlockOrFalse) {
  const struct {
    WORD bits;
    SIZE_T extra;
    std::uint32_t offset;
  } cases[] = {{24, 0, 54}, {8, 6, 14 + 40 + 1024}};
  for (const auto& c : cases) {
    HGLOBAL dib = noiseDibHandle(7, 5, c.bits, c.extra, c.bits);
    ASSERT_TRUE(writeDibToBmpFile(path("a.bmp").c_str(), dib));
    const std::string file = readFile(path("a.bmp"));
    ASSERT_EQ(file.size(), 14 + 40 + 5 * strideOf(7) + c.extra) << c.bits;
    // "BM", the file's size, both reserved words zero, the offset of the rows (x86: little-endian).
    const std::uint32_t fields[3] = {static_cast<std::uint32_t>(file.size()), 0, c.offset};
    EXPECT_EQ(file.substr(0, 14), "BM" + std::string(reinterpret_cast<const char*>(fields), 12));
    EXPECT_EQ(file.substr(14), blockBytes(dib));
    EXPECT_FALSE(writeDibToBmpFile(path("missing\\c.bmp").c_str(), dib));
    GlobalFree(dib);
  }
  EXPECT_FALSE(writeDibToBmpFile(path("c.bmp").c_str(), nullptr));
  EXPECT_FALSE(exists("c.bmp"));
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

TEST_F(DdbToDibTest, TwentyFourBitPictureComesBackByteForByteAndNoBitmapGivesNoBlock) {
  HGLOBAL source = noiseDibHandle(7, 5, 4);
  ASSERT_TRUE(writeDibToBmpFile(path("24.bmp").c_str(), source));
  HGLOBAL dib = loadAndConvert("24.bmp", 0);
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(blockBytes(dib), blockBytes(source));  // the header with biSizeImage, the rows
  GlobalFree(dib);
  GlobalFree(source);
  EXPECT_EQ(ddbToDib(nullptr, nullptr), nullptr);  // no bitmap, no block
  HBITMAP deleted = CreateBitmap(4, 4, 1, 1, nullptr);
  DeleteObject(deleted);
  EXPECT_EQ(ddbToDib(deleted, nullptr), nullptr);
}

// An 8-bit picture 5 wide (3 padding bytes per row, not compared): a reversed colour ramp,
// indices of a pattern, written as a BMP file.
TEST_F(DdbToDibTest, EightBitPictureKeepsItsTableAndIndices) {
  HGLOBAL source = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + 1024 + 4 * 8);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(source));
  *header = BITMAPINFOHEADER{40, 5, 4, 1, 8, 0, 0, 0, 0, 0, 0};
  BYTE* table = reinterpret_cast<BYTE*>(header + 1);
  for (int i = 0; i < 256; ++i)
    table[4 * i] = 255 - i, table[4 * i + 1] = i, table[4 * i + 2] = i / 2;
  for (int i = 0; i < 4 * 8; ++i) table[1024 + i] = static_cast<BYTE>(i * 37 % 256);
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

}  // namespace
