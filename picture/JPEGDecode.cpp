// Decoding the compressed stream into the cached bitmap, and the size of a reduced decode.
#include <jerror.h>

#include <algorithm>

#include "CodecRecord.h"
#include "DecodeBudget.h"
#include "JPEGPalette.h"
#include "StreamCodecIO.h"
#include "jpeg.h"

namespace numora {
namespace {

constexpr int kQuantizedColors = 236;
constexpr int kMaxRowsPerCall = 16;

// Reads the rest of the current output pass straight into the target's rows.
void ReadRows(CodecRecord& record, int rowsPerCall) {
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  TDecodeTarget& target = record.Target;
  JSAMPROW rows[kMaxRowsPerCall];
  while (d.output_scanline < d.output_height) {
    const int count = std::min<int>(std::min(rowsPerCall, kMaxRowsPerCall),
                                    static_cast<int>(d.output_height - d.output_scanline));
    for (int k = 0; k < count; ++k) {
      rows[k] = target.Row0 + static_cast<std::ptrdiff_t>(d.output_scanline + k) * target.Stride;
    }
    JDIMENSION got = 0;
    CodecCall(record, [&] { got = jpeg_read_scanlines(&d, rows, static_cast<JDIMENSION>(count)); });
    target.RowsWritten = std::max(target.RowsWritten, static_cast<int>(d.output_scanline));
    if (got == 0) break;  // the source never suspends; this only guards the loop
  }
}

// The rows of the bitmap a decode writes into. Rows the decode did not reach (it stopped or
// failed) are cleared when it ends.
class TTargetScope {
 public:
  TTargetScope(CodecRecord& record, TBitmap& bitmap) : record_(record) {
    record.Target = {bitmap.GetScanline(0), bitmap.Stride(), bitmap.Height(), 0};
  }
  ~TTargetScope() {
    ClearUnwrittenRows(record_.Target);
    record_.Target = {};
  }
  TTargetScope(const TTargetScope&) = delete;
  TTargetScope& operator=(const TTargetScope&) = delete;

