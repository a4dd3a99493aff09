#include "TestPictures.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace numora::test {

TBitmap MakeTestBitmap(int width, int height) {
  TBitmap bitmap(width, height, TPixelFormat::pf24bit);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.GetScanline(y);
    for (int x = 0; x < width; ++x) {
      int b = static_cast<int>(128 + 100 * std::sin(x * 0.05) * std::cos(y * 0.07));
      if ((x / 32 + y / 32) % 5 == 0) b = 255 - b;
      row[3 * x + 0] = static_cast<std::uint8_t>(b);
      row[3 * x + 1] = static_cast<std::uint8_t>((y * 255) / std::max(1, height - 1));
      row[3 * x + 2] =
          static_cast<std::uint8_t>(((x * 255) / std::max(1, width - 1)) ^ (x * y & 15));
    }
  }
  return bitmap;
}

TBytes EncodeWithLibjpeg(const TBitmap& source, const TEncodeSettings& settings) {
  TBitmap bitmap(source);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  jpeg_compress_struct c;
  jpeg_error_mgr error;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  c.err = jpeg_std_error(&error);
  jpeg_create_compress(&c);
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = bitmap.Width();
  c.image_height = bitmap.Height();
  c.input_components = settings.components;
  c.in_color_space = settings.components == 4 ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  if (settings.gray) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
  if (settings.progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<std::uint8_t> flat(static_cast<std::size_t>(bitmap.Width()) * 4, 100);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row =
        settings.components == 4
            ? flat.data()
            : const_cast<JSAMPROW>(bitmap.ReadScanline(static_cast<int>(c.next_scanline)));
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  TBytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

TBytes WithDeclaredSize(TBytes bytes, int width, int height) {
  for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
      bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
      bytes[i + 6] = static_cast<std::uint8_t>(height);
      bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
      bytes[i + 8] = static_cast<std::uint8_t>(width);
      break;
    }
  }
  return bytes;
}

std::unique_ptr<TJPEGImage> Loaded(const TBytes& bytes, void (*options)(TJPEGImage&)) {
  auto picture = std::make_unique<TJPEGImage>();
  if (options) options(*picture);
  TBytesReader stream(bytes);
  picture->LoadStream(stream);
  return picture;
}

}  // namespace numora::test
