// The JPEG layer's record: a picture is decoded only into a destination of the size its
// parameters gave, and the record is reusable and releasable at any point.
#include <gtest/gtest.h>

#include <vector>

#include "imaging/jpeg_layer.h"
#include "jpeg_test_support.h"

namespace {

Bgr flat(int, int) { return Bgr{10, 20, 30}; }

struct LayerRead : ::testing::Test {
  void SetUp() override {
    path = folder.file("small.jpg");
    writeBytes(path, encodeJpeg(12, 9, flat));
    ASSERT_EQ(jpegInitialise(&p), kJpegOk);
    p.jpegFile = path.c_str();
  }
  void TearDown() override { jpegRelease(&p); }
  void describe(int width, int height) {
    pixels.assign(static_cast<std::size_t>(width) * 3 * height + 64, 0x55);
    p.dibPixels = pixels.data();
    p.dibWidth = width;
    p.dibHeight = -height;
    p.dibPadding = 0;
  }

  TempFolder folder;
  std::string path;
  JpegProperties p;
  std::vector<BYTE> pixels;
};

TEST_F(LayerRead, PictureNeedsItsParametersFirst) {
  describe(12, 9);
  EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument);
  EXPECT_EQ(pixels[0], 0x55);
}

TEST_F(LayerRead, DestinationMustHaveTheFilesSize) {
  ASSERT_EQ(jpegReadParameters(&p), kJpegOk);
  EXPECT_EQ(p.jpegWidth, 12);
  EXPECT_EQ(p.jpegHeight, 9);
  EXPECT_EQ(p.jpegChannels, 3);
  for (auto size : {std::pair{11, 9}, std::pair{12, 8}, std::pair{13, 9}}) {
    describe(size.first, size.second);
    EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument) << size.first << "x" << size.second;
  }
  describe(12, 9);
  p.jpegColor = kJpegColorGrey;  // the file has three channels
  EXPECT_EQ(jpegReadPicture(&p), kJpegUnsupported);
  p.jpegColor = kJpegColorYcbcr;
  ASSERT_EQ(jpegReadPicture(&p), kJpegOk);
  EXPECT_NEAR(pixels[0], 10, 2);
  EXPECT_EQ(pixels[12 * 3 * 9], 0x55) << "nothing written past the picture";
  EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument) << "a picture is read once";
}

TEST_F(LayerRead, ReleaseAtAnyPointAndTwice) {
  EXPECT_EQ(jpegReadParameters(&p), kJpegOk);
  jpegRelease(&p);
  jpegRelease(&p);
  EXPECT_EQ(p.session, nullptr);
  const std::string missing = folder.file("missing.jpg");
  p.jpegFile = missing.c_str();
  EXPECT_EQ(jpegReadParameters(&p), kJpegCannotOpen);
  writeBytes(folder.file("text.jpg"), Bytes{'t', 'e', 'x', 't'});
  const std::string text = folder.file("text.jpg");
  p.jpegFile = text.c_str();
  EXPECT_EQ(jpegReadParameters(&p), kJpegBadFile);
}

}  // namespace
