#include "DrawerGeometry.h"

#include <QJsonArray>
#include <algorithm>

#include "FormBuilder.h"

// The description lives in this static library: register its resources before use.
static void InitDrawGeometryResources() { Q_INIT_RESOURCE(Draw); }

namespace numora {
namespace {

TBox BoxOf(const QJsonObject& component) {
  return {component["left"].toInt(), component["top"].toInt(), component["width"].toInt(),
          component["height"].toInt()};
}

const QJsonObject& Named(const std::vector<QJsonObject>& components, const char* name) {
  const auto it = std::find_if(components.begin(), components.end(),
                               [&](const QJsonObject& c) { return c["name"].toString() == name; });
  if (it == components.end())
    throw EFormDescription(std::string("the drawer's description has no ") + name);
  return *it;
}

// The handlers the pointer reaches, by the name the description binds.
TMouseTarget TargetOf(const QJsonObject& component) {
  const QString handler = component["events"].toObject()["OnMouseMove"].toString();
  if (handler == "FormMouseMove") return TMouseTarget::Picture;
  if (handler == "Panel1MouseMove") return TMouseTarget::HorizontalAxis;
  if (handler == "Panel2MouseMove") return TMouseTarget::VerticalAxis;
  return TMouseTarget::Other;
}

}  // namespace

TDrawerGeometry::TDrawerGeometry(const QJsonObject& description)
    : clientWidth(description["clientWidth"].toInt()),
      clientHeight(description["clientHeight"].toInt()),
      bareWindow_(TargetOf(description)) {
  std::vector<QJsonObject> components;
  for (const QJsonValue& c : description["components"].toArray())
    components.push_back(c.toObject());
  picture = BoxOf(Named(components, "Image1"));
  x0 = Named(components, "Panel2")["left"].toInt();
  y0 = Named(components, "Panel1")["top"].toInt();
  initialFormula = Named(components, "Edit1")["text"].toString().toStdString();
  // Created in order, so later ones lie in front; hidden ones take no pointer.
  for (auto it = components.rbegin(); it != components.rend(); ++it)
    if ((*it)["visible"].toBool(true)) places_.push_back({BoxOf(*it), TargetOf(*it)});
}

const TDrawerGeometry& TDrawerGeometry::Drawer() {
  static const TDrawerGeometry geometry = [] {
    InitDrawGeometryResources();
    return TDrawerGeometry(LoadFormDescription(":/drawer/Draw.json"));
  }();
  return geometry;
}

TMouseTarget TDrawerGeometry::TargetAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight) return TMouseTarget::Outside;
  for (const TPlace& place : places_)
    if (place.box.Contains(x, y)) return place.target;
  return bareWindow_;
}

}  // namespace numora
