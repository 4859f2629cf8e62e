// zorvdesk's picture commands: framed thumbnails of files told apart by content, and captures
// of a screen that a bitmap file stands in for (Wine's headless display cannot be read).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../../native/imaging/jpeg_test_support.h"
#include "imaging/imaging_fixture.h"
#include "program_run.h"

namespace {

// A picture of noise written as a JPEG or a BMP file, whatever the file's name says.
void writePicture(const std::string& path, int width, int height, bool asJpeg) {
  HGLOBAL dib = noiseDibHandle(width, height, 1);
  EXPECT_TRUE(asJpeg ? writeJpegFile(path.c_str(), noiseDib(width, height, 1).get()) != 0
                     : writeDibToBmpFile(path.c_str(), dib));
  GlobalFree(dib);
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
    const JpegPicture thumbnail(out);
    ASSERT_EQ(thumbnail.size(), std::make_pair(c.side, c.side));
    for (int i = 0; i < c.side; i += 3) {  // framed in black, 5 pixels wide
      for (int edge : {0, 2, c.side - 3, c.side - 1}) {
        EXPECT_LT(pixel(thumbnail.dib, i, edge)[1], 48) << c.source << ": " << i << "," << edge;
        EXPECT_LT(pixel(thumbnail.dib, edge, i)[1], 48) << c.source << ": " << edge << "," << i;
      }
    }
  }
}

// One line each, naming the first reason that applies; the files' names give nothing away.
TEST_F(ZorvdeskPictureTest, ThumbnailRefusalsSayWhy) {
  writePicture(tempPath("p0"), 64, 48, true);
  const std::string jpeg = readFile(tempPath("p0"));
  const std::size_t frame = jpeg.find("\xFF\xC0");  // precision, height, width follow the length
  const auto patched = [&](std::size_t at, const std::string& bytes) {
    return jpeg.substr(0, at) + bytes + jpeg.substr(at + bytes.size());
  };
  writeFile(tempPath("p1"), jpeg.substr(0, jpeg.size() / 2));
  writeFile(tempPath("p2"), patched(frame + 4, "\x0C"));  // 12-bit samples
  writeFile(tempPath("p3"), patched(frame + 5, "\xFD\xE8\xFD\xE8"));
  writeFile(tempPath("p4"), patched(frame + 5, std::string("\x00\x08\xFF\xFF", 4)));
  writeBytes(tempPath("p5"), encodeJpeg(
                                 8, 8, [](int, int) { return Bgr{}; }, JpegOptions{4}));
  writeFile(tempPath("p6"), "BM" + std::string(60, 'x'));
  writeFile(tempPath("p8"), "hello");
  const HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
  const HGLOBAL monoDib = ddbToDib(mono, nullptr);
  writeDibToBmpFile(tempPath("p7").c_str(), monoDib);
  GlobalFree(monoDib);
  DeleteObject(mono);
  const struct {
    const char* source;
    const char* words;  // after the quoted path of the file the reason is about
  } cases[] = {
      {"p1", "is cut short: the file ends before the picture does\n"},
      {"p2", "is damaged: its picture data cannot be decoded\n"},
      {"p3", "is larger than the limits: 65000x65000 pixels, more than 67108864 in all (64 Mpx)\n"},
      {"p4", "is larger than the limits: 65535x8 pixels, more than 65500 on a side\n"},
      {"p5",
       "has a colour model that is not supported (such as CMYK or YCCK; grey, YCbCr and RGB "
       "are)\n"},
      {"p6", "cannot be loaded as a bitmap: "},
      {"p7", "is not a 24-bit picture: it loads as a bitmap of 1 bit per pixel\n"},
      {"p8", "is neither a BMP nor a JPEG file\n"},
      {"p0", "cannot be written: "},  // into a missing folder
  };
  for (const auto& c : cases) {
    const bool toMissingFolder = &c == std::end(cases) - 1;
    const std::string out = tempPath(toMissingFolder ? "none\\o.jpg" : "o.jpg");
    const ProgramRun run = zorvdesk("thumbnail " + tempPath(c.source) + " 64 " + out);
    const std::string named = toMissingFolder ? out : tempPath(c.source);
    EXPECT_EQ(run.exitCode, 1u) << c.source;
    EXPECT_EQ(run.output.rfind("zorvdesk: '" + named + "' " + c.words, 0), 0u) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  }
  // No file, a bad size.
  const std::string out = " " + tempPath("zd_out.jpg");
  expectZorvdesk("thumbnail " + tempPath("zd_none.jpg") + " 64" + out, 1, "cannot open");
  EXPECT_FALSE(fileExists(tempPath("zd_out.jpg")));
  expectZorvdesk("thumbnail " + tempPath("p8") + " big" + out, 2,
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
    EXPECT_EQ(JpegPicture(out).size(), std::make_pair(c.side, c.side)) << c.arguments;
    EXPECT_EQ(JpegPicture(full).size(), c.full ? std::make_pair(300, 200) : std::make_pair(0, 0));
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
