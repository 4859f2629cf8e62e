#include "imaging/jpeg_guard.h"

#include <jerror.h>

#include "imaging/jpeg_limits.h"

namespace {

JpegGuard& guardOf(j_common_ptr info) { return *reinterpret_cast<JpegGuard*>(info->err); }

void failWith(j_common_ptr info, int status) {
  guardOf(info).status = status;
  std::longjmp(guardOf(info).jump, 1);
}

// The message that ends the operation, as a status.
int statusOf(int code) {
  switch (code) {
    case JERR_NO_SOI:
    case JERR_INPUT_EMPTY:
      return kJpegNotJpeg;
    case JWRN_JPEG_EOF:
      return kJpegCutShort;
    case JERR_IMAGE_TOO_BIG:
      return kJpegTooLarge;
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
      return kJpegNoMemory;
    default:
      return kJpegBadFile;
  }
}

void jumpBack(j_common_ptr info) { failWith(info, statusOf(info->err->msg_code)); }

// Level -1 is a warning (corrupt or missing data); higher levels are trace messages.
void onMessage(j_common_ptr info, int level) {
  if (level < 0) jumpBack(info);
}

void printNothing(j_common_ptr) {}

void checkScanCount(j_common_ptr info) {
  if (!info->is_decompressor) return;
  const j_decompress_ptr decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kJpegMaxScans) failWith(info, kJpegTooLarge);
}

}  // namespace

void attachJpegGuard(j_common_ptr info, JpegGuard& guard) {
  info->err = jpeg_std_error(&guard.errors);
  guard.errors.error_exit = jumpBack;
  guard.errors.emit_message = onMessage;
  guard.errors.output_message = printNothing;
}

void limitJpegResources(j_common_ptr info, JpegGuard& guard) {
  info->mem->max_memory_to_use = kJpegMaxLibraryMemory;
  guard.progress.progress_monitor = checkScanCount;
  info->progress = &guard.progress;
}
