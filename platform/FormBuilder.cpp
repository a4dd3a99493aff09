#include "FormBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <exception>
#include <set>

#include "DescriptionValues.h"
#include "Look.h"

namespace numora {

using namespace description;

namespace {

class TBuilder {
 public:
  TBuilder(QWidget& form, const THandlers& handlers, const TComponentRegistry& registry)
      : form_(form), handlers_(handlers), registry_(registry) {}

  TFormEvents Build(const QJsonObject& d);

 private:
  void CheckKeys(const QJsonObject& json, const std::set<QString>& known) const;
  void ApplyLook(QWidget& w, const QJsonObject& json, const TFontSpec& font);
  void BuildMenu(QMenuBar& bar, const QJsonArray& entries);
  void BuildItem(QMenu& menu, const QJsonObject& item);
  void BuildComponents(QWidget& parent, const QJsonValue& list, const TFontSpec& font);
  void BuildComponent(QWidget& parent, const QJsonObject& json, const TFontSpec& font);
  void KeepContrast();

  // The component or menu entry being built; the innermost one a fault leaves is kept for
  // the error text.
  struct TScope {
    TScope(TBuilder& b, QString name) : b_(b), unwinding_(std::uncaught_exceptions()) {
      b_.path_.push_back(std::move(name));
    }
    ~TScope() {
      if (std::uncaught_exceptions() > unwinding_ && b_.failedAt.empty()) b_.failedAt = b_.path_;
      b_.path_.pop_back();
    }
    TBuilder& b_;
    int unwinding_;
  };

 public:
  std::vector<QString> failedAt;

 private:
  std::vector<QString> path_;
  // The colours of each widget's text and background, settled once all are built; a
  // transparent component's text lies on the background of the nearest opaque one below it.
  struct TLook {
    TLookColor text, background;
  };
  std::map<QWidget*, TLook> looks_;
  QWidget* client_ = nullptr;
  QWidget& form_;
  const THandlers& handlers_;
  const TComponentRegistry& registry_;
};

void TBuilder::CheckKeys(const QJsonObject& json, const std::set<QString>& known) const {
  for (auto it = json.begin(); it != json.end(); ++it)
    if (known.count(it.key()) == 0)
      throw std::runtime_error("unknown property " + Quoted(it.key()));
}

// Where a description fixes a text's colour or its background, the other keeps its classic
// value as well, so the pair keeps the contrast it was designed with; a pair of system colours
// follows the desktop's palette, the text in the palette's own colour for that background.
void TBuilder::KeepContrast() {
  const auto backgroundOf = [this](QWidget* w) -> TLook& {
    for (;; w = w->parentWidget()) {
      auto it = looks_.find(w);
      const auto* component = dynamic_cast<const TComponentLook*>(w);
      if (it != looks_.end() && (w == client_ || component == nullptr || !component->transparent))
        return it->second;
    }
  };
  for (bool changed = true; changed;) {
    changed = false;
    for (auto& [widget, look] : looks_) {
      TLook& under = backgroundOf(widget);
      if (look.text.role.has_value() == under.background.role.has_value()) continue;
      look.text.role.reset();
      under.background.role.reset();
      changed = true;
    }
  }
  for (auto& [widget, look] : looks_) {
    const TLook& under = backgroundOf(widget);
    if (look.text.role) look.text.role = TextRoleOn(*under.background.role);
    if (widget == client_) {
      if (look.background.role) continue;  // the window's own face
      QPalette palette = widget->palette();
      palette.setColor(QPalette::Window, look.background.classic);
      widget->setPalette(palette);
      widget->setAutoFillBackground(true);
    } else if (auto* component = dynamic_cast<TComponentLook*>(widget)) {
      component->color = look.background;
      component->fontColor = look.text;
    } else if (!look.text.role) {
      QPalette palette = ClassicPalette();
      for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, look.text.classic);
      for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, look.background.classic);
      widget->setPalette(palette);
    }
  }
}

