// TGraphic, the base of every picture class, and what picture holders call on it.
//
// Holders set OnChange and OnProgress and call the virtual operations. Subclasses override the ones
// that make sense for them; the defaults here fail with EInvalidGraphicOperation where no sensible
// default exists.
//
// Ownership: a palette handle returned by CurrentPalette stays the picture's; one handed to
// ChangePalette becomes the picture's. SaveClipboard's palette is the caller's, and so stays
// LoadClipboard's.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "graphics/Palette.h"

class QImage;

namespace numora {

class TCanvas;
class TStream;

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

enum TProgressStage : std::uint8_t { psStarting = 0, psRunning = 1, psEnding = 2 };

class TGraphic;
using TGraphicNotify = std::function<void(TGraphic& sender)>;
// sender, stage, percent 0..100, redraw-now, the rectangle that changed, message.
using TProgressEvent =
    std::function<void(TGraphic& sender, TProgressStage stage, std::uint8_t percent, bool redrawNow,
                       const TRect& rect, const std::string& message)>;

// Clipboard formats a picture can put on or take from the clipboard.
using TClipboardFormat = std::uint16_t;
constexpr TClipboardFormat CF_BITMAP = 2;

class TGraphic {
 public:
  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  // The registered class name ("TBitmap", "TJPEGImage"); what a stored picture record carries.
  virtual std::string_view ClassName() const = 0;

  TGraphicNotify OnChange;
  TProgressEvent OnProgress;

  // Change notification to the holder.
  virtual void Changed();
  // Progress notification to the holder; a handler may throw EAbort to stop the operation.
  void Progress(TGraphic& sender, TProgressStage stage, std::uint8_t percent, bool redrawNow,
                const TRect& rect, const std::string& message);

  // Set while the picture runs an operation that holds its memory (a decode or an encode, whose
  // handlers run inside it): nothing may replace or destroy the picture then.
  bool Busy() const { return !busyRefusal_.empty(); }
  // EInvalidGraphicOperation with the running operation's refusal text while busy.
  void RefuseWhileBusy() const;

  // Set when the picture's palette changed, so the holder realises it again.
  bool PaletteModified() const { return paletteModified_; }
  void SetPaletteModified(bool modified) { paletteModified_ = modified; }

  // Copying between pictures. Assign(source) asks the source to AssignTo this picture; the base
  // AssignTo fails with EInvalidGraphicOperation ("Cannot assign a X to a Y").
  virtual void Assign(TGraphic& source);
  virtual void AssignTo(TGraphic& destination);
  // Same class and the same saved stream (SaveStream of both compared byte for byte).
  virtual bool Equals(TGraphic& other);

  // Draws the picture stretched into rect of the canvas.
  virtual void DrawPicture(TCanvas& canvas, const TRect& rect) = 0;
  virtual bool IsEmpty() const = 0;
  virtual int PictureWidth() = 0;
  virtual int PictureHeight() = 0;
  virtual void ChangeWidth(int width) = 0;
  virtual void ChangeHeight(int height) = 0;
  virtual HPALETTE CurrentPalette() { return 0; }
  virtual void ChangePalette(HPALETTE palette);

  // A picture's own file format, from the stream's position to its end / appended at its position.
  // Default: EInvalidGraphicOperation, for a class without a file format.
  virtual void LoadStream(TStream& stream);
  virtual void SaveStream(TStream& stream);
  // The class's part of a stored picture record (after the class name). Default: the file form.
  virtual void ReadStored(TStream& stream) { LoadStream(stream); }
  virtual void WriteStored(TStream& stream) { SaveStream(stream); }

  // Clipboard exchange as an image (an 8-bit image carries its colour table).
  virtual void SaveClipboard(TClipboardFormat& format, QImage& data, HPALETTE& palette);
  virtual void LoadClipboard(TClipboardFormat format, const QImage& data, HPALETTE palette);

  // Wrappers under the names picture holders use.
  void Draw(TCanvas& canvas, const TRect& rect) { DrawPicture(canvas, rect); }
  bool Empty() const { return IsEmpty(); }
  int Width() { return PictureWidth(); }
  int Height() { return PictureHeight(); }

 protected:
  // Marks the picture busy while it lives; `refusal` (text with static lifetime) is what every
  // refused change says.
  class TBusyScope {
   public:
    TBusyScope(TGraphic& graphic, std::string_view refusal)
        : graphic_(graphic), previous_(std::exchange(graphic.busyRefusal_, refusal)) {}
    ~TBusyScope() { graphic_.busyRefusal_ = previous_; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

   private:
    TGraphic& graphic_;
    std::string_view previous_;
  };

 private:
  bool paletteModified_ = false;
  std::string_view busyRefusal_;
};

// A registered picture class: its name and how to make an empty instance.
struct TGraphicClass {
  std::string_view Name;
  std::unique_ptr<TGraphic> (*Create)() = nullptr;
  bool operator==(const TGraphicClass& other) const { return Name == other.Name; }
};

// The class record of T, which declares `static constexpr std::string_view kClassName`.
template <class T>
TGraphicClass GraphicClassOf() {
  return TGraphicClass{T::kClassName,
                       []() -> std::unique_ptr<TGraphic> { return std::make_unique<T>(); }};
}

}  // namespace numora
