#include "imaging/jpeg_guard.h"

#include "imaging/jpeg_limits.h"

namespace {

JpegGuard& guardOf(j_common_ptr info) { return *reinterpret_cast<JpegGuard*>(info->err); }

void jumpBack(j_common_ptr info) { std::longjmp(guardOf(info).jump, 1); }

// Level -1 is a warning (corrupt or missing data); higher levels are trace messages.
void onMessage(j_common_ptr info, int level) {
  if (level < 0) jumpBack(info);
}

void printNothing(j_common_ptr) {}

void checkScanCount(j_common_ptr info) {
  if (!info->is_decompressor) return;
  const j_decompress_ptr decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kJpegMaxScans) jumpBack(info);
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