 private:
  CodecRecord& record_;
};

}  // namespace

bool TJPEGImage::OpenStream(CodecRecord& record, bool reportProgress) {
  // Without compressed bytes the codec would find its input empty; say so without it.
  if (!SharedData->Bytes) throw EJPEG(JERR_INPUT_EMPTY);
  CreateDecompressor(record);
  if (reportProgress) InstallProgress(record, this);
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  TMemoryStream& bytes = *SharedData->Bytes;
  bytes.SetPosition(0);
  bool multiScan = false;
  CodecCall(record, [&] {
    AttachStreamSource(&d, bytes);
    jpeg_read_header(&d, TRUE);
    multiScan = jpeg_has_multiple_scans(&d);
  });
  return multiScan;
}

void TJPEGImage::PrepareDecoder(CodecRecord& record) {
  const bool multiScan = OpenStream(record, /*reportProgress=*/true);
  try {
    jpeg_decompress_struct& d = record.Codec.Decompressor;
    d.scale_num = 1;
    d.scale_denom = 1u << scaleShift_;
    d.do_block_smoothing = blockSmoothing_ ? TRUE : FALSE;
    if (grayOutput_) d.out_color_space = JCS_GRAYSCALE;
    if (bitmapDepth_ == TJPEGPixelFormat::Depth8 || d.out_color_space == JCS_GRAYSCALE) {
      d.quantize_colors = TRUE;
      d.desired_number_of_colors = kQuantizedColors;
      // Palettes are red, green and blue: four-component sources (CMYK) fail here as they do
      // at 24 bits, instead of showing cyan, magenta and yellow as red, green and blue.
      if (d.out_color_space != JCS_GRAYSCALE) d.out_color_space = JCS_RGB;
    } else {
      // The bitmap's own byte order, straight from the codec. Sources it cannot turn into
      // three-byte pixels (CMYK) fail in jpeg_start_decompress instead of overrunning rows.
      d.out_color_space = JCS_EXT_BGR;
    }
    if (decodeSpeed_ == TJPEGPerformance::SpeedFirst) {
      d.dct_method = JDCT_IFAST;
      d.two_pass_quantize = FALSE;
      d.dither_mode = JDITHER_ORDERED;
    } else {
      d.dct_method = JDCT_FLOAT;
    }
    record.FullPassDct = d.dct_method;
    record.FullPassTwoPass = d.two_pass_quantize != FALSE;
    record.FullPassDither = d.dither_mode;
    if (incrementalDisplay_ && multiScan) {
      d.enable_2pass_quant = d.two_pass_quantize;
      d.dct_method = JDCT_IFAST;
      d.two_pass_quantize = FALSE;
      d.dither_mode = JDITHER_ORDERED;
      d.buffered_image = TRUE;
    }
  } catch (...) {
    ReleaseCodec(record);
    throw;
  }
}

TBitmap& TJPEGImage::DecodedBitmap() {
  if (CachedBitmap) return *CachedBitmap;
  const TCodingScope coding(*this);
  CachedBitmap = std::make_unique<TBitmap>();
  CodecRecord record;
  PrepareDecoder(record);
  try {
    const bool eightBit = bitmapDepth_ == TJPEGPixelFormat::Depth8 ||
                          record.Codec.Decompressor.out_color_space == JCS_GRAYSCALE;
    RefuseOversizedDecode(record, eightBit ? 1 : 3);
    CachedBitmap->SetPixelFormat(eightBit ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
    // Handlers may look at the bitmap and copy it, never free or move the rows being decoded.
    TBitmap::TPin pin(*CachedBitmap, BusyRefusal());
    SendProgress(psStarting, 0, false);
    try {
      DecodeInto(record, eightBit, pin);
    } catch (...) {
      SendProgress(psEnding, 0, PaletteModified());
      if (PaletteModified()) Changed();
      throw;
    }
    SendProgress(psEnding, 100, PaletteModified());
    if (PaletteModified()) Changed();
  } catch (const EAbort&) {
    // Stopped by a progress handler: keep the rows decoded so far.
  }
  return *CachedBitmap;
}

void TJPEGImage::DecodeInto(CodecRecord& record, bool eightBit, TBitmap::TPin& pin) {
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  bool ownPaletteAllowed = true;

  if (PendingPalette != 0) {
    if (bitmapDepth_ == TJPEGPixelFormat::Depth8) {
      // Only colour output can be mapped onto given colours; gray output keeps its own ramp.
      if (d.out_color_space == JCS_RGB && ColormapFromPalette(record, PendingPalette)) {
        CachedBitmap->SetPalette(CopyPalette(PendingPalette));
        ownPaletteAllowed = false;
      }
    } else {
      DeleteObject(PendingPalette);
      PendingPalette = 0;
    }
  }

  CodecCall(record, [&] { jpeg_start_decompress(&d); });
  if (d.output_components != (eightBit ? 1 : 3)) throw EJPEG(JERR_CONVERSION_NOTIMPL);

  // The decoder writes every row it reaches; the target clears the rest when it stops early.
  pin.SetSizeForOverwrite(static_cast<int>(d.output_width), static_cast<int>(d.output_height));
  const TTargetScope target(record, *CachedBitmap);
  const int stride = CachedBitmap->Stride();
  const int rowsPerCall = stride > 0 && stride % 4 == 0 ? d.rec_outbuf_height : 1;

  const bool buffered = d.buffered_image != FALSE;
  if (buffered) {
    for (;;) {
      int status = 0;
      CodecCall(record, [&] { status = jpeg_consume_input(&d); });
      if (status == JPEG_REACHED_EOI) break;
      CodecCall(record, [&] { jpeg_start_output(&d, d.input_scan_number); });
      if (record.Progress.Codec.completed_passes == 0 && d.colormap != nullptr && eightBit &&
          ownPaletteAllowed) {
        CachedBitmap->SetPalette(PaletteFromColormap(d));
        SetPaletteModified(true);
      }
      ReadRows(record, rowsPerCall);
      CodecCall(record, [&] { jpeg_finish_output(&d); });
    }
    d.dct_method = record.FullPassDct;
    d.dither_mode = record.FullPassDither;
    if (record.FullPassTwoPass) {
      d.two_pass_quantize = TRUE;
      // A given palette stays: its colours are already the bitmap's.
      if (ownPaletteAllowed) d.colormap = nullptr;
    }
    CodecCall(record, [&] { jpeg_start_output(&d, d.input_scan_number); });
  }

  if ((!buffered || record.FullPassTwoPass) && d.colormap != nullptr && ownPaletteAllowed) {
    CachedBitmap->SetPalette(PaletteFromColormap(d));
    SetPaletteModified(true);
  }
  ReadRows(record, rowsPerCall);

  if (buffered) CodecCall(record, [&] { jpeg_finish_output(&d); });
  CodecCall(record, [&] { jpeg_finish_decompress(&d); });
}

void TJPEGImage::ComputeReducedSize() {
  CodecRecord record;
  PrepareDecoder(record);
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  d.progress = nullptr;
  bool multiScan = false;
  CodecCall(record, [&] {
    jpeg_calc_output_dimensions(&d);
    multiScan = jpeg_has_multiple_scans(&d);
  });
  ReducedWidth = static_cast<std::int32_t>(d.output_width);
  ReducedHeight = static_cast<std::int32_t>(d.output_height);
  multiScanEncoding_ = multiScan;
  ReducedSizeStale = false;
}

}  // namespace numora
