// readJpegFile and writeJpegFile: pictures stay upright both ways, grey becomes three equal
// channels (with the row-by-row reader), bad DIBs and bad files are refused without a crash, a leak
// or a file left behind, and what writeJpegFile puts into the file. The row-by-row reader gives
// readJpegFile's bytes in any batch size, checks the caps at open and closes itself on damaged
// data; the layer decodes only into a buffer of the file's size. Framed thumbnails of JPEG files
// stream through the decoder and give the file of the literal path: the whole picture read, blurred
// whole, resized, framed and written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include <jpeglib.h>

#include "dib_pictures.h"
#include "imaging/jpeg_files.h"
#include "imaging/jpeg_layer.h"
#include "imaging/jpeg_scanline_reader.h"
#include "jpeg_test_support.h"

namespace {

struct ReadDib {
  BITMAPINFOHEADER* dib = reinterpret_cast<BITMAPINFOHEADER*>(&dib);  // proves it is overwritten
  ~ReadDib() {
    if (dib != reinterpret_cast<BITMAPINFOHEADER*>(&dib)) ::operator delete(dib);
  }
};

constexpr Bgr kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0};

Bgr wave(int x, int row) {
  return Bgr{std::uint8_t(x * x + row), std::uint8_t(row * 3), std::uint8_t(200 - x)};
}

// Written pictures stay upright too: the icon tests read a saved icon back.
TEST(JpegFiles, ReadPicturesAreUprightBottomUpDibs) {
  TempFolder folder;
  const int width = 37, height = 30;  // odd width: every row has one byte of padding
  writeBytes(folder.path("made.jpg"), encodeJpeg(width, height, [](int, int row) {
               return row < 10 ? kRed : row < 20 ? kGreen : kBlue;  // flat bands
             }));
  ReadDib read;
  ASSERT_NE(readJpegFile(folder.path("made.jpg").c_str(), &read.dib), 0);
  const BITMAPINFOHEADER expected{40, width, height, 1, 24, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(read.dib, &expected, 40), 0) << "header, biSizeImage 0";
  for (int x = 2; x < width - 2; x += 5) {
    for (auto [row, band] : {std::pair{1, kRed}, {height / 2, kGreen}, {height - 2, kBlue}}) {
      const Bgr p = dibPixel(read.dib, x, row);
      EXPECT_NEAR(p.b, band.b, 12) << x << "," << row;
      EXPECT_NEAR(p.g, band.g, 12) << x << "," << row;
      EXPECT_NEAR(p.r, band.r, 12) << x << "," << row;
    }
  }
  const BYTE* rows = reinterpret_cast<const BYTE*>(read.dib) + 40;
  for (int y = 0; y < height; ++y) EXPECT_EQ(rows[y * 112 + 111], 0) << "padding, row " << y;
}