// Keys typed into a control nobody can see are lost: a control that lies wholly outside the
// client area takes no focus.
void LeaveOutOfTabOrder(QWidget& client) {
  for (QWidget* w : client.findChildren<QWidget*>()) {
    if (w->focusPolicy() == Qt::NoFocus) continue;
    const QRect onClient(w->mapTo(&client, QPoint(0, 0)), w->size());
    if (!onClient.intersects(client.rect())) w->setFocusPolicy(Qt::NoFocus);
  }
}

TFontSpec FontOf(const QJsonObject& json, const TFontSpec& inherited) {
  const QJsonValue font = json.value("font");
  if (font.isUndefined()) return inherited;
  return FontFromJson(Object(font), inherited);
}

void TBuilder::ApplyLook(QWidget& w, const QJsonObject& json, const TFontSpec& font) {
  w.setFont(font.font);
  TLook look{font.color, LookColorByName(qobject_cast<QLineEdit*>(&w) ? "clWindow" : "clBtnFace")};
  if (auto* component = dynamic_cast<TComponentLook*>(&w)) look.background = component->color;
  if (json.contains("color")) look.background = LookColorByName(String(json["color"]));
  looks_[&w] = look;
  if (json.contains("hint")) w.setToolTip(String(json["hint"]));
}

void TBuilder::BuildComponents(QWidget& parent, const QJsonValue& list, const TFontSpec& font) {
  if (list.isUndefined()) return;
  for (const QJsonValue& entry : Array(list)) BuildComponent(parent, Object(entry), font);
}

void TBuilder::BuildComponent(QWidget& parent, const QJsonObject& json, const TFontSpec& font) {
  if (!json.value("name").isString() || json.value("name").toString().isEmpty())
    throw std::runtime_error("a component without a name");
  const QString name = json.value("name").toString();
  TScope scope(*this, name);
  if (!json.value("class").isString()) throw std::runtime_error("no \"class\"");
  const TComponentClass& cls = registry_.Find(json.value("class").toString());
  QObject* component = cls.create(&parent, &form_);
  component->setObjectName(name);

  static const std::set<QString> kShared = {"name",    "class",   "left",      "top",   "width",
                                            "height",  "events",  "font",      "color", "hint",
                                            "visible", "enabled", "components"};
  QWidget* widget = cls.visual ? qobject_cast<QWidget*>(component) : nullptr;
  if (cls.visual && widget == nullptr) throw std::logic_error("a visual class made no widget");
  const TFontSpec own = FontOf(json, font);
  if (widget != nullptr) {
    QRect g = widget->geometry();
    if (json.contains("left")) g.moveLeft(Int(json["left"]));
    if (json.contains("top")) g.moveTop(Int(json["top"]));
    if (json.contains("width")) g.setWidth(Int(json["width"]));
    if (json.contains("height")) g.setHeight(Int(json["height"]));
    widget->setGeometry(g);
    ApplyLook(*widget, json, own);
    if (json.contains("visible") && !Bool(json["visible"])) widget->setVisible(false);
    if (json.contains("enabled")) widget->setEnabled(Bool(json["enabled"]));
  } else {
    for (const char* key : {"font", "color", "hint", "visible", "components", "width", "height"})
      if (json.contains(key) && !cls.properties.count(key))
        throw std::runtime_error(std::string("a non-visual component has no \"") + key + "\"");
  }

  for (auto it = json.begin(); it != json.end(); ++it) {
    if (kShared.count(it.key()) != 0 && !cls.properties.count(it.key())) continue;
    auto property = cls.properties.find(it.key());
    if (property == cls.properties.end())
      throw std::runtime_error("unknown property " + Quoted(it.key()));
    try {
      property->second(component, it.value());
    } catch (const std::exception& e) {
      throw std::runtime_error("property " + Quoted(it.key()) + ": " + e.what());
    }
  }

  const QJsonObject events =
      Object(json.value("events").isUndefined() ? QJsonObject() : json.value("events"));
  for (auto it = events.begin(); it != events.end(); ++it) {
    auto event = cls.events.find(it.key());
    if (event == cls.events.end()) throw std::runtime_error("unknown event " + Quoted(it.key()));
    event->second(component, String(it.value()), handlers_);
  }

  if (widget != nullptr) BuildComponents(*widget, json.value("components"), own);
}

