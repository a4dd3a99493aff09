#include "FormBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <exception>
#include <set>

#include "Application.h"
#include "Look.h"

namespace numora {

// ---- handlers -------------------------------------------------------------------------------

THandlers& THandlers::Add(const QString& name, THandler handler) {
  handlers_[name] = std::move(handler);
  return *this;
}

template <class T>
T THandlers::Get(const QString& name) const {
  auto it = handlers_.find(name);
  if (it == handlers_.end())
    throw std::runtime_error("unknown handler \"" + name.toStdString() + "\"");
  if (const T* handler = std::get_if<T>(&it->second)) return *handler;
  throw std::runtime_error("handler \"" + name.toStdString() + "\" does not fit this event");
}

// ---- value readers --------------------------------------------------------------------------

namespace {

std::string Quoted(const QString& text) { return "\"" + text.toStdString() + "\""; }

int Int(const QJsonValue& v) {
  if (!v.isDouble() || v.toDouble() != static_cast<double>(v.toInt()))
    throw std::runtime_error("expected a whole number");
  return v.toInt();
}
bool Bool(const QJsonValue& v) {
  if (!v.isBool()) throw std::runtime_error("expected true or false");
  return v.toBool();
}
QString String(const QJsonValue& v) {
  if (!v.isString()) throw std::runtime_error("expected a text");
  return v.toString();
}
QJsonObject Object(const QJsonValue& v) {
  if (!v.isObject()) throw std::runtime_error("expected an object");
  return v.toObject();
}
QJsonArray Array(const QJsonValue& v) {
  if (!v.isArray()) throw std::runtime_error("expected a list");
  return v.toArray();
}

template <class T>
T Choice(const QJsonValue& v, const std::map<QString, T>& choices) {
  const QString text = String(v);
  auto it = choices.find(text);
  if (it == choices.end()) throw std::runtime_error("unknown value " + Quoted(text));
  return it->second;
}

// Runs a handler from a signal (menus, timers, push buttons) under the fault report.
void RunGuarded(const TNotifyEvent& handler, QObject* sender) {
  TApplication::Instance().Guarded([&] { handler(sender); });
}

}  // namespace

QByteArray Base64Bytes(const QJsonValue& value) {
  const auto result = QByteArray::fromBase64Encoding(String(value).toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
  if (!result) throw std::runtime_error("not valid base64");
  return *result;
}

QImage ImageFromBase64(const QJsonValue& value) {
  QImage image = QImage::fromData(Base64Bytes(value));
  if (image.isNull()) throw std::runtime_error("not a readable image");
  return image;
}

// ---- the standard component classes ---------------------------------------------------------

namespace {

const std::map<QString, Qt::Alignment> kAlignments = {
    {"left", Qt::AlignLeft}, {"right", Qt::AlignRight}, {"center", Qt::AlignHCenter}};
const std::map<QString, TBevel> kBevels = {
    {"raised", TBevel::Raised}, {"lowered", TBevel::Lowered}, {"none", TBevel::None}};

template <class T>
void AddLookEvents(TComponentRegistry& r, const QString& cls, bool click) {
  r.AddEvent<T>(cls, "OnMouseMove", [](T& c, const QString& h, const THandlers& hs) {
    c.OnMouseMove = hs.MouseMove(h);
  });
  if (click)
    r.AddEvent<T>(cls, "OnClick",
                  [](T& c, const QString& h, const THandlers& hs) { c.OnClick = hs.Notify(h); });
}

template <class T>
void AddTransparent(TComponentRegistry& r, const QString& cls) {
  r.AddProperty<T>(cls, "transparent", [](T& c, const QJsonValue& v) { c.transparent = Bool(v); });
}

TComponentRegistry MakeStandard() {
  TComponentRegistry r;

  r.AddClass<TPanel>("TPanel");
  r.AddProperty<TPanel>("TPanel", "bevel",
                        [](TPanel& c, const QJsonValue& v) { c.bevel = Choice(v, kBevels); });
  AddTransparent<TPanel>(r, "TPanel");
  AddLookEvents<TPanel>(r, "TPanel", true);

  r.AddClass<TLabel>("TLabel");
  r.AddProperty<TLabel>("TLabel", "caption",
                        [](TLabel& c, const QJsonValue& v) { c.SetCaption(String(v)); });
  r.AddProperty<TLabel>("TLabel", "alignment", [](TLabel& c, const QJsonValue& v) {
    c.alignment = (c.alignment & Qt::AlignVertical_Mask) | Choice(v, kAlignments);
  });
  r.AddProperty<TLabel>("TLabel", "layout", [](TLabel& c, const QJsonValue& v) {
    const Qt::Alignment vertical = Choice(
        v, std::map<QString, Qt::Alignment>{{"top", Qt::AlignTop}, {"center", Qt::AlignVCenter}});
    c.alignment = (c.alignment & Qt::AlignHorizontal_Mask) | vertical;
  });
  r.AddProperty<TLabel>("TLabel", "wordWrap",
                        [](TLabel& c, const QJsonValue& v) { c.wordWrap = Bool(v); });
  AddTransparent<TLabel>(r, "TLabel");
  AddLookEvents<TLabel>(r, "TLabel", true);

  r.AddClass<TEdit>("TEdit");
  r.AddProperty<TEdit>("TEdit", "text",
                       [](TEdit& c, const QJsonValue& v) { c.setText(String(v)); });
  r.AddProperty<TEdit>("TEdit", "autoSelect",
                       [](TEdit& c, const QJsonValue& v) { c.autoSelect = Bool(v); });
  r.AddEvent<TEdit>("TEdit", "OnKeyDown", [](TEdit& c, const QString& h, const THandlers& hs) {
    c.OnKeyDown = hs.KeyDown(h);
  });
  r.AddEvent<TEdit>("TEdit", "OnKeyPress", [](TEdit& c, const QString& h, const THandlers& hs) {
    c.OnKeyPress = hs.KeyPress(h);
  });
  r.AddEvent<TEdit>("TEdit", "OnMouseMove", [](TEdit& c, const QString& h, const THandlers& hs) {
    c.OnMouseMove = hs.MouseMove(h);
  });

  r.AddClass<TSpeedButton>("TSpeedButton");
  r.AddProperty<TSpeedButton>("TSpeedButton", "caption", [](TSpeedButton& c, const QJsonValue& v) {
    c.SetCaption(String(v));
  });
  r.AddProperty<TSpeedButton>("TSpeedButton", "flat",
                              [](TSpeedButton& c, const QJsonValue& v) { c.flat = Bool(v); });
  r.AddProperty<TSpeedButton>("TSpeedButton", "glyph", [](TSpeedButton& c, const QJsonValue& v) {
    c.glyph = ImageFromBase64(v);
  });
  AddLookEvents<TSpeedButton>(r, "TSpeedButton", true);

  r.AddClass<TButton>("TButton");
  r.AddProperty<TButton>("TButton", "caption",
                         [](TButton& c, const QJsonValue& v) { c.setText(String(v)); });
  r.AddProperty<TButton>("TButton", "default",
                         [](TButton& c, const QJsonValue& v) { c.setDefault(Bool(v)); });
  r.AddEvent<TButton>("TButton", "OnClick", [](TButton& c, const QString& h, const THandlers& hs) {
    QObject::connect(&c, &QPushButton::clicked, &c,
                     [handler = hs.Notify(h), sender = &c] { RunGuarded(handler, sender); });
  });
  r.AddEvent<TButton>(
      "TButton", "OnMouseMove",
      [](TButton& c, const QString& h, const THandlers& hs) { c.OnMouseMove = hs.MouseMove(h); });

  r.AddClass<TImage>("TImage");
  r.AddProperty<TImage>("TImage", "stretch",
                        [](TImage& c, const QJsonValue& v) { c.stretch = Bool(v); });
  r.AddProperty<TImage>("TImage", "picture",
                        [](TImage& c, const QJsonValue& v) { c.pictureSource = String(v); });
  AddTransparent<TImage>(r, "TImage");
  AddLookEvents<TImage>(r, "TImage", true);

  r.AddClass<TStatusBar>("TStatusBar");
  r.AddProperty<TStatusBar>("TStatusBar", "panels", [](TStatusBar& c, const QJsonValue& v) {
    std::vector<int> widths;
    for (const QJsonValue& w : Array(v)) widths.push_back(Int(w));
    c.SetPanelWidths(std::move(widths));
  });
  AddLookEvents<TStatusBar>(r, "TStatusBar", false);

  TComponentClass timer;
  timer.visual = false;
  timer.create = [](QWidget*, QWidget* form) -> QObject* {
    auto* t = new QTimer(form);
    t->setInterval(1000);
    t->start();
    return t;
  };
  r.Add("TTimer", std::move(timer));
  r.AddProperty<QTimer>("TTimer", "interval",
                        [](QTimer& t, const QJsonValue& v) { t.setInterval(Int(v)); });
  r.AddProperty<QTimer>("TTimer", "enabled", [](QTimer& t, const QJsonValue& v) {
    if (Bool(v))
      t.start();
    else
      t.stop();
  });
  r.AddEvent<QTimer>("TTimer", "OnTimer", [](QTimer& t, const QString& h, const THandlers& hs) {
    QObject::connect(&t, &QTimer::timeout, &t,
                     [handler = hs.Notify(h), sender = &t] { RunGuarded(handler, sender); });
  });
  return r;
}

}  // namespace

const TComponentRegistry& TComponentRegistry::Standard() {
  static const TComponentRegistry standard = MakeStandard();
  return standard;
}

void TComponentRegistry::Add(const QString& className, TComponentClass componentClass) {
  classes_[className] = std::move(componentClass);
}

const TComponentClass& TComponentRegistry::Find(const QString& className) const {
  auto it = classes_.find(className);
  if (it == classes_.end())
    throw std::runtime_error("unknown component class " + Quoted(className));
  return it->second;
}

TComponentClass& TComponentRegistry::Mutable(const QString& className) {
  auto it = classes_.find(className);
  if (it == classes_.end())
    throw std::logic_error("component class " + Quoted(className) + " is not registered");
  return it->second;
}

// ---- loading and merging --------------------------------------------------------------------

namespace {

bool IsNamedList(const QString& key) {
  return key == "components" || key == "items" || key == "menu";
}

QJsonArray MergeNamedList(const QJsonArray& base, const QJsonArray& changes) {
  QJsonArray result = base;
  for (const QJsonValue& change : changes) {
    const QString name = change.toObject().value("name").toString();
    bool merged = false;
    for (qsizetype i = 0; i < result.size() && !name.isEmpty(); ++i) {
      if (result[i].toObject().value("name").toString() != name) continue;
      result[i] = MergeFormDescription(result[i].toObject(), change.toObject());
      merged = true;
      break;
    }
    if (!merged) result.append(change);
  }
  return result;
}

QJsonObject LoadDescription(const QString& path, int depth) {
  const std::string where = "window description " + path.toStdString();
  if (depth > 8) throw EFormDescription(where + ": inherits too deeply");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw EFormDescription(where + ": cannot be read");
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError)
    throw EFormDescription(where + ": " + error.errorString().toStdString() + " at offset " +
                           std::to_string(error.offset));
  if (!document.isObject()) throw EFormDescription(where + ": not a JSON object");
  QJsonObject description = document.object();
  const QJsonValue base = description.value("inherits");
  if (base.isUndefined()) return description;
  if (!base.isString()) throw EFormDescription(where + ": \"inherits\" expects a path");
  return MergeFormDescription(LoadDescription(base.toString(), depth + 1), description);
}

}  // namespace

QJsonObject MergeFormDescription(const QJsonObject& base, const QJsonObject& changes) {
  QJsonObject result = base;
  for (auto it = changes.begin(); it != changes.end(); ++it) {
    const QString key = it.key();
    if (key == "inherits") continue;
    const QJsonValue old = result.value(key);
    if (IsNamedList(key) && old.isArray() && it.value().isArray())
      result[key] = MergeNamedList(old.toArray(), it.value().toArray());
    else if (old.isObject() && it.value().isObject())
      result[key] = MergeFormDescription(old.toObject(), it.value().toObject());
    else
      result[key] = it.value();
  }
  result.remove("inherits");
  return result;
}

QJsonObject LoadFormDescription(const QString& path) { return LoadDescription(path, 0); }

// ---- building -------------------------------------------------------------------------------

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
  QWidget& form_;
  const THandlers& handlers_;
  const TComponentRegistry& registry_;
};

