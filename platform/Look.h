// Colours and fonts named in form descriptions. Colour names are the system and standard
// colour names ("clGradientActiveCaption", "clNavy") or "#rrggbb". Face names that are not on
// a Debian desktop are replaced by the closest shipped face (fonts-liberation2, fonts-urw-base35).
#pragma once

#include <QColor>
#include <QFont>
#include <QJsonObject>
#include <QString>

namespace numora {

// Throws std::runtime_error on an unknown name.
QColor ColorByName(const QString& name);
QString SubstituteFace(const QString& face);

// The face every window and box starts from, before its description names its own.
QFont DefaultFont();

// A font of a description: {"name", "height" (pixels), "style": ["bold", "italic"], "color"}.
struct TFontSpec {
  QFont font;
  QColor color;
};
TFontSpec FontFromJson(const QJsonObject& json, const TFontSpec& inherited);

}  // namespace numora
