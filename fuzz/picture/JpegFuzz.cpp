// Any bytes as a stored picture record and as a JPEG stream, decoded with the options the first
// byte picks. Damaged input may only end in one of our own exceptions; a decode that succeeds has
// the size the picture announced and the depth that was asked for, and nothing leaks a palette.
// Decodes above the memory budget are refused, and a progress handler can neither reload the
// picture, nor resize or reformat the bitmap being decoded, nor have the holder replace it.
//
// First byte, bit by bit:
//   0-1  scale shift (1, 1/2, 1/4, 1/8)     5  incremental display
//   2    gray output                        6  block smoothing off
//   3    8-bit bitmap                       7  a given palette to map 8-bit output onto
//   4    speed first
// The rest is the record or stream.
#include <jerror.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "graphics/Bitmap.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Palette.h"
#include "graphics/Picture.h"
#include "graphics/Screen.h"
#include "graphics/Streams.h"
#include "jpeg.h"

namespace numora {
namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Decoding a big picture within the budget is only slow, not new: those decodes stop at their
// start, after the budget check. Above the budget's 100 megapixels of bitmap alone, or 150 of
// coefficients (two bytes each) for a multi-scan stream, the check must refuse the decode.
constexpr std::int64_t kMaxOutputPixels = 4'000'000;
constexpr std::int64_t kMaxImagePixels = 16'000'000;
constexpr std::int64_t kRefusedOutputPixels = 100'000'000;
constexpr std::int64_t kRefusedCoefficientPixels = 150'000'000;

struct TOptions {
  int scaleShift;
  bool gray;
  bool depth8;
  bool speed;
  bool incremental;
  bool smoothing;
  bool givenPalette;
};

TOptions OptionsOf(std::uint8_t bits) {
  return {.scaleShift = bits & 3,
          .gray = (bits & 0x04) != 0,
          .depth8 = (bits & 0x08) != 0,
          .speed = (bits & 0x10) != 0,
          .incremental = (bits & 0x20) != 0,
          .smoothing = (bits & 0x40) == 0,
          .givenPalette = (bits & 0x80) != 0};
}

void Apply(const TOptions& o, TJPEGImage& picture) {
  picture.SetScaleShift(o.scaleShift);
  picture.SetGrayOutput(o.gray);
  picture.SetBitmapDepth(o.depth8 ? TJPEGPixelFormat::Depth8 : TJPEGPixelFormat::Depth24);
  picture.SetDecodeSpeed(o.speed ? TJPEGPerformance::SpeedFirst : TJPEGPerformance::QualityFirst);
  picture.SetIncrementalDisplay(o.incremental);
  picture.SetBlockSmoothing(o.smoothing);
  if (o.givenPalette) picture.ChangePalette(CreateHalftonePalette(0));
}

// Each change a handler tries must be refused with the picture's clear error, for as long as
// the decode runs; `holder` holds the picture, when there is one.
void TryChanges(TJPEGImage& picture, TPicture* holder) {
  const auto refused = [](const auto& change) {
    try {
      change();
    } catch (const EInvalidGraphicOperation& error) {
      Check(error.what()[0] != '\0');
      return;
    }
    std::abort();
  };
  refused([&] {
    TBytesReader nothing(std::span<const std::uint8_t>{});
    picture.LoadStream(nothing);
  });
  refused([&] {
    TBitmap& bitmap = picture.DecodedBitmap();
    bitmap.SetSize(bitmap.Width() + 1, bitmap.Height());
  });
  refused([&] {
    TBitmap& bitmap = picture.DecodedBitmap();
    bitmap.SetPixelFormat(bitmap.PixelFormat() == TPixelFormat::pf8bit ? TPixelFormat::pf24bit
                                                                       : TPixelFormat::pf8bit);
  });
  if (holder != nullptr) refused([&] { holder->SetGraphic(nullptr); });
}

void Decode(const TOptions& o, TJPEGImage& picture, TPicture* holder) {
  const TJPEGData& data = picture.Data();
  Check(data.ImageWidth >= 0 && data.ImageHeight >= 0);
  const std::int64_t imagePixels = std::int64_t{data.ImageWidth} * data.ImageHeight;

  Apply(o, picture);
  const int width = picture.PictureWidth();
  const int height = picture.PictureHeight();
  Check(width >= 0 && height >= 0 && width <= data.ImageWidth && height <= data.ImageHeight);
  const std::int64_t outputPixels = std::int64_t{width} * height;
  const bool big = imagePixels > kMaxImagePixels || outputPixels > kMaxOutputPixels;
  bool tried = false;
  picture.OnProgress = [&](TGraphic&, TProgressStage stage, std::uint8_t, bool, const TRect&,
                           const std::string&) {
    if (big && stage == psStarting) throw EAbort();
    if (stage != psRunning || tried) return;
    tried = true;
    // A handler may not replace or free what the codec is working on.
    TryChanges(picture, holder);
  };

  bool refused = false;
  try {
    picture.DecodedBitmap();
  } catch (const EJPEG& error) {
    if (error.Code() != JERR_IMAGE_TOO_BIG) throw;
    refused = true;
  }
  const bool multiScan = picture.MultiScanEncoding();
  if (outputPixels > kRefusedOutputPixels ||
      (multiScan && imagePixels > kRefusedCoefficientPixels)) {
    Check(refused);
  }
  if (refused || big) return;

  const TBitmap& bitmap = picture.DecodedBitmap();
  // The decode went through: the bitmap is what was announced and asked for.
  Check(bitmap.Width() == width && bitmap.Height() == height);
  // Gray streams decode to gray, and gray output is always 8-bit.
  const bool eightBit = o.depth8 || o.gray || data.IsGray;
  Check(bitmap.BitsPerPixel() == (eightBit ? 8 : 24));
  if (eightBit && bitmap.Palette() != 0) {
    const unsigned entries = GetPaletteEntries(bitmap.Palette(), 0, 0, nullptr);
    Check(entries >= 1 && entries <= kMaxPaletteEntries);
  }
  Check(&picture.DecodedBitmap() == &bitmap);
}

template <class Run>
void Guarded(const Run& run) {
  try {
    run();
  } catch (const EInvalidGraphic& error) {  // EJPEG among them
    Check(error.what()[0] != '\0');
  } catch (const EInvalidGraphicOperation&) {
  } catch (const EStreamError&) {
  } catch (const EAbort&) {
  }
}

void FromStoredRecord(const TOptions& o, std::span<const std::uint8_t> payload) {
  Guarded([&] {
    TPicture holder;
    holder.LoadFromStoredRecord(payload);
    if (auto* picture = holder.GraphicAs<TJPEGImage>()) Decode(o, *picture, &holder);
  });
}

void FromStream(const TOptions& o, std::span<const std::uint8_t> payload) {
  Guarded([&] {
    TJPEGImage picture;
    TBytesReader stream(payload);
    picture.LoadStream(stream);
    Check(picture.Data().Bytes &&
          picture.Data().Bytes->Size() == static_cast<std::int64_t>(payload.size()));
    Decode(o, picture, nullptr);
  });
}

}  // namespace
}  // namespace numora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace numora;
  static const TJPEGImageRegistration registration;
  // Every clock reading is 600 ms on: progress handlers run during every decode.
  static std::uint32_t tick = 1000;
  static const TTickCountOverride clock([] { return tick += 600; });
  if (size == 0) return 0;

  const TOptions options = OptionsOf(data[0]);
  const std::span<const std::uint8_t> payload(data + 1, size - 1);
  const TPaletteHandleStats before = PaletteHandleStats();
  FromStoredRecord(options, payload);
  FromStream(options, payload);
  const TPaletteHandleStats after = PaletteHandleStats();
  Check(after.live == before.live && after.badDeletes == before.badDeletes);
  return 0;
}
