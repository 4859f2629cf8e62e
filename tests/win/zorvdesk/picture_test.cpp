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
  ProgramRun run =
      zorvdesk("thumbnail " + tempPath("zd_src.bmp") + " 256 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "256 192\n");
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(256, 256));

  writePicture(tempPath("zd_src.jpg"), 100, 50, false);  // a BMP named .jpg
  run = zorvdesk("thumbnail " + tempPath("zd_src.jpg") + " 256 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "128 64\n");
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(128, 128));
}

TEST_F(ZorvdeskPictureTest, ThumbnailOfNoPictureOrWithABadSizeFails) {
  writeFile(tempPath("zd_text.jpg"), "hello");
  ProgramRun run =
      zorvdesk("thumbnail " + tempPath("zd_text.jpg") + " 64 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "neither a BMP nor a JPEG file")) << run.output;
  run = zorvdesk("thumbnail " + tempPath("zd_none.jpg") + " 64 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "cannot open")) << run.output;
  EXPECT_FALSE(fileExists(tempPath("zd_out.jpg")));
  run = zorvdesk("thumbnail " + tempPath("zd_text.jpg") + " big " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "usage: zorvdesk thumbnail SOURCE SIZE OUT.jpg")) << run.output;
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
    const ProgramRun run = zorvdesk("capture " + c.arguments);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.output, "captured 300x200\n");
    EXPECT_EQ(jpegSize(out), std::make_pair(c.side, c.side)) << c.arguments;
    EXPECT_EQ(jpegSize(full), c.full ? std::make_pair(300, 200) : std::make_pair(0, 0));
  }
}

TEST_F(ZorvdeskPictureTest, CaptureArgumentsAndUnwritablePaths) {
  EXPECT_EQ(zorvdesk("capture").exitCode, 2u);
  ProgramRun run = zorvdesk("capture a.jpg b.jpg -5");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "SIZE must be a whole number")) << run.output;
  useScreen(30, 20);
  run = zorvdesk("capture " + tempPath("zd_out.jpg") + " " + tempPath("zd_missing\\full.jpg"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "could not be written")) << run.output;
  EXPECT_FALSE(fileExists(tempPath("zd_out.jpg")));
}

}  // namespace
