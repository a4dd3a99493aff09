#include "WindowPorts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <algorithm>

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

TWindowTexts::TWindowTexts(TEdit& edit, TPanel& panel3, TLabel& label4, TLabel& label5,
                           TStatusBar& statusBar)
    : edit_(edit),
      panel3_(panel3),
      storedPanelWidth_(panel3.width()),
      storedLabelWidth_(label5.width()),
      label4_(label4),
      label5_(label5),
      statusBar_(statusBar) {}

std::string TWindowTexts::FormulaText() const { return edit_.text().toStdString(); }
void TWindowTexts::SetLabel4(const std::string& text) {
  label4_.SetCaption(QString::fromStdString(text));
  FitReadout();
}
void TWindowTexts::SetLabel5(const std::string& text) {
  label5_.SetCaption(QString::fromStdString(text));
  FitReadout();
}

namespace {

// The readout is rewritten at every segment of a plot: the width is summed from the glyphs'
// advances, which the font keeps, rather than laid out as a whole text each time.
int TextWidth(const TLabel& label) {
  const QFontMetrics metrics = label.fontMetrics();
  int width = 0;
  for (const QChar c : label.Caption()) width += metrics.horizontalAdvance(c);
  return width;
}

}  // namespace

void TWindowTexts::FitReadout() {
  // A grown label leaves the text a few pixels clear of the box's edge, as at its left.
  constexpr int kClearance = 4;
  const int labelWidth = std::max(
      {storedLabelWidth_, TextWidth(label4_) + kClearance, TextWidth(label5_) + kClearance});
  if (labelWidth == label5_.width()) return;
  for (TLabel* label : {&label4_, &label5_}) label->resize(labelWidth, label->height());
  // The box keeps its margin right of the labels.
  panel3_.resize(storedPanelWidth_ + labelWidth - storedLabelWidth_, panel3_.height());
}
void TWindowTexts::SetStatusPanel(int index, const std::string& text) {
  statusBar_.SetPanelText(index, QString::fromStdString(text));
}

void TApplicationPump::ProcessEvents() { QCoreApplication::processEvents(); }
std::chrono::nanoseconds TApplicationPump::Now() {
  return std::chrono::steady_clock::now().time_since_epoch();
}

}  // namespace numora
