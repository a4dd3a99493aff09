// TBitmap: an uncompressed picture of 8 bits per pixel (palette indices) or 24 bits per pixel
// (blue, green, red), stored top-down with a positive, 4-byte-aligned stride, so row i lies at
// row 0 plus i times Stride() and a codec can take several rows per call.
//
// Copies share their pixels and palette until one of them is written (GetScanline, SetPalette,
// a size or format change), so Assign costs nothing. ReadScanline never unshares.
//
// The bitmap owns its palette handle: SetPalette takes ownership, Palette() only lends it.
// An 8-bit bitmap without a palette shows its indices as gray levels.
#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/Graphic.h"
#include "graphics/SharedImage.h"

namespace numora {

enum class TPixelFormat : std::uint8_t { pf8bit, pf24bit };

class TBitmap : public TGraphic {
 public:
  static constexpr std::string_view kClassName = "TBitmap";

  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
  ~TBitmap() override;
  // Copies share pixels and palette (not the holder's handlers).
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);

  std::string_view ClassName() const override { return kClassName; }

  // Changing the format of a bitmap with pixels converts them: 8 to 24 through the palette, 24 to
  // 8 onto the palette (a halftone palette when there is none).
  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat format);
  int BitsPerPixel() const { return PixelFormat() == TPixelFormat::pf8bit ? 8 : 24; }

  int Width() const;
  int Height() const;
  // Keeps the pixels of the overlapping area; new pixels are 0. Negative sizes count as 0.
  void SetSize(int width, int height);
  // New pixels of this size, their values undefined, for a writer that fills every row before
  // anyone reads them (a decoder); keeps the format and the palette.
  void SetSizeForOverwrite(int width, int height);
  // Bytes from one row to the next: a multiple of 4, above 0 whenever the width is.
  int Stride() const;
  // EInvalidGraphicOperation when a bitmap of this size could not be made: a side above 65536
  // or more than 512 MiB of pixels. Lets a decoder refuse a huge picture before it spends time
  // and memory on it.
  static void CheckSize(int width, int height, TPixelFormat format);

  // Address of row `row` for writing (unshares first); EInvalidGraphicOperation out of range.
  // Write through it only until the bitmap is next resized, converted or copied: a copy shares
  // the pixels the address points to.
  std::uint8_t* GetScanline(int row);
  const std::uint8_t* ReadScanline(int row) const;

  HPALETTE Palette() const;
  void SetPalette(HPALETTE palette);  // takes ownership; 0 removes the palette
  // The colour an 8-bit index stands for (gray level without a palette).
  PALETTEENTRY ColorOfIndex(std::uint8_t index) const;

  // Shares pixels and palette with source; any other picture is asked to AssignTo this bitmap.
  void Assign(const TBitmap& source);
  using TGraphic::Assign;
  bool SharesPixelsWith(const TBitmap& other) const;

  // TGraphic
  void DrawPicture(TCanvas& canvas, const TRect& rect) override;
  bool IsEmpty() const override;
  // Same size, format, pixels and (at 8 bits) colours: a bitmap has no stored form to compare.
  bool Equals(TGraphic& other) override;
  int PictureWidth() override { return Width(); }
  int PictureHeight() override { return Height(); }
  void ChangeWidth(int width) override { SetSize(width, Height()); }
  void ChangeHeight(int height) override { SetSize(Width(), height); }
  HPALETTE CurrentPalette() override { return Palette(); }
  void ChangePalette(HPALETTE palette) override;
  void SaveClipboard(TClipboardFormat& format, QImage& data, HPALETTE& palette) override;
  void LoadClipboard(TClipboardFormat format, const QImage& data, HPALETTE palette) override;

  // A copy of the pixels as a QImage: Format_BGR888, or Format_Indexed8 with the colour table.
  QImage ToQImage() const;
  void FromQImage(const QImage& image);

  class TBitmapImage;

  // While a TPin lives the bitmap keeps its pixel store where it is, so that a writer may hold
  // row addresses across calls into other code (a decoder's progress handlers). Every change
  // that would free or move the store (a new size or format, other pixels assigned or loaded,
  // unsharing for a write) fails with EInvalidGraphicOperation carrying `refusal` (text of static
  // lifetime). Copies made meanwhile get pixels of their own, so the writer's rows never show in
  // them and its own row addresses stay valid. A pinned bitmap is busy (Busy()), as a picture
  // whose codec runs is.
  class TPin : TBusyScope {
   public:
    TPin(TBitmap& bitmap, std::string_view refusal)
        : TBusyScope(bitmap, refusal), bitmap_(bitmap) {}

    // The pinner's own change, made while it holds no row addresses: see SetSizeForOverwrite.
    void SetSizeForOverwrite(int width, int height);

   private:
    TBitmap& bitmap_;
  };

 private:
  static int StrideFor(int width, TPixelFormat format);
  // A QImage over the pixels in the formats of ToQImage; it shares memory with this bitmap and
  // must not outlive a change of it.
  QImage View() const;
  void Unshare(bool copyPalette = true);
  // Hands this store's palette on to the store that replaces it (a copy while it is shared).
  void TakePalette(TBitmapImage& successor);
  // Takes a reference to `image` and releases the current store; never fails.
  void Replace(TBitmapImage* image) noexcept;
  // The source's store to share, or a new copy of it while the source is pinned.
  static TBitmapImage* StoreToShare(const TBitmap& source);

  TBitmapImage* image_ = nullptr;
};

}  // namespace numora
