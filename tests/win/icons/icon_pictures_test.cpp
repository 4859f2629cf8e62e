// Icons saved as JPEG pictures: the colours come back, monochrome icons and bad arguments are
// refused, and a real program's icon is written.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "common/common_fixture.h"
#include "imaging/icon_pictures.h"
#include "imaging/imaging.h"

namespace {

constexpr int kSide = 32;

// A 32 x 32 colour icon: red above, blue below, fully opaque (an AND mask of zeros).
HICON makeColourIcon() {
  std::vector<DWORD> pixels(kSide * kSide, 0xFF0000FF);  // rows from the top
  std::fill(pixels.begin(), pixels.begin() + kSide * kSide / 2, 0xFFFF0000);
  const std::vector<BYTE> opaque(kSide * kSide / 8, 0);
  ICONINFO icon{TRUE, 0, 0, CreateBitmap(kSide, kSide, 1, 1, opaque.data()),
                CreateBitmap(kSide, kSide, 1, 32, pixels.data())};
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  return result;
}

HICON makeMonochromeIcon() {
  BYTE andBits[kSide * kSide / 8] = {};
  BYTE xorBits[kSide * kSide / 8];
  for (BYTE& b : xorBits) b = 0xAA;
  return CreateIcon(nullptr, kSide, kSide, 1, 1, andBits, xorBits);
}

// The pixel (x, y), y counted from the picture's top, of a bottom-up 24-bit DIB.
const BYTE* pixelFromTop(const BITMAPINFOHEADER* dib, int x, int y) {
  const int stride = (dib->biWidth * 3 + 3) & ~3;
  return reinterpret_cast<const BYTE*>(dib + 1) + (dib->biHeight - 1 - y) * stride + 3 * x;
}

void expectColour(const BYTE* bgr, int blue, int green, int red) {
  constexpr int kTolerance = 24;
  EXPECT_NEAR(bgr[0], blue, kTolerance);
  EXPECT_NEAR(bgr[1], green, kTolerance);
  EXPECT_NEAR(bgr[2], red, kTolerance);
}

class IconPicturesTest : public CommonWinTest {
 protected:
  void SetUp() override {
    CommonWinTest::SetUp();
    openLogInFolder();
    jpeg_ = folder_ + "\\icon.jpg";
  }
  void TearDown() override {
    DeleteFileA(jpeg_.c_str());
    CommonWinTest::TearDown();
  }
  std::string jpeg_;
};

TEST_F(IconPicturesTest, AColourIconComesBackAsItsColours) {
  HICON icon = makeColourIcon();
  ASSERT_NE(icon, nullptr);
  ASSERT_TRUE(saveIconAsJpeg(icon, jpeg_.c_str()));
  DestroyIcon(icon);
  BITMAPINFOHEADER* dib = nullptr;
  ASSERT_NE(readJpegFile(jpeg_.c_str(), &dib), 0);
  EXPECT_EQ(dib->biWidth, kSide);
  EXPECT_EQ(dib->biHeight, kSide);
  expectColour(pixelFromTop(dib, 16, 4), 0, 0, 255);   // red on top: upright
  expectColour(pixelFromTop(dib, 16, 27), 255, 0, 0);  // blue below
  ::operator delete(dib);
}

TEST_F(IconPicturesTest, MonochromeIconsAndBadArgumentsAreRefused) {
  HICON mono = makeMonochromeIcon();
  ASSERT_NE(mono, nullptr);
  EXPECT_FALSE(saveIconAsJpeg(mono, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
  DestroyIcon(mono);

  HICON icon = makeColourIcon();
  EXPECT_FALSE(saveIconAsJpeg(icon, ""));
  EXPECT_FALSE(saveIconAsJpeg(icon, nullptr));
  EXPECT_FALSE(saveIconAsJpeg(nullptr, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(icon, &info));  // the icon was left as it was
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

TEST_F(IconPicturesTest, AProgramFilesIconIsWritten) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  ASSERT_TRUE(saveFileIconAsJpeg(system, "NOTEPAD.EXE", jpeg_.c_str()));
  BITMAPINFOHEADER* dib = nullptr;
  ASSERT_NE(readJpegFile(jpeg_.c_str(), &dib), 0);
  EXPECT_GT(dib->biWidth, 0);
  ::operator delete(dib);
}

TEST_F(IconPicturesTest, AJoinedPathOver259CharactersIsRefusedWithoutALookUp) {
  const std::string folder = "c:\\" + std::string(200, 'f');
  EXPECT_FALSE(saveFileIconAsJpeg(folder.c_str(), std::string(56, 'n').c_str(), jpeg_.c_str()));
  EXPECT_EQ(loggedLines(), "");  // 260 characters: refused, not cut
  EXPECT_FALSE(saveFileIconAsJpeg(folder.c_str(), std::string(55, 'n').c_str(), jpeg_.c_str()));
  EXPECT_NE(loggedLines().find("ERROR could not get icon for file c:\\fff"), std::string::npos);
  EXPECT_FALSE(saveFileIconAsJpeg(nullptr, "x.exe", jpeg_.c_str()));
  EXPECT_FALSE(saveFileIconAsJpeg("c:\\", nullptr, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
}

}  // namespace
