// The drawer's background: a stored picture record, read through the picture registry when
// the window is created. The picture decodes at its first drawing; the stretched result is
// kept, so the many repaints of a slow-motion plot only copy it.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <span>
#include <string>

#include "graphics/Picture.h"

class QPainter;

namespace numora {

class TStoredBackground {
 public:
  TStoredBackground() = default;
  // Throws what the picture container throws for a record no registered class reads.
  void Load(std::span<const std::uint8_t> record);
  // Draws the picture stretched into target. A picture that fails to draw is reported once
  // (after the paint, never from inside it) and leaves the area in the window colour.
  void Draw(QPainter& painter, const QRect& target, const QColor& windowColor);
  const TPicture& Picture() const { return picture_; }
  bool Drawn() const { return !stretched_.isNull(); }

 private:
  TPicture picture_;
  QImage stretched_;
  bool failed_ = false;
};

}  // namespace numora
