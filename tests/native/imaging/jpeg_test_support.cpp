#include "jpeg_test_support.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

TestDib::TestDib(int width, int height, const std::function<Bgr(int, int)>& color)
    : block_((40 + static_cast<std::size_t>((width * 3 + 3) & ~3) * height + 3) / 4),
      width_(width) {
  BITMAPINFOHEADER& h = *header();
  h = BITMAPINFOHEADER{};
  h.biSize = 40;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  std::uint8_t* pixels = reinterpret_cast<std::uint8_t*>(block_.data()) + 40;
  for (int row = 0; row < height; ++row) {
    std::uint8_t* line = pixels + static_cast<std::size_t>(height - 1 - row) * stride();
    for (int x = 0; x < width; ++x) {
      const Bgr c = color(x, row);
      line[3 * x] = c.b;
      line[3 * x + 1] = c.g;
      line[3 * x + 2] = c.r;
    }
    for (int i = width * 3; i < stride(); ++i) line[i] = 0xEE;
  }
}

Bgr dibPixel(const BITMAPINFOHEADER* dib, int x, int row) {
  const int stride = (dib->biWidth * 3 + 3) & ~3;
  const std::uint8_t* p = reinterpret_cast<const std::uint8_t*>(dib) + 40 +
                          static_cast<std::size_t>(dib->biHeight - 1 - row) * stride + 3 * x;
  return Bgr{p[0], p[1], p[2]};
}

namespace {

void fillRow(std::vector<JSAMPLE>& line, int width, int row, int components,
             const std::function<Bgr(int, int)>& color) {
  for (int x = 0; x < width; ++x) {
    const Bgr c = color(x, row);
    JSAMPLE* p = &line[static_cast<std::size_t>(x) * components];
    if (components == 1) {
      p[0] = c.g;
    } else if (components == 3) {
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
    } else {
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
      p[3] = static_cast<JSAMPLE>(255 - c.g);
    }
  }
}

// One scan for the DC of all components, then one scan per AC coefficient and component.
void useOneScanPerCoefficient(jpeg_compress_struct& info, std::vector<jpeg_scan_info>& scans) {
  jpeg_scan_info dc{};
  dc.comps_in_scan = info.num_components;
  for (int c = 0; c < info.num_components; ++c) dc.component_index[c] = c;
  scans.push_back(dc);
  for (int c = 0; c < info.num_components; ++c) {
    for (int k = 1; k < 64; ++k) {
      jpeg_scan_info ac{};
      ac.comps_in_scan = 1;
      ac.component_index[0] = c;
      ac.Ss = ac.Se = k;
      scans.push_back(ac);
    }
  }
  info.scan_info = scans.data();
  info.num_scans = static_cast<int>(scans.size());
}

}  // namespace

Bytes encodeJpeg(int width, int height, const std::function<Bgr(int, int)>& color,
                 const JpegOptions& options) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&info, &out, &outSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = options.components;
  info.in_color_space = options.components == 1   ? JCS_GRAYSCALE
                        : options.components == 3 ? JCS_RGB
                                                  : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (options.ycck) jpeg_set_colorspace(&info, JCS_YCCK);
  std::vector<jpeg_scan_info> scans;
  if (options.everyCoefficientOwnScan)
    useOneScanPerCoefficient(info, scans);
  else if (options.progressive)
    jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> line(static_cast<std::size_t>(width) * options.components);
  for (int row = 0; row < height; ++row) {
    fillRow(line, width, row, options.components, color);
    JSAMPROW rows[1] = {line.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes jpeg(out, out + outSize);
  std::free(out);
  return jpeg;
}

std::vector<Bytes> decodeJpegRows(const Bytes& jpeg) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), jpeg.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  std::vector<Bytes> rows(info.output_height, Bytes(info.output_width * 3u));
  while (info.output_scanline < info.output_height) {
    JSAMPROW target[1] = {rows[info.output_scanline].data()};
    jpeg_read_scanlines(&info, target, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return rows;
}

Bytes readBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

TempFolder::TempFolder() {
  static unsigned counter = 0;
  const auto base = std::filesystem::temp_directory_path();
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate =
        base / ("zorv_jpeg_" + std::to_string(stamp) + "_" + std::to_string(++counter));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
