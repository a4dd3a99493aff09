#include "graphics/Canvas.h"

namespace numora {

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
  if (rect.Width() <= 0 || rect.Height() <= 0 || graphic.IsEmpty()) return;
  graphic.DrawPicture(*this, rect);
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.IsEmpty()) return;
  StretchDraw(TRect{x, y, x + graphic.PictureWidth(), y + graphic.PictureHeight()}, graphic);
}

}  // namespace numora
