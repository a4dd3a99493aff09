#include "graphics/Bitmap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "graphics/BitmapImage.h"
#include "graphics/GraphicsErrors.h"

namespace numora {

namespace {

constexpr int kMaxSide = 65536;
constexpr std::int64_t kMaxPixelBytes = std::int64_t{512} << 20;

// Nearest palette entry per colour, memoised on a 32 x 32 x 32 grid of the colour space.
class TNearestColor {
 public:
  explicit TNearestColor(std::vector<PALETTEENTRY> entries) : entries_(std::move(entries)) {
    cache_.fill(-1);
  }
  std::uint8_t Index(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (entries_.empty()) return static_cast<std::uint8_t>((r * 77 + g * 150 + b * 29) >> 8);
    int key = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
    if (cache_[key] < 0) cache_[key] = Search(r, g, b);
    return static_cast<std::uint8_t>(cache_[key]);
  }

 private:
  int Search(int r, int g, int b) const {
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < entries_.size() && i < 256; ++i) {
      long dr = r - entries_[i].peRed, dg = g - entries_[i].peGreen, db = b - entries_[i].peBlue;
      long distance = dr * dr + dg * dg + db * db;
      if (bestDistance < 0 || distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(i);
      }
    }
    return best;
  }
  std::vector<PALETTEENTRY> entries_;
  std::array<std::int16_t, 32 * 32 * 32> cache_;
};

}  // namespace

std::vector<PALETTEENTRY> ColorTable(HPALETTE palette) {
  std::vector<PALETTEENTRY> entries;
  if (palette != 0) {
    entries.resize(kMaxPaletteEntries);
    entries.resize(GetPaletteEntries(palette, 0, kMaxPaletteEntries, entries.data()));
    return entries;
  }
  entries.resize(256);
  for (int i = 0; i < 256; ++i) {
    auto v = static_cast<std::uint8_t>(i);
    entries[i] = {v, v, v, 0};
  }
  return entries;
}

TBitmap::TBitmapImage::TBitmapImage(int w, int h, TPixelFormat f, bool zeroed)
    : width(w),
      height(h),
      stride(TBitmap::StrideFor(w, f)),
      format(f),
      pixels(zeroed ? std::make_unique<std::uint8_t[]>(Bytes())
                    : std::make_unique_for_overwrite<std::uint8_t[]>(Bytes())) {
  if (zeroed) return;
  // A writer fills the pixels of a row, not the padding up to the stride.
  const int used = format == TPixelFormat::pf8bit ? width : width * 3;
  if (used == stride) return;
  for (int y = 0; y < height; ++y) std::memset(Row(y) + used, 0, stride - used);
}

TBitmap::TBitmapImage::TBitmapImage(const TBitmapImage& other)
    : TSharedImage(),
      width(other.width),
      height(other.height),
      stride(other.stride),
      format(other.format),
      pixels(std::make_unique_for_overwrite<std::uint8_t[]>(other.Bytes())) {
  if (Bytes() > 0) std::memcpy(pixels.get(), other.pixels.get(), Bytes());
}

TBitmap::TBitmapImage::~TBitmapImage() {
  if (palette != 0) DeleteObject(palette);
}

TBitmap::TBitmap() : TBitmap(0, 0, TPixelFormat::pf24bit) {}

void TBitmap::CheckSize(int width, int height, TPixelFormat format) {
  const bool fits =
      width <= kMaxSide && height <= kMaxSide &&
      std::int64_t{StrideFor(std::max(width, 0), format)} * std::max(height, 0) <= kMaxPixelBytes;
  if (!fits) {
    throw EInvalidGraphicOperation("Bitmap size " + std::to_string(width) + " x " +
                                   std::to_string(height) + " is too large");
  }
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  CheckSize(width, height, format);
  Replace(new TBitmapImage(width, height, format));
}

TBitmap::TBitmap(const TBitmap& other) : TGraphic() { Replace(StoreToShare(other)); }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(other);
  return *this;
}

TBitmap::~TBitmap() {
  if (image_) image_->Release();
}

void TBitmap::Replace(TBitmapImage* image) noexcept {
  image->Reference();
  if (image_) image_->Release();
  image_ = image;
}

TBitmap::TBitmapImage* TBitmap::StoreToShare(const TBitmap& source) {
  if (!source.Busy()) return source.image_;
  auto copy = std::make_unique<TBitmapImage>(*source.image_);
  copy->palette = CopyPalette(source.image_->palette);
  return copy.release();
}

void TBitmap::Unshare(bool copyPalette) {
  if (image_->RefCount() == 1) return;
  RefuseWhileBusy();
  auto copy = std::make_unique<TBitmapImage>(*image_);
  if (copyPalette) copy->palette = CopyPalette(image_->palette);
  Replace(copy.release());
}

void TBitmap::TPin::SetSizeForOverwrite(int width, int height) {
  const TBusyScope unpinned(bitmap_, {});
  bitmap_.SetSizeForOverwrite(width, height);
}

TPixelFormat TBitmap::PixelFormat() const { return image_->format; }
int TBitmap::Width() const { return image_->width; }
int TBitmap::Height() const { return image_->height; }
int TBitmap::Stride() const { return image_->stride; }

