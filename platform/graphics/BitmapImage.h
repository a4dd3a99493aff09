// The shared pixel store behind TBitmap (internal to the framework).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Palette.h"
#include "graphics/SharedImage.h"

namespace numora {

class TBitmap::TBitmapImage : public TSharedImage {
 public:
  // Without a palette. The pixels are 0, or left undefined for a writer that fills every row.
  TBitmapImage(int width, int height, TPixelFormat format, bool zeroed = true);
  // Deletes the palette.
  ~TBitmapImage() override;
  // The same size, format and pixels, without a palette.
  TBitmapImage(const TBitmapImage& other);

  int width = 0;
  int height = 0;
  int stride = 0;
  TPixelFormat format = TPixelFormat::pf24bit;
  std::unique_ptr<std::uint8_t[]> pixels;
  // Owned. Handles are given last, once nothing that can fail is left, so a failure frees them
  // with the image and none leaks.
  HPALETTE palette = 0;

  std::size_t Bytes() const { return static_cast<std::size_t>(stride) * height; }
  std::uint8_t* Row(int row) { return pixels.get() + static_cast<std::size_t>(row) * stride; }
  const std::uint8_t* Row(int row) const {
    return pixels.get() + static_cast<std::size_t>(row) * stride;
  }
};

// All entries of a palette, or a gray ramp of 256 when there is none.
std::vector<PALETTEENTRY> ColorTable(HPALETTE palette);

}  // namespace numora
