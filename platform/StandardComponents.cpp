// The platform's component classes and the handler table.
#include <QTimer>

#include "DescriptionValues.h"
#include "FormBuilder.h"

namespace numora {

using namespace description;

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
// The four kinds of handler, for every library that binds events.
template TNotifyEvent THandlers::Get<TNotifyEvent>(const QString&) const;
template TMouseMoveEvent THandlers::Get<TMouseMoveEvent>(const QString&) const;
template TKeyDownEvent THandlers::Get<TKeyDownEvent>(const QString&) const;
template TKeyPressEvent THandlers::Get<TKeyPressEvent>(const QString&) const;

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

}  // namespace numora
