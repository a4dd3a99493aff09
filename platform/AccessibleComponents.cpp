#include "AccessibleComponents.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "Components.h"
#include "DescriptionValues.h"

namespace numora {
namespace {

// Widgets keep these as properties of their own; menu entries carry them as dynamic ones.
constexpr const char* kName = "accessibleName";
constexpr const char* kDescription = "accessibleDescription";
constexpr const char* kKeys = "numoraKeyboardKeys";

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
    const QString caption = static_cast<TLabel*>(widget())->Caption().remove(QLatin1Char('&'));
    if (t == QAccessible::Value) return caption;
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return caption;
    return QAccessibleWidget::text(t);
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
        return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
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
  QStringList keyBindingsForAction(const QString&) const override {
    const QString key = text(QAccessible::Accelerator);
    return key.isEmpty() ? QStringList() : QStringList{key};
  }

 private:
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
  } else if (className == QLatin1String("QAction")) {
    auto* action = static_cast<QAction*>(object);
    if (QWidget* owner = MenuOwner(*action)) return new TAccessibleMenuEntry(action, owner);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleComponents() { QAccessible::installFactory(ComponentInterface); }

void SetAccessibleText(QObject& object, const QString& name, const QString& description) {
  if (!name.isEmpty()) object.setProperty(kName, name);
  if (!description.isEmpty()) object.setProperty(kDescription, description);
}

void SetAccessibleKeys(QObject& object, const QString& keys) {
  if (!keys.isEmpty()) object.setProperty(kKeys, keys);
}

void AnnounceCaptionChange(TLabel& label) {
  QAccessibleEvent nameChanged(&label, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&nameChanged);
  QAccessibleValueChangeEvent valueChanged(&label, label.Caption());
  QAccessible::updateAccessibility(&valueChanged);
}

}  // namespace numora
