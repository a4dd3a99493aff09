#include "WindowPorts.h"

#include <QCoreApplication>
#include <cmath>

#include "ClipSegment.h"

namespace numora {

void TImageSurface::RepaintAll() {
  image_.ClearLayer();
  window_.repaint();
}

void TImageSurface::SetPen(int width, std::uint32_t rgb) {
  image_.pen =
      QPen(QBrush(QColor::fromRgb(QRgb(rgb))), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void TImageSurface::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void TImageSurface::LineTo(int x, int y) {
  const double margin = image_.pen.widthF() + 2;
  const TClipRect rect{-margin, -margin, image_.width() + margin, image_.height() + margin};
  if (const auto s = ClipSegment(x_, y_, x, y, rect)) {
    image_.MoveTo(int(std::lround(s->x1)), int(std::lround(s->y1)));
    image_.LineTo(int(std::lround(s->x2)), int(std::lround(s->y2)));
  }
  x_ = x;
  y_ = y;
}

std::string TWindowTexts::FormulaText() const { return edit_.text().toStdString(); }
void TWindowTexts::SetLabel4(const std::string& text) {
  label4_.SetCaption(QString::fromStdString(text));
}
void TWindowTexts::SetLabel5(const std::string& text) {
  label5_.SetCaption(QString::fromStdString(text));
}
void TWindowTexts::SetStatusPanel(int index, const std::string& text) {
  statusBar_.SetPanelText(index, QString::fromStdString(text));
}

void TApplicationPump::ProcessEvents() { QCoreApplication::processEvents(); }
std::chrono::nanoseconds TApplicationPump::Now() {
  return std::chrono::steady_clock::now().time_since_epoch();
}

}  // namespace numora
