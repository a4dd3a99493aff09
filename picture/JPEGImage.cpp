// The picture object: its data, stored forms, copies and what picture holders call on it.
#include <cstdio>
#include <limits>
#include <string>

#include "CodecRecord.h"
#include "JConsts.h"
#include "StreamCodecIO.h"
#include "graphics/Canvas.h"
#include "graphics/Screen.h"
#include "jpeg.h"

namespace numora {
namespace {

std::string StoredLengthText(long long announced, long long available) {
  const std::string_view format = LoadResString(sJPEGStoredLength);
  char text[160];
  std::snprintf(text, sizeof text, std::string(format).c_str(), announced, available);
  return text;
}

}  // namespace

TJPEGImage::TJPEGImage()
    : blockSmoothing_(PictureDefaults.BlockSmoothing),
      grayOutput_(PictureDefaults.GrayOutput),
      bitmapDepth_(PictureDefaults.BitmapDepth),
      encodeQuality_(PictureDefaults.EncodeQuality),
      incrementalDisplay_(PictureDefaults.IncrementalDisplay),
      multiScanEncoding_(PictureDefaults.MultiScanEncoding),
      decodeSpeed_(PictureDefaults.DecodeSpeed),
      scaleShift_(PictureDefaults.ScaleShift) {
  ReplaceData();
}

TJPEGImage::~TJPEGImage() {
  if (PendingPalette != 0) DeleteObject(PendingPalette);
  CachedBitmap.reset();
  SharedData->Release();
}

void TJPEGImage::SetEncodeQuality(int quality) {
  encodeQuality_ = static_cast<std::uint8_t>(quality < 1 ? 1 : quality > 100 ? 100 : quality);
}

void TJPEGImage::SetScaleShift(int shift) {
  const auto clamped = static_cast<std::uint8_t>(shift < 0 ? 0 : shift > 3 ? 3 : shift);
  if (clamped != scaleShift_) ReducedSizeStale = true;
  scaleShift_ = clamped;
}

void TJPEGImage::ReplaceData() { InstallData(new TJPEGData); }

void TJPEGImage::InstallData(TJPEGData* data) {
  data->Reference();
  if (SharedData != nullptr) SharedData->Release();
  SharedData = data;
  ReducedSizeStale = true;
}

void TJPEGImage::DropBitmap() { CachedBitmap.reset(); }

void TJPEGImage::Changed() { TGraphic::Changed(); }

void TJPEGImage::SendProgress(TProgressStage stage, std::uint8_t percent, bool redrawNow) {
  Progress(*this, stage, percent, redrawNow, TRect{}, std::string());
}

TJPEGImage::TCodingScope::TCodingScope(TJPEGImage& picture) : TBusyScope(picture, BusyRefusal()) {}

std::string_view TJPEGImage::BusyRefusal() { return LoadResString(sJPEGBusy); }

void TJPEGImage::LoadStream(TStream& stream) { LoadCompressed(stream.Remaining(), stream); }

void TJPEGImage::ReadStored(TStream& stream) {
  RefuseWhileBusy();
  const std::int32_t length = stream.ReadInt32LE();
  const std::int64_t available = stream.Remaining();
  // A damaged record must not turn into a huge allocation or a read past its end.
  if (length < 0 || length > available) {
    throw EInvalidGraphic(StoredLengthText(length, available));
  }
  LoadCompressed(length, stream);
}

void TJPEGImage::LoadCompressed(std::int64_t count, TStream& stream) {
  RefuseWhileBusy();
  ReplaceData();
  DropBitmap();
  SharedData->Bytes = std::make_unique<TMemoryStream>(static_cast<std::size_t>(count));
  if (count > 0) {
    stream.ReadBuffer(SharedData->Bytes->Memory(), static_cast<std::size_t>(count));
    ReadHeader();
  }
  SetPaletteModified(true);
  Changed();
}

void TJPEGImage::ReadHeader() {
  CodecRecord record;
  const bool multiScan = OpenStream(record, /*reportProgress=*/false);
  const jpeg_decompress_struct& d = record.Codec.Decompressor;
  SharedData->ImageWidth = static_cast<std::int32_t>(d.image_width);
  SharedData->ImageHeight = static_cast<std::int32_t>(d.image_height);
  SharedData->IsGray = d.jpeg_color_space == JCS_GRAYSCALE;
  multiScanEncoding_ = multiScan;
}

void TJPEGImage::SaveStream(TStream& stream) {
  EnsureCompressed();
  // An encode stopped by a progress handler leaves no compressed form: nothing to write.
  if (!SharedData->Bytes) return;
  const TMemoryStream& bytes = *SharedData->Bytes;
  if (!bytes.Bytes().empty()) stream.WriteBuffer(bytes.Memory(), bytes.Bytes().size());
}

void TJPEGImage::WriteStored(TStream& stream) {
  const std::size_t size = SharedData->Bytes ? SharedData->Bytes->Bytes().size() : 0;
  if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw EInvalidGraphicOperation(StoredLengthText(static_cast<long long>(size), 0));
  }
  stream.WriteInt32LE(static_cast<std::int32_t>(size));
  if (size > 0) stream.WriteBuffer(SharedData->Bytes->Memory(), size);
}

