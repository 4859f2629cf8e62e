// The JPEG layer: one read or write of a JPEG file described by a properties record, in five
// operations (initialise, release, read parameters, read picture, write picture) over
// libjpeg-turbo. Each operation answers kJpegOk (0) or one of the JpegStatus failures.
//
// Reading: initialise, set jpegFile, read parameters (fills jpegWidth, jpegHeight and
// jpegChannels; a file beyond the caps answers kJpegTooLarge with its size in jpegWidth and
// jpegHeight), describe the destination in the dib fields and choose jpegColor, read picture,
// release. Writing: initialise, describe the source in the dib fields and the file in the jpeg
// fields, write picture, release. Release is needed after every initialise, also after a
// failure, and is harmless twice.
#pragma once

#include "common/win_types.h"
#include "imaging/jpeg_status.h"

// Colour codes of the record's dibColor and jpegColor.
enum JpegColor : int {
  kJpegColorBgr = 2,     // memory: B, G, R per pixel
  kJpegColorYcbcr = 3,   // file: three channels, YCbCr
  kJpegColorGrey = 4,    // file: one channel
  kJpegColorOther = 255  // anything else; neither read nor written
};

// Chroma subsampling of a written file.
enum JpegSubsampling : int {
  kJpegSubsamplingNone = 0,  // 4:4:4
  kJpegSubsampling411 = 1,   // one chroma sample per 2x2 luma block (h2v2)
};

struct JpegSession;

struct JpegProperties {
  // The picture in memory.
  BYTE* dibPixels;  // the first stored row
  int dibWidth;
  int dibHeight;  // rows in memory; negative: stored bottom-up (the first one is the bottom row)
  int dibChannels;
  int dibColor;
  int dibPadding;  // bytes after each row's pixels
  // The file.
  const char* jpegFile;
  int jpegWidth;
  int jpegHeight;
  int jpegChannels;
  int jpegColor;
  int jpegSubsampling;
  int jpegQuality;  // 1 .. 100
  // The layer's state between calls; null until a read of parameters.
  JpegSession* session;
};

// Defaults: no picture, 3 channels B, G, R in memory; YCbCr with 4:1:1 at quality 75 on file.
int jpegInitialise(JpegProperties* properties);
void jpegRelease(JpegProperties* properties);
int jpegReadParameters(JpegProperties* properties);
int jpegReadPicture(JpegProperties* properties);
int jpegWritePicture(JpegProperties* properties);
