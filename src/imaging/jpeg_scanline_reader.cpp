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

// The first reason that applies: damaged or cut short, beyond the caps, no B, G, R output.
int startDecoding(JpegDecoder& decoder) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.guard.jump) != 0) return decoder.guard.status;
  jpeg_create_decompress(&info);
  limitJpegResources(reinterpret_cast<j_common_ptr>(&info), decoder.guard);
  jpeg_stdio_src(&info, decoder.file);
  jpeg_read_header(&info, TRUE);
  if (!jpegSizeAllowed(info.image_width, info.image_height)) return kJpegTooLarge;
  if (!hasBgrOutput(info)) return kJpegUnsupported;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  const bool bgr = info.output_components == 3 && info.output_width == info.image_width &&
                   info.output_height == info.image_height;
  return bgr ? kJpegOk : kJpegUnsupported;
}

// Rows decoded, or -1 after an error.
int decodeRows(JpegDecoder& decoder, BYTE* const* rows, int count) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.guard.jump) != 0) return -1;  // the guard holds the status
  int done = 0;
  while (done < count && info.output_scanline < info.output_height) {
    JSAMPARRAY target = const_cast<JSAMPARRAY>(rows + done);
    const JDIMENSION read =
        jpeg_read_scanlines(&info, target, static_cast<JDIMENSION>(count - done));
    if (read == 0) {  // only a suspending source answers 0; ours never should
      decoder.guard.status = kJpegBadFile;
      return -1;
    }
    done += static_cast<int>(read);
  }
  return done;
}

}  // namespace

bool JpegScanlineReader::open(const char* path) {
  close();
  width_ = height_ = 0;
  decoder_ = path != nullptr ? new (std::nothrow) JpegDecoder() : nullptr;
  if (decoder_ == nullptr) {
    status_ = path != nullptr ? kJpegNoMemory : kJpegBadArgument;
    return false;
  }
  attachJpegGuard(reinterpret_cast<j_common_ptr>(&decoder_->info), decoder_->guard);
  decoder_->file = std::fopen(path, "rb");
  status_ = decoder_->file != nullptr ? startDecoding(*decoder_) : kJpegCannotOpen;
  // The header's size, also of a picture beyond the caps; the output has the same size.
  width_ = static_cast<int>(decoder_->info.image_width);
  height_ = static_cast<int>(decoder_->info.image_height);
  if (status_ != kJpegOk) {
    close();
    return false;
  }
  channels_ = decoder_->info.num_components;
  return true;
}

int JpegScanlineReader::readRows(BYTE* const* rows, int count) {
  if (decoder_ == nullptr || rows == nullptr || count <= 0) return 0;
  const int done = decodeRows(*decoder_, rows, count);
  if (done < 0) {
    status_ = decoder_->guard.status;
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
  channels_ = nextRow_ = 0;
}
