// Palettes of 8-bit decodes: from the decoder's colour map, and onto a given palette.
#pragma once

#include "CodecRecord.h"
#include "graphics/Palette.h"

namespace numora {

// A new palette with the decoder's actual_number_of_colors entries (at most 256); gray colour
// maps give gray entries. The caller owns the handle.
HPALETTE PaletteFromColormap(const jpeg_decompress_struct& decoder);

// Makes the palette's colours the decoder's colour map (allocated from its image pool), so the
// image is mapped onto exactly them. False, and no colour map, when the palette has no entries.
bool ColormapFromPalette(CodecRecord& record, HPALETTE palette);

}  // namespace numora
