// Pictures and JPEG streams made inside the tests with bare libjpeg calls.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "jpeg.h"

namespace numora::test {

using TBytes = std::vector<std::uint8_t>;

// A 24-bit picture with gradients, hard edges and texture, so every codec path has work to do.
TBitmap MakeTestBitmap(int width, int height);

struct TEncodeSettings {
  bool gray = false;
  bool progressive = false;
  int components = 3;  // 4: a flat CMYK picture
};
// Quality 90, 2x2 sampled colour, written by libjpeg itself (not through TJPEGImage).
TBytes EncodeWithLibjpeg(const TBitmap& bitmap, const TEncodeSettings& settings = {});

// The stream with the frame header's size replaced: a few hundred bytes declaring any size.
TBytes WithDeclaredSize(TBytes bytes, int width, int height);

// A picture loaded from the bytes by LoadStream; options are set before the load.
std::unique_ptr<TJPEGImage> Loaded(const TBytes& bytes, void (*options)(TJPEGImage&) = nullptr);

}  // namespace numora::test