void TJPEGImage::DrawPicture(TCanvas& canvas, const TRect& rect) {
  canvas.StretchDraw(rect, DecodedBitmap());
}

bool TJPEGImage::IsEmpty() const {
  if (SharedData->Bytes) return false;
  return CachedBitmap == nullptr || CachedBitmap->IsEmpty();
}

int TJPEGImage::PictureWidth() {
  if (CachedBitmap) return CachedBitmap->Width();
  // Without bytes to decode there is no reduced size to ask the decoder for.
  if (scaleShift_ == 0 || !SharedData->Bytes || SharedData->Bytes->Size() == 0) {
    return SharedData->ImageWidth;
  }
  if (ReducedSizeStale) ComputeReducedSize();
  return ReducedWidth;
}

int TJPEGImage::PictureHeight() {
  if (CachedBitmap) return CachedBitmap->Height();
  if (scaleShift_ == 0 || !SharedData->Bytes || SharedData->Bytes->Size() == 0) {
    return SharedData->ImageHeight;
  }
  if (ReducedSizeStale) ComputeReducedSize();
  return ReducedHeight;
}

void TJPEGImage::ChangeWidth(int) {
  throw EInvalidGraphicOperation(std::string(LoadResString(sChangeJPGSize)));
}

void TJPEGImage::ChangeHeight(int) {
  throw EInvalidGraphicOperation(std::string(LoadResString(sChangeJPGSize)));
}

HPALETTE TJPEGImage::CurrentPalette() {
  if (CachedBitmap) return CachedBitmap->Palette();
  if (PendingPalette != 0) return PendingPalette;
  if (bitmapDepth_ == TJPEGPixelFormat::Depth8) return 0;
  if (ScreenColorBits() <= 8) PendingPalette = CreateHalftonePalette(0);
  return PendingPalette;
}

void TJPEGImage::ChangePalette(HPALETTE palette) {
  if (palette == PendingPalette) return;
  RefuseWhileBusy();
  // The bitmap's own palette handed back: the picture owns it already, through the bitmap.
  if (palette != 0 && CachedBitmap && palette == CachedBitmap->Palette()) return;
  bool dropped = false;
  if (SharedData->Bytes && CachedBitmap) {
    DropBitmap();
    dropped = true;
  }
  if (PendingPalette != 0) DeleteObject(PendingPalette);
  PendingPalette = palette;
  if (dropped) {
    SetPaletteModified(true);
    Changed();
  }
}

void TJPEGImage::Assign(TGraphic& source) {
  RefuseWhileBusy();
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(&source)) {
    if (jpeg == this) return;
    auto bitmap = jpeg->CachedBitmap ? std::make_unique<TBitmap>(*jpeg->CachedBitmap) : nullptr;
    InstallData(jpeg->SharedData);
    CachedBitmap = std::move(bitmap);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(&source)) {
    // The copy comes first: the source may be the cached bitmap itself (re-encoding the decoded
    // picture at another quality), which goes with the old content.
    auto copy = std::make_unique<TBitmap>(*bitmap);
    ReplaceData();
    CachedBitmap = std::move(copy);
    return;
  }
  TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TGraphic& destination) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&destination)) {
    bitmap->Assign(DecodedBitmap());
    return;
  }
  TGraphic::AssignTo(destination);
}

bool TJPEGImage::Equals(TGraphic& other) {
  auto* jpeg = dynamic_cast<TJPEGImage*>(&other);
  if (jpeg == nullptr) return false;
  if (SharedData->Bytes && jpeg->SharedData->Bytes) return TGraphic::Equals(other);
  return SharedData == jpeg->SharedData;
}

void TJPEGImage::SaveClipboard(TClipboardFormat& format, QImage& data, HPALETTE& palette) {
  DecodedBitmap().SaveClipboard(format, data, palette);
}

void TJPEGImage::LoadClipboard(TClipboardFormat format, const QImage& data, HPALETTE palette) {
  // The pasted pixels become the picture's content, as with Assign from a bitmap, so that the
  // compressed bytes never disagree with the bitmap. A failing load changes nothing.
  RefuseWhileBusy();
  auto pasted = std::make_unique<TBitmap>();
  pasted->LoadClipboard(format, data, palette);
  ReplaceData();
  CachedBitmap = std::move(pasted);
  Changed();
}

}  // namespace numora
