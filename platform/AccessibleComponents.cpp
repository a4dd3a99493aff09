#include "AccessibleComponents.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>

#include "Components.h"
#include "DescriptionValues.h"

namespace numora {
namespace {

// Widgets keep these as properties of their own; menu entries carry them as dynamic ones.
constexpr const char* kName = "accessibleName";
constexpr const char* kDescription = "accessibleDescription";
constexpr const char* kKeys = "numoraKeyboardKeys";
// On a field that presents a display: the display's name, and what screen readers were last
// told. Components find each other by name in their window: either may go first when the
// window is destroyed.
constexpr const char* kPresents = "numoraPresentedDisplay";
constexpr const char* kShown = "numoraPresentedText";
constexpr const char* kReplaced = "numoraPresentedTextReplaced";
// On the display: the name of the field that presents it.
constexpr const char* kPresentedBy = "numoraPresentingField";

QString Spoken(const TLabel& label) { return label.Caption().remove(QLatin1Char('&')); }

// The component of the same window that the property names.
QWidget* Named(const QWidget& of, const char* property) {
  const QString name = of.property(property).toString();
  return name.isEmpty() ? nullptr : of.window()->findChild<QWidget*>(name);
}

class TAccessibleKey : public QAccessibleWidget {
 public:
  explicit TAccessibleKey(TSpeedButton* key) : QAccessibleWidget(key, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return widget()->accessibleName();
    if (t == QAccessible::Accelerator) return widget()->property(kKeys).toString();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  QStringList keyBindingsForAction(const QString& action) const override {
    const QString keys = text(QAccessible::Accelerator);
    if (action != pressAction() || keys.isEmpty()) return {};
    return keys.split(QStringLiteral(" or "));
  }
  void doAction(const QString& action) override {
    auto* key = static_cast<TSpeedButton*>(widget());
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    if (key->isEnabled() && key->OnClick) description::RunGuarded(key->OnClick, key);
  }
};

class TAccessibleLabel : public QAccessibleWidget {
 public:
  explicit TAccessibleLabel(TLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    const QString caption = Spoken(*static_cast<TLabel*>(widget()));
    if (t == QAccessible::Value) return caption;
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return caption;
    return QAccessibleWidget::text(t);
  }
};

// The field that holds the keyboard focus while the window shows its result elsewhere: screen
// readers speak changes of the focused object only, so the field's text and value are the
// display's text. A display text that replaced the one before (a result, a cleared display, a
// recalled memory) reads as selected, the way readers present a text the program put in place
// of the old one; digits typed onto its end read as typed. What the field itself holds is
// never shown to the readers.
class TAccessiblePresentingField : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TAccessiblePresentingField(QWidget* field)
      : QAccessibleWidget(field, QAccessible::EditableText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Shown();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectableText = true;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // QAccessibleTextInterface: the display's text, the caret at its end.
  void selection(int index, int* start, int* end) const override {
    const bool selected = index == 0 && selectionCount() == 1;
    *start = 0;
    *end = selected ? characterCount() : 0;
  }
  int selectionCount() const override {
    return widget()->property(kReplaced).toBool() && characterCount() > 0 ? 1 : 0;
  }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return characterCount(); }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override {
    const QString shown = Shown();
    start = std::clamp(start, 0, static_cast<int>(shown.size()));
    end = end < 0 ? static_cast<int>(shown.size())
                  : std::clamp(end, start, static_cast<int>(shown.size()));
    return shown.mid(start, end - start);
  }
  int characterCount() const override { return static_cast<int>(Shown().size()); }
  QRect characterRect(int) const override { return DisplayRect(); }
  int offsetAtPoint(const QPoint& point) const override {
    return DisplayRect().contains(point) ? characterCount() : -1;
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return QString();
  }

