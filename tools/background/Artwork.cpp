#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace numora::artwork {
namespace {

constexpr int kWidth = 1024, kHeight = 768;

void PaintSky(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0.0, QColor(226, 236, 243));
  sky.setColorAt(0.6, QColor(241, 243, 240));
  sky.setColorAt(1.0, QColor(246, 241, 229));
  p.fillRect(0, 0, kWidth, kHeight, sky);

  QRadialGradient sun(QPointF(840, 150), 260);
  sun.setColorAt(0.0, QColor(255, 249, 228, 230));
  sun.setColorAt(0.35, QColor(252, 244, 222, 120));
  sun.setColorAt(1.0, QColor(252, 244, 222, 0));
  p.fillRect(0, 0, kWidth, kHeight, sun);
}

// A ridge line made of a few gentle waves, filled down to the bottom edge.
QPainterPath Hill(double base, double amplitude, double phase) {
  QPainterPath path(QPointF(0, kHeight));
  for (int x = 0; x <= kWidth; x += 4) {
    const double t = x / double(kWidth) * 2 * std::numbers::pi;
    const double y =
        base - amplitude * (0.6 * std::sin(1.3 * t + phase) + 0.3 * std::sin(2.7 * t + 2 * phase) +
                            0.1 * std::sin(5.1 * t + 3 * phase));
    path.lineTo(x, y);
  }
  path.lineTo(kWidth, kHeight);
  path.closeSubpath();
  return path;
}

void PaintHills(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(222, 231, 219));
  p.drawPath(Hill(560, 40, 0.4));
  p.setBrush(QColor(210, 223, 204));
  p.drawPath(Hill(640, 30, 2.1));
  p.setBrush(QColor(200, 215, 194));
  p.drawPath(Hill(715, 18, 4.0));
}

// Each line covers the part of the picture that becomes one pixel of the stretched one.
void PaintGrid(QPainter& p, const TPlotPlacement& placement) {
  constexpr int kStep = 10, kStrongStep = 50;
  const double sx = double(kWidth) / placement.width, sy = double(kHeight) / placement.height;
  const auto colour = [](int unit) {
    return QColor(120, 130, 140, unit % kStrongStep == 0 ? 34 : 16);
  };
  // Whole pixels with sharp edges, as graph paper is printed.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  const auto span = [](double from, double size) {
    return std::pair{std::lround(from), std::max(1L, std::lround(from + size) - std::lround(from))};
  };
  // The first multiple of the step at or left of column 0, and at or above row 0.
  const int firstW = -(placement.originX / kStep) * kStep;
  for (int w = firstW; placement.originX + w < placement.width; w += kStep) {
    const auto [x, width] = span((placement.originX + w) * sx, sx);
    p.fillRect(QRect(int(x), 0, int(width), kHeight), colour(w));
  }
  const int topF = (placement.originY / kStep) * kStep;
  for (int f = topF; placement.originY - f < placement.height; f -= kStep) {
    const auto [y, height] = span((placement.originY - f) * sy, sy);
    p.fillRect(QRect(0, int(y), kWidth, int(height)), colour(f));
  }
}

void PaintClouds(QPainter& p) {
  p.setPen(Qt::NoPen);
  const struct {
    double x, y, scale;
  } clouds[] = {{180, 140, 1.0}, {520, 90, 0.7}, {420, 260, 0.55}};
  for (const auto& c : clouds) {
    for (const auto& [dx, dy, r] : {std::tuple{0.0, 0.0, 46.0}, std::tuple{50.0, -14.0, 38.0},
                                    std::tuple{-48.0, 8.0, 32.0}, std::tuple{92.0, 6.0, 28.0}}) {
      QRadialGradient puff(QPointF(c.x + dx * c.scale, c.y + dy * c.scale), r * c.scale * 1.6);
      puff.setColorAt(0.0, QColor(255, 255, 255, 150));
      puff.setColorAt(1.0, QColor(255, 255, 255, 0));
      p.setBrush(puff);
      p.drawEllipse(QPointF(c.x + dx * c.scale, c.y + dy * c.scale), r * c.scale * 1.6,
                    r * c.scale * 1.6);
    }
  }
}

}  // namespace

QImage DrawBackground(const TPlotPlacement& placement) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  PaintSky(p);
  PaintClouds(p);
  PaintHills(p);
  PaintGrid(p, placement);
  return image;
}

QImage DrawSlowMotionGlyph() {
  QImage glyph(32, 32, QImage::Format_RGB32);
  glyph.fill(QColor(240, 240, 240));
  QPainter p(&glyph);
  p.setRenderHint(QPainter::Antialiasing);
  // Body with its foot along the ground, and two feelers.
  QPainterPath body;
  body.moveTo(3, 26);
  body.cubicTo(3, 21, 8, 20, 12, 22);
  body.lineTo(28, 22);
  body.cubicTo(30, 22, 30, 27, 28, 27);
  body.lineTo(5, 27);
  body.closeSubpath();
  p.setPen(QPen(QColor(70, 90, 40), 1));
  p.setBrush(QColor(150, 180, 90));
  p.drawPath(body);
  p.setPen(QPen(QColor(70, 90, 40), 1.2));
  p.drawLine(QPointF(6, 22), QPointF(3, 14));
  p.drawLine(QPointF(8, 22), QPointF(8, 14));
  p.setBrush(QColor(40, 50, 20));
  p.drawEllipse(QPointF(3, 14), 1.3, 1.3);
  p.drawEllipse(QPointF(8, 14), 1.3, 1.3);
  // The shell and its spiral.
  p.setPen(QPen(QColor(120, 70, 30), 1.2));
  p.setBrush(QColor(214, 150, 70));
  p.drawEllipse(QPointF(19, 15), 9, 9);
  QPainterPath spiral;
  for (int i = 0; i <= 60; ++i) {
    const double t = i / 60.0 * 2.6 * std::numbers::pi;
    const double r = 7.5 * (1 - i / 66.0);
    const QPointF point(19 + r * std::cos(t + 1.2), 15 + r * std::sin(t + 1.2));
    if (i == 0)
      spiral.moveTo(point);
    else
      spiral.lineTo(point);
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(spiral);
  return glyph;
}

}  // namespace numora::artwork
