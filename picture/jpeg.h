// The JPEG picture class. Its content is the compressed stream, shared between copies in a
// reference-counted TJPEGData; a bitmap is decoded from it when pixels are first needed and
// cached, and a picture made from a bitmap is compressed only when its stream is asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "JPEGError.h"
#include "graphics/Bitmap.h"
#include "graphics/Graphic.h"
#include "graphics/SharedImage.h"
#include "graphics/Streams.h"

namespace numora {

struct CodecRecord;

enum class TJPEGPerformance : std::uint8_t { QualityFirst = 0, SpeedFirst = 1 };
enum class TJPEGPixelFormat : std::uint8_t { Depth24 = 0, Depth8 = 1 };

// The options every new picture starts with.
struct TJPEGDefaults {
  std::uint8_t EncodeQuality = 90;  // 1..100
  bool GrayOutput = false;
  TJPEGPerformance DecodeSpeed = TJPEGPerformance::QualityFirst;
  TJPEGPixelFormat BitmapDepth = TJPEGPixelFormat::Depth24;
  bool IncrementalDisplay = false;
  bool MultiScanEncoding = false;
  std::uint8_t ScaleShift = 0;  // 0..3: 1, 1/2, 1/4, 1/8 of full size
  bool BlockSmoothing = true;
};

// Process-wide; set once at start-up (ReadDisplayDefaults), copied by every new picture.
extern TJPEGDefaults PictureDefaults;

// BitmapDepth of PictureDefaults from the screen: Depth8 at 8 bits per pixel or less.
void ReadDisplayDefaults();

// The compressed stream and what its header (or the encoded bitmap) says. Written once, never
// changed in place afterwards, so pictures may share it.
class TJPEGData : public TSharedImage {
 public:
  std::unique_ptr<TMemoryStream> Bytes;  // absent: no compressed form yet
  std::int32_t ImageHeight = 0;
  std::int32_t ImageWidth = 0;
  bool IsGray = false;
};

class TJPEGImage : public TGraphic {
 public:
  static constexpr std::string_view kClassName = "TJPEGImage";

  TJPEGImage();
  ~TJPEGImage() override;

  std::string_view ClassName() const override { return kClassName; }

  // TGraphic
  void AssignTo(TGraphic& destination) override;
  void Assign(TGraphic& source) override;
  void Changed() override;
  void DrawPicture(TCanvas& canvas, const TRect& rect) override;
  bool Equals(TGraphic& other) override;
  bool IsEmpty() const override;
  int PictureHeight() override;
  HPALETTE CurrentPalette() override;
  int PictureWidth() override;
  void ReadStored(TStream& stream) override;
  void ChangeHeight(int height) override;
  void ChangePalette(HPALETTE palette) override;
  void ChangeWidth(int width) override;
  void WriteStored(TStream& stream) override;
  void LoadStream(TStream& stream) override;
  void SaveStream(TStream& stream) override;
  void LoadClipboard(TClipboardFormat format, const QImage& data, HPALETTE palette) override;
  void SaveClipboard(TClipboardFormat& format, QImage& data, HPALETTE& palette) override;

  // The cached bitmap, decoded first when there is none (the picture keeps it).
  TBitmap& DecodedBitmap();
  // Encodes the cached bitmap when there are no compressed bytes yet.
  void EnsureCompressed();

  const TJPEGData& Data() const { return *SharedData; }
  bool HasBitmap() const { return CachedBitmap != nullptr; }
  HPALETTE PendingPaletteHandle() const { return PendingPalette; }

  // Options, copied from PictureDefaults at construction. They apply to the next decode or
  // encode; a bitmap already decoded stays.
  bool BlockSmoothing() const { return blockSmoothing_; }
  bool GrayOutput() const { return grayOutput_; }
  TJPEGPixelFormat BitmapDepth() const { return bitmapDepth_; }
  std::uint8_t EncodeQuality() const { return encodeQuality_; }
  bool IncrementalDisplay() const { return incrementalDisplay_; }
  bool MultiScanEncoding() const { return multiScanEncoding_; }
  TJPEGPerformance DecodeSpeed() const { return decodeSpeed_; }
  std::uint8_t ScaleShift() const { return scaleShift_; }
  void SetBlockSmoothing(bool on) { blockSmoothing_ = on; }
  void SetGrayOutput(bool on) { grayOutput_ = on; }
  void SetBitmapDepth(TJPEGPixelFormat depth) { bitmapDepth_ = depth; }
  void SetEncodeQuality(int quality);  // clamped to 1..100
  void SetIncrementalDisplay(bool on) { incrementalDisplay_ = on; }
  void SetMultiScanEncoding(bool on) { multiScanEncoding_ = on; }
  void SetDecodeSpeed(TJPEGPerformance speed) { decodeSpeed_ = speed; }
  void SetScaleShift(int shift);  // clamped to 0..3

 private:
  void LoadCompressed(std::int64_t count, TStream& stream);
  void ReadHeader();
  // Creates the decompressor, with progress reports to this picture when asked, and reads the
  // header of the compressed bytes from their start; true for a multi-scan stream.
  bool OpenStream(CodecRecord& record, bool reportProgress);
  void ReplaceData();
  // Takes a reference to `data` and releases the current data.
  void InstallData(TJPEGData* data);
  void DropBitmap();
  void SendProgress(TProgressStage stage, std::uint8_t percent, bool redrawNow);

  // Marks a decode or encode as running. Progress and change handlers run inside it; while it
  // runs, what would free the picture, its data or the bitmap the codec works on is refused
  // (the bitmap is pinned where the codec holds its rows).
  class TCodingScope : public TBusyScope {
   public:
    explicit TCodingScope(TJPEGImage& picture);
  };
  // The text of every refused change while a decode or encode runs.
  static std::string_view BusyRefusal();

  // Codec paths.
  void PrepareDecoder(CodecRecord& record);
  // Decodes into the cached bitmap, which `pin` holds for the whole decode.
  void DecodeInto(CodecRecord& record, bool eightBit, TBitmap::TPin& pin);
  void ComputeReducedSize();
  void EncodeFromBitmap();
  void EncodeRows(CodecRecord& record, const TBitmap& source, TJPEGData& data);

  TJPEGData* SharedData = nullptr;
  std::unique_ptr<TBitmap> CachedBitmap;
  std::int32_t ReducedWidth = 0;
  std::int32_t ReducedHeight = 0;
  HPALETTE PendingPalette = 0;
  bool blockSmoothing_;
  bool grayOutput_;
  TJPEGPixelFormat bitmapDepth_;
  std::uint8_t encodeQuality_;
  bool incrementalDisplay_;
  bool multiScanEncoding_;
  TJPEGPerformance decodeSpeed_;
  std::uint8_t scaleShift_;
  bool ReducedSizeStale = true;
};

// Start-up and shutdown of the picture class: ReadDisplayDefaults, then registration for
// "jpeg" and "jpg" in the process's picture registry; and its removal.
void RegisterJPEGImage();
void UnregisterJPEGImage();

// The picture class registered for the life of this object: a program holds one in main, so
// that every way out of it unregisters the class.
class TJPEGImageRegistration {
 public:
  TJPEGImageRegistration() { RegisterJPEGImage(); }
  ~TJPEGImageRegistration() { UnregisterJPEGImage(); }
  TJPEGImageRegistration(const TJPEGImageRegistration&) = delete;
  TJPEGImageRegistration& operator=(const TJPEGImageRegistration&) = delete;
};

}  // namespace numora
