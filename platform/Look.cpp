#include "Look.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <map>
#include <stdexcept>

namespace numora {

namespace {

const std::map<QString, QColor>& Colors() {
  static const std::map<QString, QColor> kColors = {
      {"clBlack", QColor(0, 0, 0)},
      {"clMaroon", QColor(128, 0, 0)},
      {"clGreen", QColor(0, 128, 0)},
      {"clOlive", QColor(128, 128, 0)},
      {"clNavy", QColor(0, 0, 128)},
      {"clPurple", QColor(128, 0, 128)},
      {"clTeal", QColor(0, 128, 128)},
      {"clGray", QColor(128, 128, 128)},
      {"clSilver", QColor(192, 192, 192)},
      {"clRed", QColor(255, 0, 0)},
      {"clLime", QColor(0, 255, 0)},
      {"clYellow", QColor(255, 255, 0)},
      {"clBlue", QColor(0, 0, 255)},
      {"clFuchsia", QColor(255, 0, 255)},
      {"clAqua", QColor(0, 255, 255)},
      {"clWhite", QColor(255, 255, 255)},
      {"clSkyBlue", QColor(166, 202, 240)},
      {"clMoneyGreen", QColor(192, 220, 192)},
      {"clCream", QColor(255, 251, 240)},
      {"clMedGray", QColor(160, 160, 164)},
      // System colours, at the values of a default classic desktop.
      {"clGradientActiveCaption", QColor(185, 209, 234)},
      {"clBackground", QColor(58, 110, 165)},
      {"clCaptionText", QColor(255, 255, 255)},
      {"clWindowText", QColor(0, 0, 0)},
      {"clWindow", QColor(255, 255, 255)},
      {"clBtnFace", QColor(240, 240, 240)},
      {"clBtnShadow", QColor(160, 160, 160)},
      {"clBtnHighlight", QColor(255, 255, 255)},
      {"clInfoBk", QColor(255, 255, 225)},
      {"clInfoText", QColor(0, 0, 0)},
  };
  return kColors;
}

// The system colours a desktop palette carries. The caption and desktop colours are not among
// them: they stay at their classic values.
const std::map<QString, QPalette::ColorRole> kRoles = {
    {"clWindowText", QPalette::WindowText}, {"clWindow", QPalette::Base},
    {"clBtnFace", QPalette::Button},        {"clBtnShadow", QPalette::Mid},
    {"clBtnHighlight", QPalette::Light},    {"clInfoBk", QPalette::ToolTipBase},
    {"clInfoText", QPalette::ToolTipText},
};

}  // namespace

QColor ColorByName(const QString& name) {
  if (name.startsWith('#')) {
    QColor c(name);
    if (c.isValid()) return c;
  }
  auto it = Colors().find(name);
  if (it == Colors().end())
    throw std::runtime_error("unknown colour \"" + name.toStdString() + "\"");
  return it->second;
}

TLookColor LookColorByName(const QString& name) {
  TLookColor color{ColorByName(name), std::nullopt};
  if (auto it = kRoles.find(name); it != kRoles.end()) color.role = it->second;
  return color;
}

QPalette::ColorRole TextRoleOn(QPalette::ColorRole background) {
  switch (background) {
    case QPalette::Button:
      return QPalette::ButtonText;
    case QPalette::Base:
      return QPalette::Text;
    case QPalette::ToolTipBase:
      return QPalette::ToolTipText;
    default:
      return QPalette::WindowText;
  }
}

QPalette ClassicPalette() {
  const QColor face = ColorByName("clBtnFace"), text = ColorByName("clWindowText");
  QPalette p(text, face, ColorByName("clBtnHighlight"), ColorByName("clBtnShadow"),
             ColorByName("clBtnShadow"), text, QColor(255, 255, 255), ColorByName("clWindow"),
             face);
  p.setColor(QPalette::Midlight, QColor(227, 227, 227));
  p.setColor(QPalette::Shadow, QColor(105, 105, 105));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::ToolTipBase, ColorByName("clInfoBk"));
  p.setColor(QPalette::ToolTipText, ColorByName("clInfoText"));
  p.setColor(QPalette::Highlight, QColor(0, 120, 215));
  p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
  p.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
  p.setColor(QPalette::PlaceholderText, QColor(109, 109, 109));
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    p.setColor(QPalette::Disabled, role, QColor(109, 109, 109));
  return p;
}

// The face a window was designed in where the system has it, else the metric-compatible face
// that stands in for it. Only Windows is asked: elsewhere the faces are never there, and asking
// fontconfig costs a few milliseconds of every start.
QString SubstituteFace(const QString& face) {
#ifdef Q_OS_WIN
  if (QFontDatabase::hasFamily(face)) return face;
#endif
  static const std::map<QString, QString> kFaces = {
      {"MS Sans Serif", "Liberation Sans"},
      {"Arial", "Liberation Sans"},
      {"Arial Narrow", "Nimbus Sans Narrow"},
      {"Bookman Old Style", "URW Bookman"},
      {"Book Antiqua", "P052"},
      {"Century Gothic", "URW Gothic"},
      {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
  };
  auto it = kFaces.find(face);
  return it == kFaces.end() ? face : it->second;
}

QFont DefaultFont() {
  QFont font(SubstituteFace("MS Sans Serif"));
  font.setPixelSize(11);
  return font;
}

TFontSpec FontFromJson(const QJsonObject& json, const TFontSpec& inherited) {
  TFontSpec spec = inherited;
  for (auto it = json.begin(); it != json.end(); ++it) {
    if (it.key() != "name" && it.key() != "height" && it.key() != "color" && it.key() != "style")
      throw std::runtime_error("unknown font property \"" + it.key().toStdString() + "\"");
  }
  if (json.contains("name")) spec.font.setFamily(SubstituteFace(json["name"].toString()));
  if (json.contains("height")) spec.font.setPixelSize(json["height"].toInt());
  if (json.contains("color")) spec.color = LookColorByName(json["color"].toString());
  if (json.contains("style")) {
    spec.font.setBold(false);
    spec.font.setItalic(false);
    for (const auto& s : json["style"].toArray()) {
      if (s.toString() == "bold")
        spec.font.setBold(true);
      else if (s.toString() == "italic")
        spec.font.setItalic(true);
      else
        throw std::runtime_error("unknown font style \"" + s.toString().toStdString() + "\"");
    }
  }
  return spec;
}

}  // namespace numora
