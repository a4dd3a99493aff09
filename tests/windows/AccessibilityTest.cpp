// What a screen reader finds in both calculator windows, through QAccessible.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QMenuBar>
#include <QtTest>

#include "Application.h"
#include "Calculator.h"
#include "Components.h"
#include "SciCalc.h"

using namespace numora;

namespace {

class TSilentHost : public TEngineHost {
 public:
  void Beep() override {}
  void ShowMessage(const std::string&) override {}
};

struct TSeenEvent {
  QAccessible::Event type;
  QObject* object;
  QVariant value;
};
std::vector<TSeenEvent> seenEvents;  // the update handler is a plain function
void Catch(QAccessibleEvent* e) {
  const bool value = e->type() == QAccessible::ValueChanged;
  seenEvents.push_back(
      {e->type(), e->object(),
       value ? static_cast<QAccessibleValueChangeEvent*>(e)->value() : QVariant()});
}

QString Text(QObject* object, QAccessible::Text t) {
  return QAccessible::queryAccessibleInterface(object)->text(t);
}
// Words only: what a key shows ("--", "1/x", "x^2") is no name.
void VerifySpoken(QAccessibleInterface* item, const QString& what) {
  const QString name = item->text(QAccessible::Name);
  QVERIFY2(QRegularExpression("^[A-Z][a-z]*( [A-Za-z][a-z]*)*$").match(name).hasMatch(),
           qPrintable(what + " is named \"" + name + "\""));
  QVERIFY2(!item->text(QAccessible::Description).isEmpty(), qPrintable(what));
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
  TSilentHost host_;
  TCalculatorEngine engine_{host_};
  std::unique_ptr<TCalculatorForm> form_;
  QWidget* Key(QWidget* window, const char* name) { return window->findChild<QWidget*>(name); }

 private slots:
  // As a screen reader does on connecting: without it Qt passes no accessibility events on.
  void initTestCase() {
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform != nullptr);
    platform->setActive(true);
  }
  void init() {
    form_ = std::make_unique<TCalculatorForm>(engine_);
    CalculatorForm = form_.get();
    form_->findChild<QAction*>("Bilimsel1")->trigger();
  }
  void cleanup() { form_.reset(); }

  void everyKeyOfBothWindowsIsAButtonNamedInWords() {
    for (auto [window, keys] : {std::pair<QWidget*, int>{form_.get(), 27}, {SciCalcForm, 38}}) {
      int found = 0;
      for (QWidget* child : window->findChildren<QWidget*>()) {
        if (dynamic_cast<TSpeedButton*>(child) == nullptr) continue;
        ++found;
        QAccessibleInterface* key = QAccessible::queryAccessibleInterface(child);
        QCOMPARE(key->role(), QAccessible::Button);
        VerifySpoken(key, child->objectName());
        QVERIFY(key->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
      }
      QCOMPARE(found, keys);
    }
    for (auto [key, name] : {std::pair{"PlusButton", "Plus"},
                             {"SevenButton", "Seven"},
                             {"RootButton", "Square root"},
                             {"MemPlusBtn", "Memory add"},
                             {"MinusButton", "Minus"},
                             {"AdverseButton", "Reciprocal"}})
      QCOMPARE(Text(Key(SciCalcForm, key), QAccessible::Name), QString(name));
    QCOMPARE(Text(Key(SciCalcForm, "FactorButton"), QAccessible::Name), QString("Factorial"));
  }

  void pressingAKeyThroughItsInterfaceClicksIt() {
    for (const char* key : {"SevenButton", "PlusButton", "TwoButton", "EqualButton"})
      QAccessible::queryAccessibleInterface(Key(SciCalcForm, key))
          ->actionInterface()
          ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(SciCalcForm->findChild<TLabel*>("CalcEdit")->Caption(), QString("9"));
  }

  void displayIsNamedByItsNumberAndAnnouncesOnlyChanges() {
    auto* display = SciCalcForm->findChild<TLabel*>("CalcEdit");
    QAccessible::installUpdateHandler(Catch);
    seenEvents.clear();
    for (const char* key : {"ZeroButton", "CommaButton", "FiveButton"})
      QTest::mouseClick(Key(SciCalcForm, key), Qt::LeftButton, {}, QPoint(5, 5));
    QAccessible::installUpdateHandler(nullptr);
    std::vector<QVariant> values;  // "0" → "0" changes nothing and says nothing
    for (const TSeenEvent& e : seenEvents)
      if (e.object == display && e.type == QAccessible::ValueChanged) values.push_back(e.value);
    QCOMPARE(values, (std::vector<QVariant>{QString("0,"), QString("0,5")}));
    QCOMPARE(Text(display, QAccessible::Name), QString("0,5"));
    QCOMPARE(QAccessible::queryAccessibleInterface(display)->role(), QAccessible::StaticText);
    QVERIFY(!Text(display, QAccessible::Description).isEmpty());
  }

  void everyMenuEntryOfBothWindowsIsNamedInWords() {
    for (QMainWindow* window :
         {static_cast<QMainWindow*>(form_.get()), static_cast<QMainWindow*>(SciCalcForm)}) {
      QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window->menuBar());
      QStringList names;
      for (int i = 0; i < bar->childCount(); ++i) {
        QAccessibleInterface* entry = bar->child(i);
        VerifySpoken(entry, entry->text(QAccessible::Name));
        names << entry->text(QAccessible::Name);
        QAccessibleInterface* menu = entry->child(0);
        for (int j = 0; j < menu->childCount(); ++j) {
          VerifySpoken(menu->child(j), menu->child(j)->text(QAccessible::Name));
          names << menu->child(j)->text(QAccessible::Name);
          QCOMPARE(menu->child(j)->parent(), menu);
        }
      }
      QCOMPARE(names.size(), 9);
      QVERIFY(names.contains("Standard") && names.contains("Copy") && names.contains("Paste"));
    }
    // Copy through the entry's press action: what a screen reader user would do.
    QTest::mouseClick(Key(SciCalcForm, "SevenButton"), Qt::LeftButton, {}, QPoint(5, 5));
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(SciCalcForm->menuBar());
    edit->child(0)->child(0)->child(0)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("7"));
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  AccessibilityTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "AccessibilityTest.moc"
