// Pictures, JPEG files and folders for the JPEG tests. The JPEG files handed to the code under
// test are made here with libjpeg-turbo directly, so their content is known.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "../../support/temp_folder.h"
#include "dib_pictures.h"

using Bytes = std::vector<std::uint8_t>;

struct Bgr {
  std::uint8_t b, g, r;
};
using Picture = std::function<Bgr(int x, int row)>;  // row 0 is the top row

// A 24-bit DIB in a block of exactly its size; padding bytes are 0xEE.
inline DibPtr makeDib(int width, int height, const Picture& picture) {
  DibPtr dib = blankDib(width, height);
  for (int row = 0; row < height; ++row) {
    BYTE* line = pixel(dib.get(), 0, height - 1 - row);
    for (int x = 0; x < width; ++x) {
      const Bgr c = picture(x, row);
      line[3 * x] = c.b, line[3 * x + 1] = c.g, line[3 * x + 2] = c.r;
    }
    std::fill(line + 3 * width, line + strideOf(width), 0xEE);
  }
  return dib;
}
// The pixel at picture row `row` (0 = top) of a bottom-up 24-bit DIB.
inline Bgr dibPixel(const BITMAPINFOHEADER* dib, int x, int row) {
  const BYTE* p = pixel(dib, x, dib->biHeight - 1 - row);
  return Bgr{p[0], p[1], p[2]};
}

struct JpegOptions {
  int components = 3;  // 1 grey (the green value), 3 RGB stored as YCbCr, 4 CMYK
  bool ycck = false;   // 4 components stored as YCCK
  bool progressive = false;
  bool scanPerCoefficient = false;  // progressive, one scan per AC coefficient and component
};

inline Bytes encodeJpeg(int width, int height, const Picture& picture,
                        const JpegOptions& options = {}) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&info, &out, &outSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  const int n = options.components;
  info.input_components = n;
  info.in_color_space = n == 1 ? JCS_GRAYSCALE : n == 3 ? JCS_EXT_BGR : JCS_CMYK;
  jpeg_set_defaults(&info);
  if (options.ycck) jpeg_set_colorspace(&info, JCS_YCCK);
  std::vector<jpeg_scan_info> scans;
  if (options
          .scanPerCoefficient) {  // one scan for the DC of all components, one per AC and component
    jpeg_scan_info dc{};
    dc.comps_in_scan = n;
    for (int c = 0; c < n; ++c) dc.component_index[c] = c;
    scans.push_back(dc);
    for (int c = 0; c < n; ++c) {
      for (int k = 1; k < 64; ++k) scans.push_back(jpeg_scan_info{1, {c}, k, k, 0, 0});
    }
    info.scan_info = scans.data();
    info.num_scans = static_cast<int>(scans.size());
  }
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> line(static_cast<std::size_t>(width) * n);
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      const Bgr c = picture(x, row);
      const JSAMPLE all[4] = {c.b, c.g, c.r, static_cast<JSAMPLE>(255 - c.g)};
      for (int i = 0; i < n; ++i) line[static_cast<std::size_t>(x) * n + i] = n == 1 ? c.g : all[i];
    }
    JSAMPROW rows[1] = {line.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes jpeg(out, out + outSize);
  std::free(out);
  return jpeg;
}

inline Bytes readBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}
