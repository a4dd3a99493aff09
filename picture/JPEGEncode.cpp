// Encoding the cached bitmap into a new compressed stream.
#include <algorithm>
#include <vector>

#include "CodecRecord.h"
#include "StreamCodecIO.h"
#include "jpeg.h"

namespace numora {

void TJPEGImage::EnsureCompressed() {
  if (SharedData->Bytes) return;
  // Asked by a handler of the running encode, which has no stream to give yet.
  RefuseWhileBusy();
  EncodeFromBitmap();
}

void TJPEGImage::EncodeFromBitmap() {
  const TCodingScope coding(*this);
  // The stream goes into data of its own, which becomes the picture's only when the encode
  // succeeds: the old data may be shared with copies that encode with their own settings, and
  // a failed encode leaves no truncated stream for later saves to write.
  auto data = std::make_unique<TJPEGData>();
  data->Bytes = std::make_unique<TMemoryStream>();
  CodecRecord record;
  CreateCompressor(record);
  InstallProgress(record, this);
  try {
    jpeg_compress_struct& c = record.Codec.Compressor;
    CodecCall(record, [&] { AttachStreamDestination(&c, *data->Bytes); });
    if (CachedBitmap && CachedBitmap->Width() > 0 && CachedBitmap->Height() > 0) {
      c.image_width = static_cast<JDIMENSION>(CachedBitmap->Width());
      data->ImageWidth = CachedBitmap->Width();
      c.image_height = static_cast<JDIMENSION>(CachedBitmap->Height());
      data->ImageHeight = CachedBitmap->Height();
      c.input_components = 3;
      // Rows go to the codec in the bitmap's own blue-green-red order.
      c.in_color_space = JCS_EXT_BGR;

      // Shares the pixels when the bitmap already is 24-bit.
      TBitmap source(*CachedBitmap);
      source.SetPixelFormat(TPixelFormat::pf24bit);
      // Handlers may look at the bitmap, not change what is being encoded.
      const TBitmap::TPin pin(*CachedBitmap, BusyRefusal());
      EncodeRows(record, source, *data);
    }
  } catch (const EAbort&) {
    return;  // stopped by a progress handler: no compressed form
  }
  InstallData(data.release());
}

void TJPEGImage::EncodeRows(CodecRecord& record, const TBitmap& source, TJPEGData& data) {
  jpeg_compress_struct& c = record.Codec.Compressor;
  const int quality = encodeQuality_;
  const bool gray = grayOutput_;
  const bool progressive = multiScanEncoding_;
  CodecCall(record, [&] {
    jpeg_set_defaults(&c);
    c.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&c, quality, TRUE);
    if (gray) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
    if (progressive) jpeg_simple_progression(&c);
  });
  data.IsGray = gray;

  const std::uint8_t* row0 = source.ReadScanline(0);
  const int stride = source.Stride();
  const int rowsPerCall = stride > 0 && stride % 4 == 0 ? static_cast<int>(c.image_height) : 1;
  std::vector<JSAMPROW> rows(static_cast<std::size_t>(rowsPerCall));

  SendProgress(psStarting, 0, false);
  try {
    CodecCall(record, [&] { jpeg_start_compress(&c, TRUE); });
    while (c.next_scanline < c.image_height) {
      const int count = std::min(rowsPerCall, static_cast<int>(c.image_height - c.next_scanline));
      for (int k = 0; k < count; ++k) {
        // The codec only reads input rows.
        rows[k] =
            const_cast<JSAMPROW>(row0 + static_cast<std::ptrdiff_t>(c.next_scanline + k) * stride);
      }
      JDIMENSION taken = 0;
      CodecCall(record, [&] {
        taken = jpeg_write_scanlines(&c, rows.data(), static_cast<JDIMENSION>(count));
      });
      if (taken == 0) break;  // the destination never suspends; this only guards the loop
    }
    CodecCall(record, [&] { jpeg_finish_compress(&c); });
  } catch (...) {
    SendProgress(psEnding, 0, false);
    throw;
  }
  SendProgress(psEnding, 100, false);
}

}  // namespace numora
