// Captures and framed thumbnails written as JPEG files under Wine.
#include "common/common_fixture.h"
#include "imaging_fixture.h"

namespace {

struct JpegPicture {
  int width = 0;
  int height = 0;
  std::string bottomUpPixels;  // stored rows, padding included
};

JpegPicture readPicture(const std::string& path) {
  BITMAPINFOHEADER* dib = nullptr;
  JpegPicture picture;
  if (!readJpegFile(path.c_str(), &dib)) return picture;
  picture.width = dib->biWidth;
  picture.height = dib->biHeight;
  picture.bottomUpPixels.assign(reinterpret_cast<const char*>(dib + 1),
                                stride24(dib->biWidth) * dib->biHeight);
  ::operator delete(dib);
  return picture;
}

const BYTE* pixelOf(const JpegPicture& picture, int x, int y) {
  return reinterpret_cast<const BYTE*>(picture.bottomUpPixels.data()) +
         y * stride24(picture.width) + 3 * x;
}

// Dark frame of 5 pixels and a light inside (JPEG blurs the edge a little).
void expectBlackFrame(const JpegPicture& picture) {
  const int side = picture.width;
  for (int i = 0; i < side; i += 3) {
    for (int edge : {0, 4, side - 5, side - 1}) {
      EXPECT_LT(pixelOf(picture, i, edge)[1], 48) << i << "," << edge;
      EXPECT_LT(pixelOf(picture, edge, i)[1], 48) << edge << "," << i;
    }
  }
  EXPECT_GT(pixelOf(picture, side / 2, side / 2)[1], 200);
  EXPECT_GT(pixelOf(picture, 8, side / 2)[1], 200);
}

HGLOBAL whiteDibHandle(int width, int height) {
  HGLOBAL dib = noiseDibHandle(width, height, 0);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  std::memset(header + 1, 255, header->biSizeImage);
  GlobalUnlock(dib);
  return dib;
}

class FramedThumbnailTest : public ImagingWinTest {};

// Kind 1 reads a BMP file, kind 2 a JPEG file.
TEST_F(FramedThumbnailTest, SquareFramedPictureOfTheFittedSize) {
  const struct {
    int kind, width, height, fittedWidth, fittedHeight, side;
  } cases[] = {{2, 800, 600, 256, 192, 256}, {1, 100, 50, 128, 64, 128}};
  for (const auto& c : cases) {
    HGLOBAL dib = whiteDibHandle(c.width, c.height);
    const std::string source = path(c.kind == 1 ? "source.bmp" : "source.jpg");
    if (c.kind == 1) {
      ASSERT_TRUE(writeDibToBmpFile(source.c_str(), dib));
    } else {
      ASSERT_TRUE(writeJpegFile(source.c_str(), static_cast<BITMAPINFOHEADER*>(GlobalLock(dib))));
      GlobalUnlock(dib);
    }
    GlobalFree(dib);
    int width = 0, height = 0;
    ASSERT_TRUE(
        makeFramedThumbnail(source.c_str(), c.kind, 256, width, height, path("thumb.jpg").c_str()));
    EXPECT_EQ(width, c.fittedWidth);
    EXPECT_EQ(height, c.fittedHeight);
    const JpegPicture thumbnail = readPicture(path("thumb.jpg"));
    EXPECT_EQ(thumbnail.width, c.side);
    EXPECT_EQ(thumbnail.height, c.side);
    expectBlackFrame(thumbnail);
  }
}

TEST_F(FramedThumbnailTest, UnknownKindOrUnreadableSourceWritesNothing) {
  HGLOBAL dib = whiteDibHandle(20, 20);
  ASSERT_TRUE(writeDibToBmpFile(path("p.bmp").c_str(), dib));
  GlobalFree(dib);
  int width = -1, height = -1;
  for (int kind : {0, 3}) {
    EXPECT_FALSE(
        makeFramedThumbnail(path("p.bmp").c_str(), kind, 64, width, height, path("t.jpg").c_str()));
  }
  EXPECT_FALSE(makeFramedThumbnail(path("p.bmp").c_str(), 2, 64, width, height,
                                   path("t.jpg").c_str()));  // a BMP is no JPEG
  EXPECT_FALSE(
      makeFramedThumbnail(path("none.bmp").c_str(), 1, 64, width, height, path("t.jpg").c_str()));
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
    const JpegPicture thumbnail = readPicture(file("thumb.jpg"));
    EXPECT_EQ(thumbnail.width, c.side);
    EXPECT_EQ(thumbnail.height, c.side);
    const JpegPicture full = readPicture(file("full.jpg"));
    EXPECT_EQ(full.width, c.full ? 300 : 0);
    EXPECT_EQ(full.height, c.full ? 100 : 0);
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

TEST_F(CapturesTest, OtherThanPlainTwentyFourBitIsRefusedUnwritten) {
  HGLOBAL dib = noiseDibHandle(16, 16, 10);
  static_cast<BITMAPINFOHEADER*>(GlobalLock(dib))->biBitCount = 8;
  GlobalUnlock(dib);
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
}

TEST_F(CapturesTest, ThumbnailJpegWithItsOwnSizeAndBox) {
  HGLOBAL dib = noiseDibHandle(90, 30, 11);
  ASSERT_TRUE(writeThumbnailJpeg(dib, file("thumb.jpg").c_str(), 45, 15, 2, 2, nullptr));
  const JpegPicture thumbnail = readPicture(file("thumb.jpg"));
  EXPECT_EQ(thumbnail.width, 45);
  EXPECT_EQ(thumbnail.height, 15);
  EXPECT_FALSE(fileExists(file("full.jpg")));
  EXPECT_FALSE(writeThumbnailJpeg(dib, file("thumb2.jpg").c_str(), 45, 15, 2, 2,
                                  file("missing\\full.jpg").c_str()));
  EXPECT_FALSE(fileExists(file("thumb2.jpg")));
  GlobalFree(dib);
}

}  // namespace
