// What a JPEG read or write of this part answers: kJpegOk (0) or why it failed.
#pragma once

enum JpegStatus : int {
  kJpegOk = 0,
  kJpegBadArgument = -1,  // a field of the record does not describe a usable picture
  kJpegCannotOpen = -2,   // the file cannot be opened or created
  kJpegBadFile = -3,      // damaged: data that does not decode
  kJpegUnsupported = -4,  // a colour combination the layer does not convert (files: CMYK, YCCK)
  kJpegNoMemory = -5,     // also libjpeg-turbo's working memory beyond its cap
  kJpegWriteFailed = -6,  // writing the file failed; it has been removed
  kJpegNotJpeg = -7,      // empty, or no JPEG start marker
  kJpegCutShort = -8,     // the file ends before the picture does
  kJpegTooLarge = -9,     // beyond the caps of jpeg_limits.h: a side, the pixels or the scans
};
