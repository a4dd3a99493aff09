#include "DecodeBudget.h"

#include <jerror.h>

#include "JPEGError.h"

namespace numora {
namespace {

std::int64_t RoundUp(std::int64_t value, std::int64_t step) {
  return step <= 1 ? value : (value + step - 1) / step * step;
}

std::int64_t Footprint(const jpeg_decompress_struct& d, int bitmapBytesPerPixel,
                       bool wholeImageCoefficients) {
  const std::int64_t width = d.output_width;
  const std::int64_t height = d.output_height;
  std::int64_t bytes = RoundUp(width * bitmapBytesPerPixel, 4) * height;
  if (wholeImageCoefficients) {
    for (int i = 0; i < d.num_components; ++i) {
      const jpeg_component_info& c = d.comp_info[i];
      bytes += RoundUp(c.width_in_blocks, c.h_samp_factor) *
               RoundUp(c.height_in_blocks, c.v_samp_factor) *
               static_cast<std::int64_t>(sizeof(JBLOCK));
    }
  }
  if (d.quantize_colors && (d.two_pass_quantize || d.enable_2pass_quant)) {
    bytes += width * d.out_color_components * height;
  }
  return bytes;
}

}  // namespace

void RefuseOversizedDecode(CodecRecord& record, int bitmapBytesPerPixel) {
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  bool multiScan = false;
  CodecCall(record, [&] {
    jpeg_calc_output_dimensions(&d);
    multiScan = jpeg_has_multiple_scans(&d);
  });
  if (Footprint(d, bitmapBytesPerPixel, multiScan || d.buffered_image) > kMaxDecodeBytes) {
    throw EJPEG(JERR_IMAGE_TOO_BIG);
  }
  d.mem->max_memory_to_use = kMaxDecodeBytes;
}

}  // namespace numora
