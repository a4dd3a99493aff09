#include "graphics/Canvas.h"

namespace numora {

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
  if (rect.Width() <= 0 || rect.Height() <= 0 || graphic.IsEmpty()) return;
  graphic.DrawPicture(*this, rect);
}

}  // namespace numora
