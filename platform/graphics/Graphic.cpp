#include "graphics/Graphic.h"

#include <algorithm>

#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {

void TGraphic::Changed() {
  if (OnChange) OnChange(*this);
}

void TGraphic::Progress(TGraphic& sender, TProgressStage stage, std::uint8_t percent,
                        bool redrawNow, const TRect& rect, const std::string& message) {
  if (OnProgress) OnProgress(sender, stage, percent, redrawNow, rect, message);
}

void TGraphic::RefuseWhileBusy() const {
  if (Busy()) throw EInvalidGraphicOperation(std::string(busyRefusal_));
}

void TGraphic::Assign(TGraphic& source) {
  if (&source == this) return;
  source.AssignTo(*this);
}

void TGraphic::AssignTo(TGraphic& destination) {
  throw EInvalidGraphicOperation("Cannot assign a " + std::string(ClassName()) + " to a " +
                                 std::string(destination.ClassName()));
}

bool TGraphic::Equals(TGraphic& other) {
  if (&other == this) return true;
  if (other.ClassName() != ClassName()) return false;
  if (IsEmpty() || other.IsEmpty()) return IsEmpty() && other.IsEmpty();
  TMemoryStream mine, theirs;
  SaveStream(mine);
  other.SaveStream(theirs);
  return std::ranges::equal(mine.Bytes(), theirs.Bytes());
}

void TGraphic::ChangePalette(HPALETTE palette) {
  // A picture without colours of its own has nowhere to keep the palette it now owns.
  if (palette != 0) DeleteObject(palette);
}

void TGraphic::SaveClipboard(TClipboardFormat&, QImage&, HPALETTE&) {
  throw EInvalidGraphicOperation("A " + std::string(ClassName()) +
                                 " cannot be copied to the clipboard");
}

void TGraphic::LoadClipboard(TClipboardFormat, const QImage&, HPALETTE) {
  throw EInvalidGraphicOperation("A " + std::string(ClassName()) +
                                 " cannot be pasted from the clipboard");
}

void TGraphic::LoadStream(TStream&) {
  throw EInvalidGraphicOperation("A " + std::string(ClassName()) + " has no file format");
}

void TGraphic::SaveStream(TStream&) {
  throw EInvalidGraphicOperation("A " + std::string(ClassName()) + " has no file format");
}

}  // namespace numora
