// Windows built from their descriptions: one JSON document per window, carried as a Qt
// resource, read by one generic builder.
//
// A description (every key optional unless marked):
//   {
//     "inherits": ":/windows/Calculator.json",  // a base description this one changes
//     "class": "TCalculatorForm",                // required: the C++ class building it
//     "name": "CalculatorForm", "caption": "Numora",
//     "left": 300, "top": 233,                   // stored position on the screen
//     "icon": ":/windows/Numora.xpm",            // the window's icon, a resource path
//     "clientWidth": 341, "clientHeight": 254,   // below the menu bar
//     "border": "single" | "dialog" | "sizeable",  // single and dialog are fixed size
//     "borderIcons": ["systemMenu", "minimize", "maximize"],
//     "formStyle": "normal" | "stayOnTop",
//     "color": "clBtnFace",                      // a colour name of Look.h or "#rrggbb"
//     "font": {"name": "MS Sans Serif", "height": 11, "style": ["bold"], "color": "clBlack"},
//     "hint": "text",
//     "events": {"OnCreate": "FormCreate", "OnClose": "FormClose", "OnMouseMove": "..."},
//     "menu": [ {"name": "Dzenle1", "caption": "&Edit", "items": [
//                 {"name": "Kopyala1", "caption": "&Copy", "enabled": true,
//                  "events": {"OnClick": "Kopyala1Click"}} ]} ],
//     "components": [ {"name": "Panel1", "class": "TPanel",
//                      "left": 0, "top": 0, "width": 341, "height": 41,
//                      "font": {...}, "color": "...", "hint": "...", "visible": true,
//                      "enabled": true, <the class's own properties>,
//                      "events": {"OnMouseMove": "Panel2MouseMove"},
//                      "components": [ ...children... ]} ]
//   }
// A font states only what differs from its parent's font. Components are created in order, so
// later ones lie on top.
//
// Colours: a text and the background it lies on (its own, or a transparent component's parent's)
// follow the desktop's palette together only where both are system colours the palette carries
// (clWindowText, clBtnFace, clWindow, clInfoBk, ...); the text then takes the palette's text
// colour for that background. Where the description fixes either of them, both keep their
// values on the classic light desktop, so the designer's contrast holds under any palette.
// A component that lies wholly outside the client area takes no focus: Tab never reaches it.
// A fixed main window's height follows its menu bar's, also when the font changes later. Unknown
// keys, classes, properties, events and handler names are errors (EFormDescription, naming the
// description and the component), never ignored.
//
// Inheritance: the inheriting description is merged into its base before building. Keys
// override; in "components", "items" and "menu" an entry whose "name" exists in the base
// changes that entry (recursively, so it needs no "class"), any other entry is added at the
// end of that list.
//
// Component classes and their own properties (TComponentRegistry::Standard()):
//   TPanel        bevel: "raised"|"lowered"|"none", transparent, caption-less; OnClick, OnMouseMove
//   TLabel        caption, alignment: "left"|"right"|"center", layout: "top"|"center",
//                 wordWrap, transparent; OnClick, OnMouseMove
//   TEdit         text; OnKeyDown, OnKeyPress, OnMouseMove
//   TSpeedButton  caption, glyph (base64 of a BMP file); OnClick, OnMouseMove
//   TButton       caption, default; OnClick, OnMouseMove
//   TImage        stretch, transparent, picture (a resource path, loaded when first drawn);
//                 OnClick, OnMouseMove
//   TStatusBar    panels: [widths]; OnMouseMove
//   TTimer        interval (ms), enabled; OnTimer (non-visual: left/top are accepted, unused)
// Other libraries copy the standard registry and add classes, properties or events to it.
//
// Handlers: a form fills a THandlers table with its methods by name; the builder binds each
// event to the handler of that name. Handlers of components, menu entries and timers run
// guarded: a fault goes to the application's fault report. The window's own events come back
// in TFormEvents for the form to call from its overrides.
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>

#include "Components.h"

namespace numora {

// A fault in a window description, raised while the window is built.
class EFormDescription : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A form's event handlers by name.
class THandlers {
 public:
  using THandler = std::variant<TNotifyEvent, TMouseMoveEvent, TKeyDownEvent, TKeyPressEvent>;

  THandlers& Add(const QString& name, THandler handler);

  template <class F>
  THandlers& Add(const QString& name, F* form, void (F::*method)()) {
    return Add(name, TNotifyEvent([form, method](QObject*) { (form->*method)(); }));
  }
  template <class F>
  THandlers& Add(const QString& name, F* form, void (F::*method)(QObject*)) {
    return Add(name, TNotifyEvent([form, method](QObject* s) { (form->*method)(s); }));
  }
  template <class F>
  THandlers& Add(const QString& name, F* form, void (F::*method)(QObject*, int, int)) {
    return Add(name, TMouseMoveEvent(
                         [form, method](QObject* s, int x, int y) { (form->*method)(s, x, y); }));
  }
  template <class F>
  THandlers& Add(const QString& name, F* form,
                 void (F::*method)(QObject*, std::uint16_t&, TShiftState, bool)) {
    return Add(name, TKeyDownEvent([form, method](QObject* s, std::uint16_t& k, TShiftState m,
                                                  bool c) { (form->*method)(s, k, m, c); }));
  }
  template <class F>
  THandlers& Add(const QString& name, F* form, void (F::*method)(QObject*, char&)) {
    return Add(name,
               TKeyPressEvent([form, method](QObject* s, char& k) { (form->*method)(s, k); }));
  }

