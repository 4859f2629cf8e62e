#include "imaging/jpeg_scanline_reader.h"

#include <new>

#include "imaging/jpeg_guard.h"
#include "imaging/jpeg_limits.h"

// libjpeg-turbo's decoder with its guard and file.
struct JpegDecoder {
  JpegGuard guard{};
  jpeg_decompress_struct info{};
  std::FILE* file = nullptr;
};

namespace {

// Grey and three-channel pictures (YCbCr or RGB) convert to B, G, R; CMYK and YCCK have no
// conversion in libjpeg-turbo, and a guessed one would give wrong colours: they are refused.
bool hasBgrOutput(const jpeg_decompress_struct& info) {
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      return info.num_components == 1;
    case JCS_YCbCr:
    case JCS_RGB:
      return info.num_components == 3;
    default:
      return false;
  }
}

bool startDecoding(JpegDecoder& decoder) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.guard.jump) != 0) return false;
  jpeg_create_decompress(&info);
  limitJpegResources(reinterpret_cast<j_common_ptr>(&info), decoder.guard);
  jpeg_stdio_src(&info, decoder.file);
  jpeg_read_header(&info, TRUE);
  if (!hasBgrOutput(info) || !jpegSizeAllowed(info.image_width, info.image_height)) return false;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  return info.output_components == 3 && info.output_width == info.image_width &&
         info.output_height == info.image_height;
}

// Rows decoded, or -1 after an error.
int decodeRows(JpegDecoder& decoder, BYTE* const* rows, int count) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.guard.jump) != 0) return -1;
  int done = 0;
  while (done < count && info.output_scanline < info.output_height) {
    JSAMPARRAY target = const_cast<JSAMPARRAY>(rows + done);
    const JDIMENSION read =
        jpeg_read_scanlines(&info, target, static_cast<JDIMENSION>(count - done));
    if (read == 0) return -1;  // only a suspending source answers 0; ours never should
    done += static_cast<int>(read);
  }
  return done;
}

}  // namespace

bool JpegScanlineReader::open(const char* path) {
  close();
  if (path == nullptr) return false;
  decoder_ = new (std::nothrow) JpegDecoder();
  if (decoder_ == nullptr) return false;
  attachJpegGuard(reinterpret_cast<j_common_ptr>(&decoder_->info), decoder_->guard);
  decoder_->file = std::fopen(path, "rb");
  if (decoder_->file == nullptr || !startDecoding(*decoder_)) {
    close();
    return false;
  }
  width_ = static_cast<int>(decoder_->info.output_width);
  height_ = static_cast<int>(decoder_->info.output_height);
  channels_ = decoder_->info.num_components;
  return true;
}

int JpegScanlineReader::readRows(BYTE* const* rows, int count) {
  if (decoder_ == nullptr || rows == nullptr || count <= 0) return 0;
  const int done = decodeRows(*decoder_, rows, count);
  if (done < 0) {
    close();
    return 0;
  }
  nextRow_ += done;
  return done;
}

void JpegScanlineReader::close() {
  if (decoder_ != nullptr) {
    jpeg_destroy_decompress(&decoder_->info);
    if (decoder_->file != nullptr) std::fclose(decoder_->file);
    delete decoder_;
    decoder_ = nullptr;
  }
  width_ = height_ = channels_ = nextRow_ = 0;
}
