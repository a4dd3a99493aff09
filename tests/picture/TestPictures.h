// Pictures and JPEG streams made inside the tests, and the reference decoder of the same
// library (djpeg) run over them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"

namespace numora::test {

using TBytes = std::vector<std::uint8_t>;

// A 24-bit picture with smooth gradients, a few hard edges and some texture, so that every
// codec path (smoothing, quantization, dithering) has something to do.
TBitmap MakeTestBitmap(int width, int height);

struct TEncodeSettings {
  int quality = 90;
  bool gray = false;         // one gray component
  bool progressive = false;  // jpeg_simple_progression
  int restartRows = 0;       // restart interval in MCU rows; 0 for none
};
// Encodes the bitmap with bare libjpeg calls (not through TJPEGImage).
TBytes EncodeWithLibjpeg(const TBitmap& bitmap, const TEncodeSettings& settings = {});

// A four-component (CMYK) stream of a flat colour.
TBytes EncodeCmykWithLibjpeg(int width, int height);

struct TDecodeSettings {
  bool blockSmoothing = true;
  int dctMethod = 2;  // a J_DCT_METHOD; 2 is JDCT_FLOAT
};
// Decodes with bare libjpeg calls into RGB PPM (warnings ignored).
TBytes DecodeWithLibjpeg(const TBytes& jpeg, const TDecodeSettings& settings = {});

// Binary PPM (P6) of a bitmap; 8-bit bitmaps expanded through their palette.
TBytes PpmOf(const TBitmap& bitmap);

// Runs djpeg with `arguments` over the stream and returns its output (PPM, or PGM for gray
// output); PGM output is expanded to PPM so that it compares with PpmOf.
TBytes RunDjpeg(const TBytes& jpeg, const std::string& arguments);
TBytes RunCjpeg(const TBytes& ppm, const std::string& arguments);

// A stored picture record: class-name length, name, 32-bit little-endian length, bytes.
TBytes StoredRecord(const TBytes& jpeg, const std::string& className = "TJPEGImage");

std::string TempPath(const std::string& name);
void WriteFile(const std::string& path, const TBytes& bytes);
TBytes ReadFile(const std::string& path);

}  // namespace numora::test