 private:
  const QWidget* Display() const { return Named(*widget(), kPresents); }
  QString Shown() const { return widget()->property(kShown).toString(); }
  QRect DisplayRect() const {
    const QWidget* display = Display();
    return display == nullptr ? QRect()
                              : QRect(display->mapToGlobal(QPoint(0, 0)), display->size());
  }
};

// The menu or menu bar that shows the entry.
QWidget* MenuOwner(const QAction& action) {
  for (QObject* object : action.associatedObjects())
    if (qobject_cast<QMenu*>(object) || qobject_cast<QMenuBar*>(object))
      return static_cast<QWidget*>(object);
  return nullptr;
}

// An entry of a menu bar or a menu; an entry that opens a submenu has that menu as its child
// and takes its words from it (the builder names the submenu, not its entry).
class TAccessibleMenuEntry : public QAccessibleObject, public QAccessibleActionInterface {
 public:
  TAccessibleMenuEntry(QAction* action, QWidget* owner)
      : QAccessibleObject(action), action_(action), owner_(owner) {}

  bool isValid() const override { return !action_.isNull() && !owner_.isNull(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(owner_);
  }
  QWindow* window() const override {
    const QAccessibleInterface* p = parent();
    return p != nullptr ? p->window() : nullptr;
  }
  int childCount() const override { return action_->menu() != nullptr ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && action_->menu() != nullptr
               ? QAccessible::queryAccessibleInterface(action_->menu())
               : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child == this->child(0) ? 0 : -1;
  }
  QAccessible::Role role() const override {
    return action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
  }
  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name: {
        const QString name = Words(kName);
        return name.isEmpty() ? QString(action_->text()).remove(QLatin1Char('&')) : name;
      }
      case QAccessible::Description:
        return Words(kDescription);
      case QAccessible::Accelerator:
        return action_->shortcut().isEmpty()
                   ? Mnemonic()
                   : action_->shortcut().toString(QKeySequence::NativeText);
      default:
        return QString();
    }
  }
  QRect rect() const override {
    QRect r;
    if (auto* bar = qobject_cast<QMenuBar*>(owner_)) r = bar->actionGeometry(action_);
    if (auto* menu = qobject_cast<QMenu*>(owner_)) r = menu->actionGeometry(action_);
    return r.translated(owner_->mapToGlobal(QPoint(0, 0)));
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    s.disabled = !action_->isEnabled();
    s.invisible = !action_->isVisible() || !owner_->isVisible();
    s.hasPopup = action_->menu() != nullptr;
    s.checkable = action_->isCheckable();
    s.checked = action_->isChecked();
    s.focused = ActiveAction() == action_;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override {
    return {action_->menu() != nullptr ? showMenuAction() : pressAction()};
  }
  void doAction(const QString& name) override {
    if (!action_->isEnabled() || !actionNames().contains(name)) return;
    if (action_->menu() == nullptr) return action_->trigger();
    if (auto* bar = qobject_cast<QMenuBar*>(owner_)) bar->setActiveAction(action_);
    if (auto* menu = qobject_cast<QMenu*>(owner_)) menu->setActiveAction(action_);
  }
  // As AT-SPI reads them: the mnemonic, the path through the menus, the shortcut.
  QStringList keyBindingsForAction(const QString&) const override {
    const QString shortcut = action_->shortcut().toString(QKeySequence::NativeText);
    if (shortcut.isEmpty()) return Mnemonic().isEmpty() ? QStringList() : QStringList{Mnemonic()};
    return {Mnemonic(), QString(), shortcut};
  }

 private:
  QString Mnemonic() const {
    return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
  }
  QString Words(const char* property) const {
    QString words = action_->property(property).toString();
    if (words.isEmpty() && action_->menu() != nullptr)
      words = action_->menu()->property(property).toString();
    return words;
  }
  QAction* ActiveAction() const {
    if (auto* bar = qobject_cast<QMenuBar*>(owner_)) return bar->activeAction();
    if (auto* menu = qobject_cast<QMenu*>(owner_)) return menu->activeAction();
    return nullptr;
  }

  QPointer<QAction> action_;
  QPointer<QWidget> owner_;
};

// Qt walks an object's classes from the most derived one; the components have no meta-object
// of their own, so they show up as "QWidget".
QAccessibleInterface* ComponentInterface(const QString& className, QObject* object) {
  if (className == QLatin1String("QWidget")) {
    if (auto* key = dynamic_cast<TSpeedButton*>(object)) return new TAccessibleKey(key);
    if (auto* label = dynamic_cast<TLabel*>(object)) return new TAccessibleLabel(label);
  } else if (className == QLatin1String("QLineEdit") && object->property(kPresents).isValid()) {
    return new TAccessiblePresentingField(static_cast<QWidget*>(object));
  } else if (className == QLatin1String("QAction")) {
    auto* action = static_cast<QAction*>(object);
    if (QWidget* owner = MenuOwner(*action)) return new TAccessibleMenuEntry(action, owner);
  }
  return nullptr;
}

// The text events a presenting field sends of its own; the field's own text is not what it
// presents. Events sent for the display carry this mark.
class TPresentedEvent {
 public:
  virtual ~TPresentedEvent() = default;
};
template <class TEvent>
class TPresented : public TEvent, public TPresentedEvent {
 public:
  using TEvent::TEvent;
};

bool IsFieldsOwnTextEvent(QAccessibleEvent& event) {
  switch (event.type()) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
      return event.object() != nullptr && event.object()->property(kPresents).isValid() &&
             dynamic_cast<TPresentedEvent*>(&event) == nullptr;
    default:
      return false;
  }
}

// What was installed before us (a test's recorder); none passes events on to the platform.
QAccessible::UpdateHandler passOnTo = nullptr;

void PassOnToReaders(QAccessibleEvent* event) {
  if (IsFieldsOwnTextEvent(*event)) return;
  if (passOnTo != nullptr) return passOnTo(event);
  const QAccessible::UpdateHandler current = QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(current);
}

void Announce(QAccessibleEvent&& event) { QAccessible::updateAccessibility(&event); }

// Tells the readers of the presenting field how its text became the display's: one character
// typed onto the end or removed from it (a digit, Back) as such, any other change (a result, a
// cleared display, a recalled memory, a paste) as a new text in place of the old one.
void PresentChange(QWidget& field, const QString& now) {
  const QString before = field.property(kShown).toString();
  if (before == now) return;
  const QString& longer = now.size() > before.size() ? now : before;
  const QString& shorter = now.size() > before.size() ? before : now;
  const bool typed =
      !shorter.isEmpty() && longer.size() == shorter.size() + 1 && longer.startsWith(shorter);
  field.setProperty(kShown, now);
  field.setProperty(kReplaced, !typed);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&field);
  if (iface == nullptr) return;
  const auto end = static_cast<int>(shorter.size());
  // A new text is told as inserted only: readers take the removal of a text they had as
  // selected for the user's deleting it, and say so instead of the new text.
  if (!typed)
    Announce(TPresented<QAccessibleTextInsertEvent>(iface, 0, now));
  else if (now.size() > before.size())
    Announce(TPresented<QAccessibleTextInsertEvent>(iface, end, now.mid(end)));
  else
    Announce(TPresented<QAccessibleTextRemoveEvent>(iface, end, before.mid(end)));
#ifdef Q_OS_WIN
  // UI Automation announces the value of the focused element; AT-SPI has the text alone.
  Announce(QAccessibleValueChangeEvent(iface, now));
#endif
}

}  // namespace