  bool Contains(const QString& name) const { return handlers_.count(name) != 0; }
  // The handler of that name and kind; std::runtime_error when there is none of that kind.
  TNotifyEvent Notify(const QString& name) const { return Get<TNotifyEvent>(name); }
  TMouseMoveEvent MouseMove(const QString& name) const { return Get<TMouseMoveEvent>(name); }
  TKeyDownEvent KeyDown(const QString& name) const { return Get<TKeyDownEvent>(name); }
  TKeyPressEvent KeyPress(const QString& name) const { return Get<TKeyPressEvent>(name); }

 private:
  template <class T>
  T Get(const QString& name) const;
  std::map<QString, THandler> handlers_;
};

// What a component class is made of: how to create one, its own properties and its events.
struct TComponentClass {
  // parent: the widget the component lies on; form: the window being built.
  using TFactory = std::function<QObject*(QWidget* parent, QWidget* form)>;
  using TPropertyApplier = std::function<void(QObject* component, const QJsonValue& value)>;
  using TEventBinder =
      std::function<void(QObject* component, const QString& handler, const THandlers& handlers)>;
  TFactory create;
  std::map<QString, TPropertyApplier> properties;
  std::map<QString, TEventBinder> events;
  bool visual = true;  // a QWidget with position, size, font, colour, hint
};

class TComponentRegistry {
 public:
  // The platform's classes (see the list above).
  static const TComponentRegistry& Standard();

  void Add(const QString& className, TComponentClass componentClass);
  bool Contains(const QString& className) const { return classes_.count(className) != 0; }
  const TComponentClass& Find(const QString& className) const;  // std::runtime_error if unknown

  // Typed helpers over Add: the component is created as T, appliers see it as T.
  template <class T>
  void AddClass(const QString& className, bool visual = true) {
    TComponentClass c;
    c.create = [](QWidget* parent, QWidget*) -> QObject* { return new T(parent); };
    c.visual = visual;
    Add(className, std::move(c));
  }
  template <class T>
  void AddProperty(const QString& className, const QString& property,
                   std::function<void(T&, const QJsonValue&)> apply) {
    Mutable(className).properties[property] = [apply](QObject* o, const QJsonValue& v) {
      apply(*dynamic_cast<T*>(o), v);
    };
  }
  template <class T>
  void AddEvent(const QString& className, const QString& event,
                std::function<void(T&, const QString&, const THandlers&)> bind) {
    Mutable(className).events[event] = [bind](QObject* o, const QString& h, const THandlers& hs) {
      bind(*dynamic_cast<T*>(o), h, hs);
    };
  }

 private:
  TComponentClass& Mutable(const QString& className);
  std::map<QString, TComponentClass> classes_;
};

// The window-level events of a description, for the form's own overrides to call.
struct TFormEvents {
  TNotifyEvent OnCreate, OnClose;
  TMouseMoveEvent OnMouseMove;
};

// Reads a description from a resource (or any file path), merging what it inherits.
QJsonObject LoadFormDescription(const QString& path);
// Merges an inheriting description into its base (the rules above).
QJsonObject MergeFormDescription(const QJsonObject& base, const QJsonObject& changes);

// Builds the window: properties of the window itself, the menu (QMainWindow only), the
// components on the client area (the central widget of a QMainWindow, else the window), each
// event bound to its handler. Checks that the description's "class" is formClass. Does not
// call OnCreate: the form calls it once its own fields are set. Throws EFormDescription.
TFormEvents BuildForm(QWidget& form, const QString& formClass, const QJsonObject& description,
                      const THandlers& handlers,
                      const TComponentRegistry& registry = TComponentRegistry::Standard());
// The same from a description path; errors name the path.
TFormEvents BuildForm(QWidget& form, const QString& formClass, const QString& path,
                      const THandlers& handlers,
                      const TComponentRegistry& registry = TComponentRegistry::Standard());

// A component of a built form by name and class; EFormDescription if it is missing.
template <class T>
T& Component(const QObject& form, const char* name) {
  // findChild casts by the nearest Q_OBJECT class only: check the real class.
  T* found = dynamic_cast<T*>(form.findChild<QObject*>(QString::fromLatin1(name)));
  if (found == nullptr)
    throw EFormDescription(std::string("window ") + form.objectName().toStdString() +
                           " has no component " + name + " of the expected class");
  return *found;
}

// Decoders for property values.
QByteArray Base64Bytes(const QJsonValue& value);  // strict base64 text; std::runtime_error
QImage ImageFromBase64(const QJsonValue& value);  // a BMP (or PNG) file's bytes, base64

}  // namespace numora
