// Camera-like pictures for the picture benchmarks, and libjpeg-turbo used bare: the yardstick
// the picture writers are measured against.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/win_types.h"

struct DibDeleter {
  void operator()(BITMAPINFOHEADER* dib) const;
};
using BenchDib = std::unique_ptr<BITMAPINFOHEADER, DibDeleter>;

// Smooth gradients with a texture of fine noise, like a photograph: a 24-bit DIB buffer.
BenchDib cameraLikeDib(int width, int height);

// A file path in the temporary folder, removed by removeBenchFiles.
std::string benchFile(const char* name);
void removeBenchFiles();

// The 4000 x 3000 camera-like JPEG (quality 85, luma 2 x 2), written once.
const std::string& cameraJpeg();

// Decodes the file into B, G, R rows of a buffer the caller keeps for the next call.
bool bareDecode(const std::string& path, std::vector<unsigned char>& picture);
// Encodes a 24-bit DIB as the picture writers do (quality 85, YCbCr, luma 2 x 2), straight
// from its bottom-up rows.
bool bareEncode(const BITMAPINFOHEADER* dib, const std::string& path);
