#include "WindowPorts.h"

#include <QCoreApplication>

namespace numora {

void TImageSurface::RepaintAll() {
  image_.ClearLayer();
  window_.repaint();
}

void TImageSurface::SetPen(int width, std::uint32_t rgb) {
  image_.pen =
      QPen(QBrush(QColor::fromRgb(QRgb(rgb))), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void TImageSurface::MoveTo(int x, int y) { image_.MoveTo(x, y); }
void TImageSurface::LineTo(int x, int y) { image_.LineTo(x, y); }

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
