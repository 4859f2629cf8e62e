// zorvdesk's picture commands: framed thumbnails of files told apart by content, and captures
// of a screen that a bitmap file stands in for (Wine's headless display cannot be read).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "imaging/imaging.h"
#include "program_run.h"

namespace {

ProgramRun zorvdesk(const std::string& arguments) { return runProgram("zorvdesk.exe", arguments); }

// A 24-bit DIB buffer of one grey level.
BITMAPINFOHEADER* greyDib(int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  auto* dib = static_cast<BITMAPINFOHEADER*>(std::calloc(1, 40 + stride * height));
  dib->biSize = 40;
  dib->biWidth = width;
  dib->biHeight = height;
  dib->biPlanes = 1;
  dib->biBitCount = 24;
  std::memset(dib + 1, 180, stride * height);
  return dib;
}

void writeJpeg(const std::string& path, int width, int height) {
  BITMAPINFOHEADER* dib = greyDib(width, height);
  ASSERT_TRUE(writeJpegFile(path.c_str(), dib));
  std::free(dib);
}

void writeBmp(const std::string& path, int width, int height) {
  BITMAPINFOHEADER* dib = greyDib(width, height);
  const std::size_t size = 40 + (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4 * height;
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(handle), dib, size);
  GlobalUnlock(handle);
  ASSERT_TRUE(writeDibToBmpFile(path.c_str(), handle));
  GlobalFree(handle);
  std::free(dib);
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
  void TearDown() override {
    SetEnvironmentVariableA("ZORVDESK_SCREEN_BITMAP", nullptr);
    for (const char* name : {"zd_src.bmp", "zd_src.jpg", "zd_out.jpg", "zd_full.jpg", "zd_text.jpg",
                             "zd_screen.bmp"}) {
      DeleteFileA(tempPath(name).c_str());
    }
  }
};

TEST_F(ZorvdeskPictureTest, ThumbnailTellsJpegAndBmpByContentNotName) {
  writeJpeg(tempPath("zd_src.bmp"), 800, 600);  // a JPEG named .bmp
  ProgramRun run =
      zorvdesk("thumbnail " + tempPath("zd_src.bmp") + " 256 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "256 192\n");
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(256, 256));

  writeBmp(tempPath("zd_src.jpg"), 100, 50);  // a BMP named .jpg
  run = zorvdesk("thumbnail " + tempPath("zd_src.jpg") + " 256 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "128 64\n");
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(128, 128));
}

TEST_F(ZorvdeskPictureTest, ThumbnailOfNoPictureOrWithABadSizeFails) {
  std::ofstream(tempPath("zd_text.jpg")) << "hello";
  ProgramRun run =
      zorvdesk("thumbnail " + tempPath("zd_text.jpg") + " 64 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "neither a BMP nor a JPEG file")) << run.output;
  run = zorvdesk("thumbnail " + tempPath("zd_none.jpg") + " 64 " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "cannot open")) << run.output;
  EXPECT_EQ(GetFileAttributesA(tempPath("zd_out.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
  run = zorvdesk("thumbnail " + tempPath("zd_text.jpg") + " big " + tempPath("zd_out.jpg"));
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "usage: zorvdesk thumbnail SOURCE SIZE OUT.jpg")) << run.output;
  EXPECT_EQ(zorvdesk("thumbnail a 64").exitCode, 2u);
}

TEST_F(ZorvdeskPictureTest, CaptureWritesThumbnailAndFullPicture) {
  writeBmp(tempPath("zd_screen.bmp"), 300, 200);
  SetEnvironmentVariableA("ZORVDESK_SCREEN_BITMAP", tempPath("zd_screen.bmp").c_str());
  ProgramRun run =
      zorvdesk("capture " + tempPath("zd_out.jpg") + " " + tempPath("zd_full.jpg") + " 100");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "captured 300x200\n");
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(100, 100));
  EXPECT_EQ(jpegSize(tempPath("zd_full.jpg")), std::make_pair(300, 200));
}

TEST_F(ZorvdeskPictureTest, CaptureSizeAloneOrDefaulted) {
  writeBmp(tempPath("zd_screen.bmp"), 90, 70);
  SetEnvironmentVariableA("ZORVDESK_SCREEN_BITMAP", tempPath("zd_screen.bmp").c_str());
  ProgramRun run = zorvdesk("capture " + tempPath("zd_out.jpg") + " 40");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(64, 64));
  EXPECT_EQ(GetFileAttributesA(tempPath("zd_full.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
  run = zorvdesk("capture " + tempPath("zd_out.jpg") + " " + tempPath("zd_full.jpg"));
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(jpegSize(tempPath("zd_out.jpg")), std::make_pair(128, 128));
  EXPECT_EQ(jpegSize(tempPath("zd_full.jpg")), std::make_pair(90, 70));
}

TEST_F(ZorvdeskPictureTest, CaptureArgumentsAndUnwritablePaths) {
  EXPECT_EQ(zorvdesk("capture").exitCode, 2u);
  ProgramRun run = zorvdesk("capture a.jpg b.jpg -5");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "SIZE must be a whole number")) << run.output;
  writeBmp(tempPath("zd_screen.bmp"), 30, 20);
  SetEnvironmentVariableA("ZORVDESK_SCREEN_BITMAP", tempPath("zd_screen.bmp").c_str());
  run = zorvdesk("capture " + tempPath("zd_out.jpg") + " " + tempPath("zd_missing\\full.jpg"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "could not be written")) << run.output;
  EXPECT_EQ(GetFileAttributesA(tempPath("zd_out.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
