#include "imaging/jpeg_layer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "imaging/jpeg_guard.h"
#include "imaging/jpeg_limits.h"
#include "imaging/jpeg_scanline_reader.h"

struct JpegSession {
  JpegScanlineReader reader;
};

namespace {

// Rows handed to libjpeg-turbo per call: enough to cover an MCU row of any sampling.
constexpr int kRowBatch = 16;

// Where the picture's rows lie in memory: row r (0 = top) starts at rowAt(r).
struct RowLayout {
  BYTE* first;
  std::int64_t stride;
  int height;
  bool bottomUp;

  BYTE* rowAt(int row) const {
    const int stored = bottomUp ? height - 1 - row : row;
    return first + stored * stride;
  }
};

bool describeRows(const JpegProperties& p, RowLayout& layout) {
  const std::int64_t height = p.dibHeight < 0 ? -std::int64_t{p.dibHeight} : p.dibHeight;
  if (p.dibPixels == nullptr || p.dibChannels != 3 || p.dibColor != kJpegColorBgr ||
      p.dibPadding < 0 || p.dibPadding > 3 || !jpegSizeAllowed(p.dibWidth, height))
    return false;
  layout.first = p.dibPixels;
  layout.stride = std::int64_t{p.dibWidth} * 3 + p.dibPadding;
  layout.height = static_cast<int>(height);
  layout.bottomUp = p.dibHeight < 0;
  return true;
}

bool jpegColorMatches(int color, int channels) {
  return (color == kJpegColorGrey && channels == 1) || (color == kJpegColorYcbcr && channels == 3);
}

// --- writing ---

struct Encoder {
  JpegGuard guard{};
  jpeg_compress_struct info{};
  std::FILE* file = nullptr;
};

void setEncoderParameters(jpeg_compress_struct& info, const JpegProperties& p) {
  info.image_width = static_cast<JDIMENSION>(p.dibWidth);
  info.image_height = static_cast<JDIMENSION>(p.jpegHeight);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, JCS_YCbCr);
  jpeg_set_quality(&info, p.jpegQuality, TRUE);
  const int luma = p.jpegSubsampling == kJpegSubsampling411 ? 2 : 1;
  info.comp_info[0].h_samp_factor = luma;
  info.comp_info[0].v_samp_factor = luma;
  for (int c = 1; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
}

bool encode(Encoder& encoder, const JpegProperties& p, const RowLayout& layout) {
  jpeg_compress_struct& info = encoder.info;
  if (setjmp(encoder.guard.jump) != 0) return false;
  jpeg_create_compress(&info);
  limitJpegResources(reinterpret_cast<j_common_ptr>(&info), encoder.guard);
  jpeg_stdio_dest(&info, encoder.file);
  setEncoderParameters(info, p);
  jpeg_start_compress(&info, TRUE);
  JSAMPROW rows[kRowBatch];
  while (info.next_scanline < info.image_height) {
    const int first = static_cast<int>(info.next_scanline);
    const int count = layout.height - first < kRowBatch ? layout.height - first : kRowBatch;
    for (int i = 0; i < count; ++i) rows[i] = layout.rowAt(first + i);
    jpeg_write_scanlines(&info, rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(&info);
  return true;
}

int writeFile(const JpegProperties& p, const RowLayout& layout) {
  Encoder* encoder = new (std::nothrow) Encoder();
  if (encoder == nullptr) return kJpegNoMemory;
  attachJpegGuard(reinterpret_cast<j_common_ptr>(&encoder->info), encoder->guard);
  encoder->file = std::fopen(p.jpegFile, "wb");
  int status = kJpegCannotOpen;
  if (encoder->file != nullptr) {
    status = encode(*encoder, p, layout) ? kJpegOk : kJpegWriteFailed;
    // A full disk may show only when the last buffer is flushed.
    if (std::fclose(encoder->file) != 0) status = kJpegWriteFailed;
    if (status != kJpegOk) std::remove(p.jpegFile);
  }
  jpeg_destroy_compress(&encoder->info);
  delete encoder;
  return status;
}

}  // namespace

int jpegInitialise(JpegProperties* p) {
  if (p == nullptr) return kJpegBadArgument;
  std::memset(p, 0, sizeof *p);
  p->dibChannels = 3;
  p->dibColor = kJpegColorBgr;
  p->jpegChannels = 3;
  p->jpegColor = kJpegColorYcbcr;
  p->jpegSubsampling = kJpegSubsampling411;
  p->jpegQuality = 75;
  return kJpegOk;
}

void jpegRelease(JpegProperties* p) {
  if (p == nullptr) return;
  delete p->session;
  p->session = nullptr;
}

int jpegReadParameters(JpegProperties* p) {
  if (p == nullptr || p->jpegFile == nullptr) return kJpegBadArgument;
  if (p->session == nullptr) p->session = new (std::nothrow) JpegSession();
  if (p->session == nullptr) return kJpegNoMemory;
  JpegScanlineReader& reader = p->session->reader;
  if (!reader.open(p->jpegFile)) {
    if (reader.status() == kJpegTooLarge) {
      p->jpegWidth = reader.width();
      p->jpegHeight = reader.height();
    }
    return reader.status();
  }
  p->jpegWidth = reader.width();
  p->jpegHeight = reader.height();
  p->jpegChannels = reader.channels();
  return kJpegOk;
}

// Decodes the file whose parameters were read last; the picture's size is the one read then,
// so a file changed in between cannot overrun the caller's buffer.
int jpegReadPicture(JpegProperties* p) {
  if (p == nullptr || p->session == nullptr || !p->session->reader.isOpen())
    return kJpegBadArgument;
  JpegScanlineReader& reader = p->session->reader;
  RowLayout layout;
  if (!describeRows(*p, layout)) return kJpegBadArgument;
  if (p->dibWidth != reader.width() || layout.height != reader.height() || reader.nextRow() != 0)
    return kJpegBadArgument;
  if (!jpegColorMatches(p->jpegColor, reader.channels())) return kJpegUnsupported;
  BYTE* rows[kRowBatch];
  while (reader.nextRow() < layout.height) {
    const int first = reader.nextRow();
    const int count = layout.height - first < kRowBatch ? layout.height - first : kRowBatch;
    for (int i = 0; i < count; ++i) rows[i] = layout.rowAt(first + i);
    if (reader.readRows(rows, count) != count) return reader.status();
  }
  reader.close();
  return kJpegOk;
}

int jpegWritePicture(JpegProperties* p) {
  if (p == nullptr || p->jpegFile == nullptr) return kJpegBadArgument;
  RowLayout layout;
  if (!describeRows(*p, layout)) return kJpegBadArgument;
  if (p->jpegWidth != p->dibWidth || p->jpegHeight != layout.height) return kJpegBadArgument;
  if (p->jpegColor != kJpegColorYcbcr || p->jpegChannels != 3) return kJpegUnsupported;
  if (p->jpegQuality < 1 || p->jpegQuality > 100) return kJpegBadArgument;
  if (p->jpegSubsampling != kJpegSubsampling411 && p->jpegSubsampling != kJpegSubsamplingNone)
    return kJpegUnsupported;
  return writeFile(*p, layout);
}
