#include "JPEGPalette.h"

#include <algorithm>

namespace numora {

HPALETTE PaletteFromColormap(const jpeg_decompress_struct& decoder) {
  TLogPalette palette;
  const int count =
      std::clamp(decoder.actual_number_of_colors, 0, static_cast<int>(kMaxPaletteEntries));
  palette.palNumEntries = static_cast<std::uint16_t>(count);
  const bool gray = decoder.out_color_space == JCS_GRAYSCALE || decoder.out_color_components < 3;
  for (int i = 0; i < count; ++i) {
    PALETTEENTRY& entry = palette.palPalEntry[i];
    if (gray) {
      entry.peRed = entry.peGreen = entry.peBlue = decoder.colormap[0][i];
    } else {
      entry.peRed = decoder.colormap[0][i];
      entry.peGreen = decoder.colormap[1][i];
      entry.peBlue = decoder.colormap[2][i];
    }
    entry.peFlags = 0;
  }
  return CreatePalette(palette);
}

bool ColormapFromPalette(CodecRecord& record, HPALETTE palette) {
  PALETTEENTRY entries[kMaxPaletteEntries];
  const unsigned count = GetPaletteEntries(palette, 0, kMaxPaletteEntries, entries);
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  if (count == 0) {
    d.colormap = nullptr;
    return false;
  }
  JSAMPARRAY colormap = nullptr;
  CodecCall(record, [&] {
    colormap = (*d.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d), JPOOL_IMAGE,
                                      static_cast<JDIMENSION>(count), 3);
  });
  for (unsigned i = 0; i < count; ++i) {
    colormap[0][i] = entries[i].peRed;
    colormap[1][i] = entries[i].peGreen;
    colormap[2][i] = entries[i].peBlue;
  }
  d.colormap = colormap;
  d.actual_number_of_colors = static_cast<int>(count);
  return true;
}

}  // namespace numora
