#include "graphics/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "graphics/GraphicsErrors.h"

namespace numora {

namespace {

QClipboard& SystemClipboard() {
  if (!qGuiApp) throw EInvalidGraphicOperation("The clipboard needs a running application");
  return *QGuiApplication::clipboard();
}

}  // namespace

void CopyPictureToClipboard(TGraphic& graphic) {
  TClipboardFormat format = 0;
  QImage data;
  HPALETTE palette = 0;
  graphic.SaveClipboard(format, data, palette);
  // The image carries its own colour table; the palette is only needed by the call.
  TPaletteHandle ownedPalette(palette);
  if (data.isNull()) throw EInvalidGraphicOperation("An empty picture cannot be copied");
  SystemClipboard().setImage(data);
}

bool ClipboardHasPicture() {
  const QMimeData* mime = SystemClipboard().mimeData();
  return mime && mime->hasImage();
}

void PastePictureFromClipboard(TGraphic& graphic) {
  QImage data = SystemClipboard().image();
  if (data.isNull()) throw EInvalidGraphic("The clipboard holds no picture");
  graphic.LoadClipboard(CF_BITMAP, data, 0);
}

}  // namespace numora
