// Row-by-row decoding of a JPEG file, for code that must not hold the whole picture.
#pragma once

#include "common/win_types.h"
#include "imaging/jpeg_status.h"

struct JpegDecoder;

// Decodes one JPEG file from its top row down. Every row comes out as width x 3 bytes in
// B, G, R order; grey pictures have three equal channels. The bytes are exactly those that
// readJpegFile stores for the same row. The reader guards against untrusted files as
// readJpegFile does (caps of jpeg_limits.h, warnings fatal, bounded scans) and releases
// everything it holds on close, on failure and on destruction.
class JpegScanlineReader {
 public:
  JpegScanlineReader() = default;
  ~JpegScanlineReader() { close(); }
  JpegScanlineReader(const JpegScanlineReader&) = delete;
  JpegScanlineReader& operator=(const JpegScanlineReader&) = delete;

  // Opens the file, reads its header, checks the caps and starts decoding. False for a file
  // that cannot be opened, is no JPEG, is damaged or cut short, is beyond the caps, or is
  // CMYK/YCCK or has another channel count than 1 or 3 (status() says which, the first that
  // applies); the reader is closed then.
  bool open(const char* path);

  bool isOpen() const { return decoder_ != nullptr; }
  // The size the header gave (0 before it was read), kept after close until the next open.
  int width() const { return width_; }
  int height() const { return height_; }
  int channels() const { return channels_; }  // of the file: 1 (grey) or 3
  int nextRow() const { return nextRow_; }    // 0 = the top row

  // Decodes the next rows into rows[0] .. rows[count - 1], each at least width x 3 bytes.
  // Returns how many rows were decoded: fewer than count only at the picture's end, 0 after a
  // failure (a damaged or cut short file; status() says which), which also closes the reader.
  int readRows(BYTE* const* rows, int count);
  bool readRow(BYTE* row) { return readRows(&row, 1) == 1; }

  void close();

  // Why the last open or read failed; kJpegOk while none has.
  int status() const { return status_; }

 private:
  JpegDecoder* decoder_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int channels_ = 0;
  int nextRow_ = 0;
  int status_ = kJpegOk;
};