// The DIB is only its 40-byte header: reading any pixel would be caught by the sanitizer.
TEST(JpegFiles, BadDibsAreRefusedBeforeAPixelIsRead) {
  TempFolder folder;
  const std::string path = folder.path("refused.jpg");
  const std::pair<const char*, void (*)(BITMAPINFOHEADER&)> cases[] = {
      {"8-bit", [](BITMAPINFOHEADER& h) { h.biBitCount = 8; }},
      {"colour table", [](BITMAPINFOHEADER& h) { h.biClrUsed = 2; }},
      {"compressed", [](BITMAPINFOHEADER& h) { h.biCompression = 1; }},
      {"core header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
      {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
      {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
      {"top-down", [](BITMAPINFOHEADER& h) { h.biHeight = -4; }},
      {"image size short of the rows", [](BITMAPINFOHEADER& h) { h.biSizeImage = 47; }},
      {"too wide for JPEG", [](BITMAPINFOHEADER& h) { h.biWidth = 65501; }},
      {"largest sides", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
  };
  for (const auto& [what, spoil] : cases) {
    auto* h = static_cast<BITMAPINFOHEADER*>(std::malloc(40));
    *h = BITMAPINFOHEADER{40, 4, 4, 1, 24, 0, 0, 0, 0, 0, 0};
    spoil(*h);
    EXPECT_EQ(writeJpegFile(path.c_str(), h), 0) << what;
    EXPECT_FALSE(std::filesystem::exists(path)) << what;
    std::free(h);
  }
  EXPECT_EQ(writeJpegFile(path.c_str(), nullptr), 0);
  DibPtr fine = makeDib(4, 4, wave);
  EXPECT_EQ(writeJpegFile(nullptr, fine.get()), 0);
  EXPECT_EQ(writeJpegFile(folder.path("no/such/folder.jpg").c_str(), fine.get()), 0);
  fine.get()->biSizeImage = 48;  // exactly the rows
  EXPECT_NE(writeJpegFile(path.c_str(), fine.get()), 0);
}

// readJpegFile refused the file and left the pointer null.
bool readRefused(const char* path) {
  ReadDib read;
  return readJpegFile(path, &read.dib) == 0 && read.dib == nullptr;
}

TEST(JpegFiles, BadFilesFailWithNull) {
  TempFolder folder;
  std::vector<std::pair<std::string, Bytes>> files = {
      {"empty", {}}, {"text", Bytes{'n', 'o', 't', ' ', 'J', 'P', 'E', 'G'}}};
  // Cut anywhere before the end marker, baseline and progressive.
  for (bool progressive : {false, true}) {
    const Bytes whole = encodeJpeg(48, 40, wave, JpegOptions{3, false, progressive});
    for (std::size_t cut = 0; cut + 2 < whole.size(); cut += 1 + cut / 8)
      files.push_back({"cut " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut)});
    Bytes damaged = whole;
    for (std::size_t i = whole.size() / 2; i < whole.size() - 2; i += 7) damaged[i] = 0xFF;
    files.push_back({"damaged", damaged});
  }
  files.push_back({"CMYK", encodeJpeg(16, 16, wave, JpegOptions{4})});
  files.push_back({"YCCK", encodeJpeg(16, 16, wave, JpegOptions{4, true})});
  files.push_back({"190 scans", encodeJpeg(16, 16, wave, JpegOptions{3, false, false, true})});
  const std::string path = folder.path("bad.jpg");
  for (const auto& [what, bytes] : files) {
    writeBytes(path, bytes);
    EXPECT_TRUE(readRefused(path.c_str())) << what;
  }
  EXPECT_TRUE(readRefused(folder.path("missing.jpg").c_str()));
  EXPECT_TRUE(readRefused(nullptr));
  EXPECT_EQ(readJpegFile(path.c_str(), nullptr), 0);
  // 64 scans (grey, one per coefficient) are within the bound.
  writeBytes(path, encodeJpeg(16, 16, wave, JpegOptions{1, false, false, true}));
  EXPECT_FALSE(readRefused(path.c_str()));
}

TEST(JpegWrittenFile, ThreeComponentYcbcrFrameWithLuma2x2AndQuality85Tables) {
  TempFolder folder;
  const int width = 33, height = 17;
  DibPtr dib = makeDib(width, height, [](int x, int row) {
    return Bgr{std::uint8_t(x * 7), std::uint8_t(row * 13), std::uint8_t(x + row)};
  });
  const std::string path = folder.path("written.jpg");
  ASSERT_NE(writeJpegFile(path.c_str(), dib.get()), 0);
  const Bytes file = readBytes(path);
  const Bytes sof0 = {0xFF, 0xC0}, sos = {0xFF, 0xDA};
  const auto scan = std::search(file.begin(), file.end(), sos.begin(), sos.end());
  EXPECT_NE(std::search(file.begin(), scan, sof0.begin(), sof0.end()), scan) << "baseline";

  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), file.size());
  ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
  EXPECT_TRUE(info.saw_JFIF_marker) << "JFIF: the three components are Y, Cb, Cr";
  EXPECT_EQ(info.jpeg_color_space, JCS_YCbCr);
  EXPECT_EQ(info.data_precision, 8);
  EXPECT_EQ(info.image_width * 100 + info.image_height, 33u * 100 + 17);
  ASSERT_EQ(info.num_components, 3);
  // Component id, sampling (h << 4 | v) and quantisation table of each component.
  const int components[3][3] = {{1, 0x22, 0}, {2, 0x11, 1}, {3, 0x11, 1}};
  for (int c = 0; c < 3; ++c) {
    const jpeg_component_info& component = info.comp_info[c];
    EXPECT_EQ(component.component_id, components[c][0]);
    EXPECT_EQ(component.h_samp_factor << 4 | component.v_samp_factor, components[c][1]);
    EXPECT_EQ(component.quant_tbl_no, components[c][2]);
  }
  // The standard's example tables as libjpeg-turbo scales them for quality 85.
  jpeg_compress_struct quality85{};
  quality85.err = &errors;
  jpeg_create_compress(&quality85);
  quality85.in_color_space = JCS_RGB;
  jpeg_set_defaults(&quality85);
  jpeg_set_quality(&quality85, 85, TRUE);
  for (int t = 0; t < 2; ++t) {
    ASSERT_NE(info.quant_tbl_ptrs[t], nullptr);
    EXPECT_EQ(std::memcmp(info.quant_tbl_ptrs[t]->quantval, quality85.quant_tbl_ptrs[t]->quantval,
                          sizeof(UINT16) * 64),
              0)
        << "table " << t;
  }
  EXPECT_EQ(info.quant_tbl_ptrs[2], nullptr);
  jpeg_destroy_compress(&quality85);
  jpeg_destroy_decompress(&info);
}

TEST(JpegScanlineReader, RowsAreReadJpegFilesInAnyBatchSize) {
  TempFolder folder;
  const int width = 27, height = 23, stride = 84;
  const std::string path = folder.path("wave.jpg");
  for (const JpegOptions& options : {JpegOptions{1}, JpegOptions{3}, JpegOptions{3, false, true}}) {
    writeBytes(path, encodeJpeg(width, height, wave, options));
    BITMAPINFOHEADER* dib = nullptr;
    ASSERT_NE(readJpegFile(path.c_str(), &dib), 0);
    for (int row = 0; row < height && options.components == 1; ++row) {
      for (int x = 0; x < width; ++x) {  // grey becomes three equal channels
        const Bgr p = dibPixel(dib, x, row);
        ASSERT_TRUE(p.b == p.g && p.g == p.r) << x << "," << row;
        EXPECT_NEAR(p.g, wave(x, row).g, 6) << x << "," << row;
      }
    }
    for (int batch : {1, 16, 40}) {
      JpegScanlineReader reader;
      ASSERT_TRUE(reader.open(path.c_str()));
      EXPECT_EQ(reader.channels(), options.components);  // the sizes: the pixel cap's test
      std::vector<Bytes> rows(batch, Bytes(width * 3));
      std::vector<BYTE*> targets;
      for (Bytes& row : rows) targets.push_back(row.data());
      int top = 0;
      while (int got = reader.readRows(targets.data(), batch)) {
        for (int i = 0; i < got; ++i, ++top) {
          const BYTE* stored =
              reinterpret_cast<const BYTE*>(dib) + 40 + (height - 1 - top) * stride;
          ASSERT_EQ(std::memcmp(rows[i].data(), stored, width * 3), 0)
              << "batch " << batch << ", row " << top;
        }
        EXPECT_EQ(reader.nextRow(), top);
      }
      EXPECT_EQ(top, height);
    }
    ::operator delete(dib);
  }
}

// 8192 x 8192 is the largest square within the pixel cap. Damaged data ends the reading and
// closes the reader.
TEST(JpegScanlineReader, PixelCapCheckedAtOpenAndDamagedDataEndsReadingAndCloses) {
  TempFolder folder;
  Bytes jpeg = encodeJpeg(16, 16, wave);
  std::size_t frame = 2;
  while (jpeg[frame + 1] != 0xC0) frame += 2 + (jpeg[frame + 2] << 8 | jpeg[frame + 3]);
  const std::string path = folder.path("sized.jpg");
  JpegScanlineReader reader;
  for (auto [width, height, allowed] :
       {std::tuple{8192, 8192, true}, {8192, 8193, false}, {65500, 65500, false}}) {
    const std::uint8_t size[4] = {std::uint8_t(height >> 8), std::uint8_t(height),
                                  std::uint8_t(width >> 8), std::uint8_t(width)};
    std::memcpy(&jpeg[frame + 5], size, 4);
    writeBytes(path, jpeg);
    EXPECT_EQ(reader.open(path.c_str()), allowed) << width << "x" << height;
    EXPECT_EQ(reader.isOpen(), allowed);
    EXPECT_EQ(reader.status(), allowed ? kJpegOk : kJpegTooLarge);
    EXPECT_EQ(std::pair(reader.width(), reader.height()), std::pair(width, height));
  }
  jpeg = encodeJpeg(64, 64, wave);
  jpeg.resize(jpeg.size() * 2 / 3);
  writeBytes(folder.path("cut.jpg"), jpeg);
  ASSERT_TRUE(reader.open(folder.path("cut.jpg").c_str()));
  Bytes row(64 * 3);
  int rows = 0;
  while (reader.readRow(row.data())) ++rows;
  EXPECT_LT(rows, 64);
  EXPECT_FALSE(reader.isOpen());
  EXPECT_EQ(reader.status(), kJpegCutShort);
  writeBytes(folder.path("text.jpg"), Bytes{'t', 'e', 'x', 't'});
  for (auto [file, status] :
       {std::pair{"missing.jpg", kJpegCannotOpen}, {"text.jpg", kJpegNotJpeg}}) {
    EXPECT_FALSE(reader.open(folder.path(file).c_str()));
    EXPECT_EQ(reader.status(), status) << file;
  }
  EXPECT_FALSE(reader.open(nullptr));
}

// The picture goes only into a destination of the size the parameters read gave.
TEST(JpegLayer, PictureOnlyIntoADestinationOfTheFilesSize) {
  TempFolder folder;
  const std::string path = folder.path("small.jpg");
  writeBytes(path, encodeJpeg(12, 9, wave));
  JpegProperties p;
  ASSERT_EQ(jpegInitialise(&p), kJpegOk);
  std::vector<BYTE> pixels(13 * 3 * 9 + 64, 0x55);
  p.dibPixels = pixels.data();
  p.jpegFile = path.c_str();
  EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument) << "before the parameters";
  ASSERT_EQ(jpegReadParameters(&p), kJpegOk);
  EXPECT_EQ(p.jpegWidth * 100 + p.jpegHeight * 10 + p.jpegChannels, 1293);
  for (auto [width, height] : {std::pair{11, 9}, {12, 8}, {13, 9}}) {
    p.dibWidth = width;
    p.dibHeight = -height;
    EXPECT_EQ(jpegReadPicture(&p), kJpegBadArgument) << width << "x" << height;
  }
  p.dibWidth = 12;
  p.dibHeight = -9;
  p.jpegColor = kJpegColorGrey;  // the file has three channels
  EXPECT_EQ(jpegReadPicture(&p), kJpegUnsupported);
  EXPECT_EQ(pixels[0], 0x55);
  p.jpegColor = kJpegColorYcbcr;
  ASSERT_EQ(jpegReadPicture(&p), kJpegOk);
  EXPECT_EQ(pixels[12 * 3 * 9], 0x55) << "nothing past the picture";
  jpegRelease(&p);
  jpegRelease(&p);
}

