// TBitmap's file form, an uncompressed BMP of 8 or 24 bits per pixel, and its stored form.
#include <cstring>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/BitmapImage.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

[[noreturn]] void Invalid(const std::string& why) {
  throw EInvalidGraphic("Bitmap image is not valid: " + why);
}

}  // namespace

void TBitmap::LoadStream(TStream& stream) {
  std::int64_t available = stream.Remaining();
  if (available == 0) {
    Clear();
    Changed();
    return;
  }
  std::uint8_t header[kFileHeaderSize + kInfoHeaderSize];
  if (available < static_cast<std::int64_t>(sizeof header)) Invalid("the header is truncated");
  stream.ReadBuffer(header, sizeof header);
  available -= sizeof header;
  if (header[0] != 'B' || header[1] != 'M') Invalid("no BMP signature");
  const std::uint8_t* info = header + kFileHeaderSize;
  std::uint32_t infoSize = U32(info);
  auto width = static_cast<std::int32_t>(U32(info + 4));
  auto height = static_cast<std::int32_t>(U32(info + 8));
  std::uint16_t bits = U16(info + 14);
  std::uint32_t compression = U32(info + 16);
  std::uint32_t colorsUsed = U32(info + 32);
  if (infoSize < kInfoHeaderSize || infoSize > 1024) Invalid("unknown header size");
  if (bits != 8 && bits != 24) Invalid(std::to_string(bits) + " bits per pixel");
  if (compression != 0) Invalid("compressed pixels");
  bool topDown = height < 0;
  if (width <= 0 || height == 0 || height == INT32_MIN) Invalid("no pixels");
  if (topDown) height = -height;
  if (width > 65536 || height > 65536) Invalid("larger than 65536 pixels");

  std::uint32_t skip = infoSize - kInfoHeaderSize;
  if (skip > available) Invalid("the header is truncated");
  std::vector<std::uint8_t> ignored(skip);
  stream.ReadBuffer(ignored.data(), skip);
  available -= skip;

  std::int64_t consumed = sizeof header + skip;
  TPaletteHandle palette;
  TPixelFormat format = bits == 8 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit;
  if (bits == 8) {
    std::uint32_t count = colorsUsed == 0 ? 256 : colorsUsed;
    if (count > 256) Invalid("more than 256 colours");
    if (count * 4 > available) Invalid("the colour table is truncated");
    std::vector<std::uint8_t> quads(count * 4);
    stream.ReadBuffer(quads.data(), quads.size());
    available -= quads.size();
    consumed += quads.size();
    TLogPalette log;
    log.palNumEntries = static_cast<std::uint16_t>(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      log.palPalEntry[i] = {quads[i * 4 + 2], quads[i * 4 + 1], quads[i * 4], 0};
    }
    palette.Reset(CreatePalette(log));
  }
  // The pixels start at the offset the file header names, which may leave a gap.
  std::int64_t offset = U32(header + 10);
  if (offset > consumed) {
    std::int64_t gap = offset - consumed;
    if (gap > available) Invalid("the pixels are truncated");
    stream.Seek(gap, TSeekOrigin::soCurrent);
    available -= gap;
  }
  int stride = StrideFor(width, format);
  if (static_cast<std::int64_t>(stride) * height > available) Invalid("the pixels are truncated");
  auto* image = new TBitmapImage(width, height, format, 0);
  image->palette = palette.Release();
  Replace(image);
  for (int y = 0; y < height; ++y) {
    stream.ReadBuffer(image->Row(topDown ? y : height - 1 - y), stride);
  }
  SetPaletteModified(bits == 8);
  Changed();
}

void TBitmap::SaveStream(TStream& stream) {
  if (IsEmpty()) return;
  const TBitmapImage& image = *image_;
  bool indexed = image.format == TPixelFormat::pf8bit;
  std::vector<PALETTEENTRY> table;
  if (indexed) table = ColorTable(image.palette);
  std::uint32_t tableBytes = static_cast<std::uint32_t>(table.size() * 4);
  std::uint32_t pixelBytes = static_cast<std::uint32_t>(image.stride) * image.height;
  std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + tableBytes;

  std::vector<std::uint8_t> head;
  head.reserve(offset);
  head.push_back('B');
  head.push_back('M');
  Put32(head, offset + pixelBytes);
  Put32(head, 0);
  Put32(head, offset);
  Put32(head, kInfoHeaderSize);
  Put32(head, static_cast<std::uint32_t>(image.width));
  Put32(head, static_cast<std::uint32_t>(image.height));  // bottom-up, as most readers expect
  Put16(head, 1);
  Put16(head, indexed ? 8 : 24);
  Put32(head, 0);
  Put32(head, pixelBytes);
  Put32(head, 2835);  // 72 dpi
  Put32(head, 2835);
  Put32(head, static_cast<std::uint32_t>(table.size()));
  Put32(head, 0);
  for (const PALETTEENTRY& e : table) {
    head.push_back(e.peBlue);
    head.push_back(e.peGreen);
    head.push_back(e.peRed);
    head.push_back(0);
  }
  stream.WriteBuffer(head.data(), head.size());
  for (int y = image.height - 1; y >= 0; --y) stream.WriteBuffer(image.Row(y), image.stride);
}

void TBitmap::ReadStored(TStream& stream) {
  std::int32_t length = stream.ReadInt32LE();
  if (length < 0) throw EInvalidGraphic("Stored bitmap has a negative length");
  if (length > stream.Remaining()) {
    throw EInvalidGraphic("Stored bitmap is truncated: " + std::to_string(length) +
                          " bytes announced, " + std::to_string(stream.Remaining()) + " present");
  }
  TMemoryStream bytes(static_cast<std::size_t>(length));
  stream.ReadBuffer(bytes.Memory(), static_cast<std::size_t>(length));
  LoadStream(bytes);
}

void TBitmap::WriteStored(TStream& stream) {
  TMemoryStream bytes;
  SaveStream(bytes);
  stream.WriteInt32LE(static_cast<std::int32_t>(bytes.Size()));
  stream.WriteBuffer(bytes.Memory(), static_cast<std::size_t>(bytes.Size()));
}

}  // namespace numora
