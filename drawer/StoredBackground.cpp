#include "StoredBackground.h"

#include <QPainter>
#include <QTimer>
#include <exception>

#include "Application.h"
#include "graphics/Canvas.h"

namespace numora {

void TStoredBackground::Load(std::span<const std::uint8_t> record) {
  picture_.LoadFromStoredRecord(record);
  stretched_ = QImage();
  failed_ = false;
}

void TStoredBackground::Draw(QPainter& painter, const QRect& target, const QColor& windowColor) {
  if (!failed_ && picture_.Graphic() != nullptr && stretched_.size() != target.size()) {
    QImage stretched(target.size(), QImage::Format_RGB32);
    stretched.fill(windowColor);
    try {
      QPainter into(&stretched);
      into.setRenderHint(QPainter::SmoothPixmapTransform);
      TCanvas canvas(into);
      picture_.StretchDraw(canvas, ToTRect(stretched.rect()));
      stretched_ = stretched;
    } catch (const std::exception& error) {
      failed_ = true;
      QTimer::singleShot(
          0, [text = std::string(error.what())] { TApplication::Instance().ShowFault(text); });
    }
  }
  if (stretched_.isNull())
    painter.fillRect(target, windowColor);
  else
    painter.drawImage(target.topLeft(), stretched_);
}

}  // namespace numora