int TBitmap::StrideFor(int width, TPixelFormat format) {
  int bytes = format == TPixelFormat::pf8bit ? width : width * 3;
  return (bytes + 3) & ~3;
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  RefuseWhileBusy();
  CheckSize(width, height, image_->format);
  auto resized = std::make_unique<TBitmapImage>(width, height, image_->format);
  const int bytes = std::min(resized->stride, image_->stride);
  // A side of 0 leaves no pixel storage to copy from or into.
  const int rows = bytes > 0 ? std::min(height, image_->height) : 0;
  for (int y = 0; y < rows; ++y) std::memcpy(resized->Row(y), image_->Row(y), bytes);
  TakePalette(*resized);
  Replace(resized.release());
}

void TBitmap::SetSizeForOverwrite(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  RefuseWhileBusy();
  CheckSize(width, height, image_->format);
  auto fresh = std::make_unique<TBitmapImage>(width, height, image_->format, /*zeroed=*/false);
  TakePalette(*fresh);
  Replace(fresh.release());
}

void TBitmap::TakePalette(TBitmapImage& successor) {
  successor.palette =
      image_->RefCount() == 1 ? std::exchange(image_->palette, 0) : CopyPalette(image_->palette);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == image_->format) return;
  RefuseWhileBusy();
  const TBitmapImage& old = *image_;
  CheckSize(old.width, old.height, format);
  auto converted = std::make_unique<TBitmapImage>(old.width, old.height, format);
  converted->palette = CopyPalette(old.palette);
  if (format == TPixelFormat::pf8bit && converted->palette == 0 && old.width > 0 &&
      old.height > 0) {
    converted->palette = CreateHalftonePalette(0);
  }
  if (format == TPixelFormat::pf24bit) {
    std::vector<PALETTEENTRY> table = ColorTable(old.palette);
    table.resize(256);  // indices beyond the palette show black
    for (int y = 0; y < old.height; ++y) {
      const std::uint8_t* src = old.Row(y);
      std::uint8_t* dst = converted->Row(y);
      for (int x = 0; x < old.width; ++x, dst += 3) {
        const PALETTEENTRY& e = table[src[x]];
        dst[0] = e.peBlue;
        dst[1] = e.peGreen;
        dst[2] = e.peRed;
      }
    }
  } else if (old.width > 0 && old.height > 0) {
    TNearestColor nearest(ColorTable(converted->palette));
    for (int y = 0; y < old.height; ++y) {
      const std::uint8_t* src = old.Row(y);
      std::uint8_t* dst = converted->Row(y);
      for (int x = 0; x < old.width; ++x, src += 3) dst[x] = nearest.Index(src[2], src[1], src[0]);
    }
  }
  Replace(converted.release());
}

std::uint8_t* TBitmap::GetScanline(int row) {
  if (row < 0 || row >= image_->height) {
    throw EInvalidGraphicOperation("Scan line index " + std::to_string(row) + " out of range");
  }
  Unshare();
  return image_->Row(row);
}

const std::uint8_t* TBitmap::ReadScanline(int row) const {
  if (row < 0 || row >= image_->height) {
    throw EInvalidGraphicOperation("Scan line index " + std::to_string(row) + " out of range");
  }
  return image_->Row(row);
}

HPALETTE TBitmap::Palette() const { return image_->palette; }

void TBitmap::SetPalette(HPALETTE palette) {
  if (palette == image_->palette) return;
  TPaletteHandle owned(palette);  // taken even when unsharing fails
  // A shared image would have its palette duplicated only to be replaced at once.
  Unshare(/*copyPalette=*/false);
  if (image_->palette != 0) DeleteObject(image_->palette);
  image_->palette = owned.Release();
}

PALETTEENTRY TBitmap::ColorOfIndex(std::uint8_t index) const {
  if (image_->palette == 0) return {index, index, index, 0};
  PALETTEENTRY entry;
  if (GetPaletteEntries(image_->palette, index, 1, &entry) != 1) return {};
  return entry;
}

void TBitmap::Assign(const TBitmap& source) {
  if (source.image_ == image_) return;
  RefuseWhileBusy();
  Replace(StoreToShare(source));
}

bool TBitmap::SharesPixelsWith(const TBitmap& other) const { return image_ == other.image_; }

bool TBitmap::IsEmpty() const { return image_->width == 0 || image_->height == 0; }

bool TBitmap::Equals(TGraphic& other) {
  auto* bitmap = dynamic_cast<TBitmap*>(&other);
  if (!bitmap) return false;
  if (bitmap->image_ == image_) return true;
  const TBitmapImage& a = *image_;
  const TBitmapImage& b = *bitmap->image_;
  if (a.width != b.width || a.height != b.height || a.format != b.format) return false;
  const int bytes = a.format == TPixelFormat::pf8bit ? a.width : a.width * 3;
  for (int y = 0; y < a.height; ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), bytes) != 0) return false;
  }
  if (a.format != TPixelFormat::pf8bit) return true;
  return std::ranges::equal(ColorTable(a.palette), ColorTable(b.palette),
                            [](const PALETTEENTRY& x, const PALETTEENTRY& y) {
                              return x.peRed == y.peRed && x.peGreen == y.peGreen &&
                                     x.peBlue == y.peBlue;
                            });
}

void TBitmap::ChangePalette(HPALETTE palette) {
  SetPalette(palette);
  SetPaletteModified(true);
  Changed();
}

}  // namespace numora
