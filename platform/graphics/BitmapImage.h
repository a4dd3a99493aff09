// The shared pixel store behind TBitmap (internal to the framework).
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Palette.h"
#include "graphics/SharedImage.h"

namespace numora {

class TBitmap::TBitmapImage : public TSharedImage {
 public:
  TBitmapImage(int width, int height, TPixelFormat format, HPALETTE palette);

  int width = 0;
  int height = 0;
  int stride = 0;
  TPixelFormat format = TPixelFormat::pf24bit;
  std::vector<std::uint8_t> pixels;
  HPALETTE palette = 0;  // owned

  std::uint8_t* Row(int row) { return pixels.data() + static_cast<std::size_t>(row) * stride; }
  const std::uint8_t* Row(int row) const {
    return pixels.data() + static_cast<std::size_t>(row) * stride;
  }

 protected:
  void FreeHandle() override;
};

// All entries of a palette, or a gray ramp of 256 when there is none.
std::vector<PALETTEENTRY> ColorTable(HPALETTE palette);

}  // namespace numora