void InstallAccessibleComponents() {
  QAccessible::installFactory(ComponentInterface);
  const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(PassOnToReaders);
  if (before != &PassOnToReaders) passOnTo = before;
}

void PresentDisplayThrough(QWidget& field, TLabel& display) {
  field.setProperty(kPresents, display.objectName());
  field.setProperty(kShown, Spoken(display));
  field.setProperty(kReplaced, true);
  display.setProperty(kPresentedBy, field.objectName());
  // Qt keeps the first interface it made for an object: a field built while a reader
  // listened already has the plain field's.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&field);
  if (made != nullptr && dynamic_cast<TAccessiblePresentingField*>(made) == nullptr)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void SetAccessibleText(QObject& object, const QString& name, const QString& description) {
  if (!name.isEmpty()) object.setProperty(kName, name);
  if (!description.isEmpty()) object.setProperty(kDescription, description);
}

void SetAccessibleKeys(QObject& object, const QString& keys) {
  if (!keys.isEmpty()) object.setProperty(kKeys, keys);
}

void AnnounceCaptionChange(TLabel& label) {
  Announce(QAccessibleEvent(&label, QAccessible::NameChanged));
  if (QWidget* field = Named(label, kPresentedBy)) PresentChange(*field, Spoken(label));
}

}  // namespace numora
