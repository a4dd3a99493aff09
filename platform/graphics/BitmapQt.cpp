// TBitmap's meeting points with Qt: drawing onto a canvas, QImage views and copies, the
// clipboard form.
#include <QImage>
#include <QPainter>
#include <cstring>

#include "graphics/Bitmap.h"
#include "graphics/BitmapImage.h"
#include "graphics/Canvas.h"
#include "graphics/GraphicsErrors.h"

namespace numora {

namespace {

QList<QRgb> QtColorTable(HPALETTE palette) {
  std::vector<PALETTEENTRY> table = ColorTable(palette);
  QList<QRgb> colors(256, qRgb(0, 0, 0));  // indices beyond a short palette show black
  for (std::size_t i = 0; i < table.size() && i < 256; ++i) {
    colors[static_cast<qsizetype>(i)] = qRgb(table[i].peRed, table[i].peGreen, table[i].peBlue);
  }
  return colors;
}

HPALETTE PaletteFromColors(const QList<QRgb>& colors) {
  TLogPalette log;
  log.palNumEntries = static_cast<std::uint16_t>(std::min<qsizetype>(colors.size(), 256));
  for (int i = 0; i < log.palNumEntries; ++i) {
    QRgb c = colors[i];
    log.palPalEntry[i] = {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                          static_cast<std::uint8_t>(qBlue(c)), 0};
  }
  return CreatePalette(log);
}

}  // namespace

QImage TBitmap::View() const {
  const TBitmapImage& image = *image_;
  if (image.width == 0 || image.height == 0) return QImage();
  if (image.format == TPixelFormat::pf8bit) {
    QImage view(image.pixels.get(), image.width, image.height, image.stride,
                QImage::Format_Indexed8);
    view.setColorTable(QtColorTable(image.palette));
    return view;
  }
  return QImage(image.pixels.get(), image.width, image.height, image.stride, QImage::Format_BGR888);
}

QImage TBitmap::ToQImage() const { return View().copy(); }

void TBitmap::FromQImage(const QImage& source) {
  RefuseWhileBusy();
  QImage image;
  TPixelFormat format = TPixelFormat::pf24bit;
  if (source.format() == QImage::Format_Indexed8) {
    image = source;
    format = TPixelFormat::pf8bit;
  } else if (source.format() == QImage::Format_Grayscale8) {
    image = source;
    format = TPixelFormat::pf8bit;
  } else {
    image = source.convertToFormat(QImage::Format_BGR888);
  }
  auto target = std::make_unique<TBitmapImage>(image.width(), image.height(), format);
  int bytes = std::min<int>(target->stride, static_cast<int>(image.bytesPerLine()));
  for (int y = 0; y < target->height; ++y) {
    std::memcpy(target->Row(y), image.constScanLine(y), bytes);
  }
  if (source.format() == QImage::Format_Indexed8) {
    target->palette = PaletteFromColors(source.colorTable());
  }
  Replace(target.release());
}

// Reached through TCanvas::StretchDraw, which skips empty pictures and rectangles.
void TBitmap::DrawPicture(TCanvas& canvas, const TRect& rect) {
  QImage view = View();
  canvas.Painter().drawImage(QRectF(ToQRect(rect)), view, QRectF(view.rect()));
}

void TBitmap::SaveClipboard(TClipboardFormat& format, QImage& data, HPALETTE& palette) {
  format = CF_BITMAP;
  data = ToQImage();
  palette = CopyPalette(Palette());
}

void TBitmap::LoadClipboard(TClipboardFormat format, const QImage& data, HPALETTE palette) {
  if (format != CF_BITMAP) {
    throw EInvalidGraphic("Clipboard format " + std::to_string(format) +
                          " is not a picture format");
  }
  if (data.isNull()) throw EInvalidGraphic("The clipboard holds no picture");
  FromQImage(data);
  // The image's own colour table wins; the clipboard's palette serves an image without one.
  if (palette != 0 && PixelFormat() == TPixelFormat::pf8bit && Palette() == 0) {
    SetPalette(CopyPalette(palette));
  }
  SetPaletteModified(PixelFormat() == TPixelFormat::pf8bit);
  Changed();
}

}  // namespace numora
