// zorvdesk's picture commands: framed thumbnails of files told apart by content, and captures
// of a screen that a bitmap file stands in for (Wine's headless display cannot be read).
#include <windows.h>

#include <gtest/gtest.h>

#include "imaging/imaging_fixture.h"
#include "program_run.h"

namespace {

// A picture of noise written as a JPEG or a BMP file, whatever the file's name says.
void writePicture(const std::string& path, int width, int height, bool asJpeg) {
  HGLOBAL dib = noiseDibHandle(width, height, 1);
  if (asJpeg) {
    EXPECT_TRUE(writeJpegFile(path.c_str(), static_cast<BITMAPINFOHEADER*>(GlobalLock(dib))));
    GlobalUnlock(dib);
  } else {
    EXPECT_TRUE(writeDibToBmpFile(path.c_str(), dib));
  }
  GlobalFree(dib);
}

// Width and height of a JPEG file, or 0 x 0.
std::pair<int, int> jpegSize(const std::string& path) {
  BITMAPINFOHEADER* dib = nullptr;
  if (!readJpegFile(path.c_str(), &dib)) return {0, 0};
  const std::pair<int, int> size{dib->biWidth, dib->biHeight};
  ::operator delete(dib);
  return size;
}

class ZorvdeskPictureTest : public ::testing::Test {
 protected:
  void TearDown() override { SetEnvironmentVariableA("ZORVDESK_SCREEN_BITMAP", nullptr); }
  // The screen that captures read.
  void useScreen(int width, int height) {
    writePicture(tempPath("zd_screen.bmp"), width, height, false);
    SetEnvironmentVariableA("ZORVDESK_SCREEN_BITMAP", tempPath("zd_screen.bmp").c_str());
  }
  std::string tempPath(const std::string& name) const { return files_.path(name); }

  TempFolder files_{"zdp"};
};

TEST_F(ZorvdeskPictureTest, ThumbnailTellsJpegAndBmpByContentNotName) {
  writePicture(tempPath("zd_src.bmp"), 800, 600, true);  // a JPEG named .bmp
  writePicture(tempPath("zd_src.jpg"), 100, 50, false);  // a BMP named .jpg
  const struct {
    const char* source;
    const char* printed;
    int side;
  } cases[] = {{"zd_src.bmp", "256 192\n", 256}, {"zd_src.jpg", "128 64\n", 128}};
  for (const auto& c : cases) {
    const std::string out = tempPath("zd_out.jpg");
    expectZorvdesk("thumbnail " + tempPath(c.source) + " 256 " + out, 0, c.printed);
    EXPECT_EQ(jpegSize(out), std::make_pair(c.side, c.side));
  }
}

TEST_F(ZorvdeskPictureTest, ThumbnailOfNoPictureOrWithABadSizeFails) {
  const std::string text = tempPath("zd_text.jpg"), out = " " + tempPath("zd_out.jpg");
  writeFile(text, "hello");
  expectZorvdesk("thumbnail " + text + " 64" + out, 1, "neither a BMP nor a JPEG file");
  expectZorvdesk("thumbnail " + tempPath("zd_none.jpg") + " 64" + out, 1, "cannot open");
  EXPECT_FALSE(fileExists(tempPath("zd_out.jpg")));
  expectZorvdesk("thumbnail " + text + " big" + out, 2,
                 "usage: zorvdesk thumbnail SOURCE SIZE OUT.jpg");
  EXPECT_EQ(zorvdesk("thumbnail a 64").exitCode, 2u);
}

// OUT.jpg [FULL.jpg] [SIZE]: the thumbnail's side is the size (at least 64, 128 by default).
TEST_F(ZorvdeskPictureTest, CaptureWritesTheThumbnailAndTheFullPictureWhenNamed) {
  useScreen(300, 200);
  const std::string out = tempPath("zd_out.jpg"), full = tempPath("zd_full.jpg");
  const struct {
    std::string arguments;
    int side;
    bool full;
  } cases[] = {{out + " " + full + " 100", 100, true},
               {out + " 40", 64, false},
               {out + " " + full, 128, true}};
  for (const auto& c : cases) {
    DeleteFileA(full.c_str());
    EXPECT_EQ(expectZorvdesk("capture " + c.arguments, 0, "").output, "captured 300x200\n");
    EXPECT_EQ(jpegSize(out), std::make_pair(c.side, c.side)) << c.arguments;
    EXPECT_EQ(jpegSize(full), c.full ? std::make_pair(300, 200) : std::make_pair(0, 0));
  }
}

TEST_F(ZorvdeskPictureTest, CaptureArgumentsAndUnwritablePaths) {
  EXPECT_EQ(zorvdesk("capture").exitCode, 2u);
  expectZorvdesk("capture a.jpg b.jpg -5", 2, "SIZE must be a whole number");
  useScreen(30, 20);
  expectZorvdesk("capture " + tempPath("zd_out.jpg") + " " + tempPath("zd_missing\\full.jpg"), 1,
                 "could not be written");
  EXPECT_FALSE(fileExists(tempPath("zd_out.jpg")));
}

}  // namespace