void TBuilder::CheckKeys(const QJsonObject& json, const std::set<QString>& known) const {
  for (auto it = json.begin(); it != json.end(); ++it)
    if (known.count(it.key()) == 0)
      throw std::runtime_error("unknown property " + Quoted(it.key()));
}

void SetFontColor(QWidget& w, const QColor& color) {
  if (auto* look = dynamic_cast<TComponentLook*>(&w)) {
    look->fontColor = color;
    return;
  }
  QPalette palette = w.palette();
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    palette.setColor(role, color);
  w.setPalette(palette);
}

void SetColor(QWidget& w, const QColor& color) {
  if (auto* look = dynamic_cast<TComponentLook*>(&w)) {
    look->color = color;
    return;
  }
  QPalette palette = w.palette();
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Base, color);
  w.setPalette(palette);
  w.setAutoFillBackground(true);
}

TFontSpec FontOf(const QJsonObject& json, const TFontSpec& inherited) {
  const QJsonValue font = json.value("font");
  if (font.isUndefined()) return inherited;
  return FontFromJson(Object(font), inherited);
}

void TBuilder::ApplyLook(QWidget& w, const QJsonObject& json, const TFontSpec& font) {
  w.setFont(font.font);
  SetFontColor(w, font.color);
  if (json.contains("color")) SetColor(w, ColorByName(String(json["color"])));
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

  const TFontSpec font = FontOf(d, TFontSpec{QApplication::font(), ColorByName("clWindowText")});
  client->setFont(font.font);
  SetFontColor(*client, font.color);
  if (d.contains("color")) {
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, ColorByName(String(d["color"])));
    client->setPalette(palette);
    client->setAutoFillBackground(true);
  }
  if (d.contains("hint")) form_.setToolTip(String(d["hint"]));

  if (d.contains("menu")) {
    if (mainWindow == nullptr) throw std::runtime_error("a menu needs a main window class");
    BuildMenu(*mainWindow->menuBar(), Array(d["menu"]));
  }
  BuildComponents(*client, d.value("components"), font);
  if (fixed) form_.setFixedSize(mainWindow != nullptr ? mainWindow->sizeHint() : size);

  TFormEvents events;
  const QJsonObject bound = d.contains("events") ? Object(d["events"]) : QJsonObject();
  for (auto it = bound.begin(); it != bound.end(); ++it) {
    const QString handler = String(it.value());
    if (it.key() == "OnCreate")
      events.OnCreate = handlers_.Notify(handler);
    else if (it.key() == "OnClose")
      events.OnClose = handlers_.Notify(handler);
    else if (it.key() == "OnShow")
      events.OnShow = handlers_.Notify(handler);
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