// readJpegFile, fitThumbnailSize, blurDib (when the larger side exceeds the side) and
// resizeDib, drawDibBorder in black, writeJpegFile.
bool literalFramedThumbnail(const std::string& source, int size, int& width, int& height,
                            const std::string& out) {
  ReadDib picture;
  if (!readJpegFile(source.c_str(), &picture.dib)) return false;
  width = picture.dib->biWidth;
  height = picture.dib->biHeight;
  fitThumbnailSize(size, width, height);
  const DibPtr thumbnail = literalThumbnail(picture.dib, size, size, 3, 3);
  const BYTE black[3] = {0, 0, 0};
  drawDibBorder(thumbnail.get(), black);
  return writeJpegFile(out.c_str(), thumbnail.get()) != 0;
}

TEST(FramedThumbnailFromJpegTest, SameFileAsTheLiteralPath) {
  const struct {
    int width, height, size, components;
    const char* what;
  } cases[] = {
      {201, 149, 128, 1, "grey"},
      {40, 30, 256, 3, "smaller than the side: enlarged, not blurred"},
      {64, 64, 64, 3, "larger side equal to the side: not blurred"},
      {65, 9, 64, 3, "one column more: blurred"},
      {1000, 3, 256, 3, "extreme proportions"},
      {1, 1, 256, 3, "a single pixel"},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    JpegOptions options;
    options.components = c.components;
    const std::string source = folder.path("source.jpg");
    writeBytes(source, encodeJpeg(c.width, c.height, wave, options));
    int width = -1, height = -1, literalWidth = -1, literalHeight = -1;
    ASSERT_TRUE(framedThumbnailFromJpeg(source.c_str(), c.size, width, height,
                                        folder.path("fast.jpg").c_str()))
        << c.what;
    ASSERT_TRUE(literalFramedThumbnail(source, c.size, literalWidth, literalHeight,
                                       folder.path("literal.jpg")))
        << c.what;
    EXPECT_EQ(width, literalWidth) << c.what;
    EXPECT_EQ(height, literalHeight) << c.what;
    EXPECT_TRUE(readBytes(folder.path("fast.jpg")) == readBytes(folder.path("literal.jpg")))
        << c.what;
  }
}

// A source that cannot be opened: the picture writers' test of the JPEG kind.
TEST(FramedThumbnailFromJpegTest, DamagedSourceWritesNothingAndKeepsTheOutParameters) {
  TempFolder folder;
  Bytes jpeg = encodeJpeg(300, 200, wave);
  jpeg.resize(jpeg.size() / 2);  // truncated in the middle of the picture
  writeBytes(folder.path("cut.jpg"), jpeg);
  int width = -1, height = -1;
  EXPECT_FALSE(framedThumbnailFromJpeg(folder.path("cut.jpg").c_str(), 64, width, height,
                                       folder.path("out.jpg").c_str()));
  EXPECT_EQ(width, -1);
  EXPECT_EQ(height, -1);
  EXPECT_FALSE(std::ifstream(folder.path("out.jpg")).good());
}

}  // namespace
