// TCanvas: a drawing surface over a QPainter, the target of picture drawing.
#pragma once

#include <QRect>

#include "graphics/Graphic.h"

class QPainter;

namespace numora {

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect ToTRect(const QRect& r) {
  return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

class TCanvas {
 public:
  explicit TCanvas(QPainter& painter) : painter_(painter) {}

  QPainter& Painter() { return painter_; }
  // The picture stretched into rect; an empty rect or an empty picture draws nothing.
  void StretchDraw(const TRect& rect, TGraphic& graphic);

 private:
  QPainter& painter_;
};

}  // namespace numora