void TBuilder::BuildItem(QMenu& menu, const QJsonObject& item) {
  const QString name = String(item.value("name"));
  TScope scope(*this, name);
  CheckKeys(item, {"name", "caption", "enabled", "visible", "events", "items"});
  const QString caption = item.value("caption").toString();
  if (item.contains("items")) {
    QMenu* sub = menu.addMenu(caption);
    sub->setObjectName(name);
    for (const QJsonValue& child : Array(item["items"])) BuildItem(*sub, Object(child));
    return;
  }
  QAction* action = caption == "-" ? menu.addSeparator() : menu.addAction(caption);
  action->setObjectName(name);
  if (item.contains("enabled")) action->setEnabled(Bool(item["enabled"]));
  if (item.contains("visible")) action->setVisible(Bool(item["visible"]));
  const QJsonObject events = item.contains("events") ? Object(item["events"]) : QJsonObject();
  for (auto it = events.begin(); it != events.end(); ++it) {
    if (it.key() != "OnClick") throw std::runtime_error("unknown event " + Quoted(it.key()));
    QObject::connect(
        action, &QAction::triggered, action,
        [handler = handlers_.Notify(String(it.value())), action] { RunGuarded(handler, action); });
  }
}

void TBuilder::BuildMenu(QMenuBar& bar, const QJsonArray& entries) {
  for (const QJsonValue& value : entries) {
    const QJsonObject entry = Object(value);
    const QString name = String(entry.value("name"));
    TScope scope(*this, name);
    CheckKeys(entry, {"name", "caption", "items", "enabled", "visible"});
    QMenu* menu = bar.addMenu(entry.value("caption").toString());
    menu->setObjectName(name);
    if (entry.contains("enabled")) menu->setEnabled(Bool(entry["enabled"]));
    if (entry.contains("visible")) menu->menuAction()->setVisible(Bool(entry["visible"]));
    for (const QJsonValue& item : Array(entry.value("items"))) BuildItem(*menu, Object(item));
  }
}

