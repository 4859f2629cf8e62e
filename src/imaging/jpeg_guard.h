// How every libjpeg-turbo call of this part is guarded. libjpeg-turbo reports errors by calling
// its error manager, which by default ends the process; ours jumps back to the setjmp of the
// operation instead. Warnings (damaged data, a truncated file) end the operation too, nothing
// is printed, libjpeg-turbo's working memory is capped and a decompression stops after
// kJpegMaxScans scans. Before it jumps, the guard records why as a JpegStatus.
//
// Use: value-initialise the libjpeg struct and a JpegGuard, call attachJpegGuard, then in every
// function that calls into libjpeg-turbo: if (setjmp(guard.jump) != 0) { fail }. Such functions
// hold no object with a destructor and no local changed after setjmp that is read after the
// jump. jpeg_destroy is safe on the struct at any point after attachJpegGuard.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "imaging/jpeg_status.h"

struct JpegGuard {
  jpeg_error_mgr errors;  // first: the callbacks find the guard from cinfo->err
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  int status;  // why the last jump was taken (kJpegOk before any)
};

// Installs the guard's error manager into a struct that jpeg_create_* has not set up yet.
void attachJpegGuard(j_common_ptr info, JpegGuard& guard);

// After jpeg_create_*: the memory cap and, for decompression, the scan limit.
void limitJpegResources(j_common_ptr info, JpegGuard& guard);
