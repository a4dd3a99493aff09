// How much a decode may hold: a few hundred bytes of stream can declare a picture of gigabytes,
// and the codec allocates for the declared size before it reads a single pixel.
#pragma once

#include <cstdint>

#include "CodecRecord.h"

namespace numora {

// 100 megapixels of a 24-bit bitmap.
constexpr std::int64_t kMaxDecodeBytes = 300'000'000;

// Counts what the decode set up in the codec will hold at once: the bitmap, the coefficients of
// the whole image that the codec keeps for a multi-scan stream (at full size, whatever the
// output scale), and the full output image that two-pass quantization reads before it chooses
// its colours. Above kMaxDecodeBytes: EJPEG with JERR_IMAGE_TOO_BIG. Otherwise the codec's own
// memory is capped at the budget, so whatever this count misses still cannot grow unbounded.
void RefuseOversizedDecode(CodecRecord& record, int bitmapBytesPerPixel);

}  // namespace numora
