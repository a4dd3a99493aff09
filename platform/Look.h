// Colours and fonts named in form descriptions. Colour names are the system and standard
// colour names ("clGradientActiveCaption", "clNavy") or "#rrggbb". Face names that are not on
// a Debian desktop are replaced by the closest shipped face (fonts-liberation2, fonts-urw-base35).
#pragma once

#include <QColor>
#include <QFont>
#include <QJsonObject>
#include <QPalette>
#include <QString>
#include <optional>

namespace numora {

// Throws std::runtime_error on an unknown name. System colours take their values on the classic
// light desktop the descriptions were designed against.
QColor ColorByName(const QString& name);

// A colour of a description. A system colour that the desktop's palette carries also names its
// role there; whoever builds the window decides whether it follows the desktop (see
// FormBuilder.h) and drops the role where it must not.
struct TLookColor {
  QColor classic;
  std::optional<QPalette::ColorRole> role;
  QColor On(const QPalette& desktop) const { return role ? desktop.color(*role) : classic; }
};
TLookColor LookColorByName(const QString& name);  // std::runtime_error on an unknown name
// The desktop's text colour made for a background role (ButtonText on Button, Text on Base).
QPalette::ColorRole TextRoleOn(QPalette::ColorRole background);
// Every role at its value on the classic light desktop.
QPalette ClassicPalette();
QString SubstituteFace(const QString& face);

// The face every window and box starts from, before its description names its own.
QFont DefaultFont();

// A font of a description: {"name", "height" (pixels), "style": ["bold", "italic"], "color"}.
struct TFontSpec {
  QFont font;
  TLookColor color;
};
TFontSpec FontFromJson(const QJsonObject& json, const TFontSpec& inherited);

}  // namespace numora