TFormEvents TBuilder::Build(const QJsonObject& d) {
  CheckKeys(d, {"class", "name", "caption", "left", "top", "icon", "clientWidth", "clientHeight",
                "border", "borderIcons", "formStyle", "color", "font", "hint", "events", "menu",
                "components"});
  if (d.contains("name")) form_.setObjectName(String(d["name"]));
  if (d.contains("caption")) form_.setWindowTitle(String(d["caption"]));
  if (d.contains("left") || d.contains("top"))
    form_.move(d.contains("left") ? Int(d["left"]) : form_.x(),
               d.contains("top") ? Int(d["top"]) : form_.y());
  if (d.contains("icon")) {
    const QString icon = String(d["icon"]);
    if (!QFile::exists(icon)) throw std::runtime_error("no icon at " + Quoted(icon));
    form_.setWindowIcon(QIcon(icon));  // read when first drawn
  }

  const QString border = d.contains("border") ? String(d["border"]) : "sizeable";
  if (border != "single" && border != "dialog" && border != "sizeable")
    throw std::runtime_error("unknown border " + Quoted(border));
  const bool fixed = border != "sizeable";
  QStringList icons = {"systemMenu", "minimize", "maximize"};
  if (d.contains("borderIcons")) {
    icons.clear();
    for (const QJsonValue& icon : Array(d["borderIcons"])) icons << String(icon);
  }
  Qt::WindowFlags flags = (qobject_cast<QDialog*>(&form_) ? Qt::Dialog : Qt::Window) |
                          Qt::WindowTitleHint | Qt::CustomizeWindowHint;
  for (const QString& icon : icons) {
    if (icon == "systemMenu")
      flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    else if (icon == "minimize" && border != "dialog")
      flags |= Qt::WindowMinimizeButtonHint;
    else if (icon == "maximize" && !fixed)
      flags |= Qt::WindowMaximizeButtonHint;
    else if (icon != "minimize" && icon != "maximize")
      throw std::runtime_error("unknown border icon " + Quoted(icon));
  }
  const QString style = d.contains("formStyle") ? String(d["formStyle"]) : "normal";
  if (style == "stayOnTop")
    flags |= Qt::WindowStaysOnTopHint;
  else if (style != "normal")
    throw std::runtime_error("unknown form style " + Quoted(style));
  form_.setWindowFlags(flags);

  auto* mainWindow = qobject_cast<QMainWindow*>(&form_);
  QWidget* client = &form_;
  if (mainWindow != nullptr) {
    client = new QWidget(mainWindow);
    client->setObjectName("ClientArea");
    mainWindow->setCentralWidget(client);
  }
  const QSize size(d.contains("clientWidth") ? Int(d["clientWidth"]) : client->width(),
                   d.contains("clientHeight") ? Int(d["clientHeight"]) : client->height());
  if (fixed)
    client->setFixedSize(size);
  else
    client->resize(size);

  const TFontSpec font =
      FontOf(d, TFontSpec{QApplication::font(), LookColorByName("clWindowText")});
  client->setFont(font.font);
  client_ = client;
  TLook clientLook{font.color,
                   LookColorByName(d.contains("color") ? String(d["color"]) : "clBtnFace")};
  if (clientLook.background.role == QPalette::Button) clientLook.background.role = QPalette::Window;
  looks_[client] = clientLook;
  if (d.contains("hint")) form_.setToolTip(String(d["hint"]));

  if (d.contains("menu")) {
    if (mainWindow == nullptr) throw std::runtime_error("a menu needs a main window class");
    BuildMenu(*mainWindow->menuBar(), Array(d["menu"]));
  }
  BuildComponents(*client, d.value("components"), font);
  KeepContrast();
  LeaveOutOfTabOrder(*client);
  // The client area keeps its size; a main window's follows its menu bar's real height, also
  // when the font changes while the program runs (its layout sizes it again).
  if (fixed && mainWindow != nullptr)
    mainWindow->layout()->setSizeConstraint(QLayout::SetFixedSize);
  else if (fixed)
    form_.setFixedSize(size);

  TFormEvents events;
  const QJsonObject bound = d.contains("events") ? Object(d["events"]) : QJsonObject();
  for (auto it = bound.begin(); it != bound.end(); ++it) {
    const QString handler = String(it.value());
    if (it.key() == "OnCreate")
      events.OnCreate = handlers_.Notify(handler);
    else if (it.key() == "OnClose")
      events.OnClose = handlers_.Notify(handler);
    else if (it.key() == "OnMouseMove")
      events.OnMouseMove = handlers_.MouseMove(handler);
    else
      throw std::runtime_error("unknown event " + Quoted(it.key()));
  }
  return events;
}

std::string DescribePath(const std::vector<QString>& path) {
  std::string text;
  for (const QString& name : path) text += (text.empty() ? "" : ".") + name.toStdString();
  return text;
}

TFormEvents BuildNamed(QWidget& form, const QString& formClass, const QJsonObject& description,
                       const THandlers& handlers, const TComponentRegistry& registry,
                       const std::string& where) {
  TBuilder builder(form, handlers, registry);
  try {
    const QString cls = description.value("class").toString();
    if (cls != formClass)
      throw std::runtime_error("describes class " + Quoted(cls) + ", not " + Quoted(formClass));
    return builder.Build(description);
  } catch (const EFormDescription&) {
    throw;
  } catch (const std::exception& e) {
    std::string text = "window description " + where;
    if (!builder.failedAt.empty()) text += ", component " + DescribePath(builder.failedAt);
    throw EFormDescription(text + ": " + e.what());
  }
}

}  // namespace

TFormEvents BuildForm(QWidget& form, const QString& formClass, const QJsonObject& description,
                      const THandlers& handlers, const TComponentRegistry& registry) {
  const QString name = description.value("name").toString(formClass);
  return BuildNamed(form, formClass, description, handlers, registry, name.toStdString());
}

TFormEvents BuildForm(QWidget& form, const QString& formClass, const QString& path,
                      const THandlers& handlers, const TComponentRegistry& registry) {
  return BuildNamed(form, formClass, LoadFormDescription(path), handlers, registry,
                    path.toStdString());
}

}  // namespace numora
