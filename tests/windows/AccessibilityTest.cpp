// What a screen reader finds in both calculator windows, through QAccessible.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <QClipboard>
#include <QMenuBar>
#include <QtTest>

#include "Application.h"
#include "Calculator.h"
#include "HeadlessCalculator.h"
#include "SciCalc.h"

using namespace numora;

namespace {

// The update handler is a plain function: what it hears from a display goes here.
QVariantList announced;
void Catch(QAccessibleEvent* e) {
  if (e->type() == QAccessible::ValueChanged && e->object()->objectName() == "CalcEdit")
    announced << static_cast<QAccessibleValueChangeEvent*>(e)->value();
}

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
// Words only: what a key shows ("--", "1/x", "x^2") is no name.
void VerifySpoken(QAccessibleInterface* item, QAccessible::Role role, QStringList& names) {
  names << item->text(QAccessible::Name);
  QCOMPARE(item->role(), role);
  QVERIFY2(QRegularExpression("^[A-Z][a-z]*( [A-Za-z][a-z]*)*$").match(names.back()).hasMatch() &&
               !item->text(QAccessible::Description).isEmpty(),
           qPrintable(item->object()->objectName() + " is \"" + names.back() + "\""));
}
void VerifyEntries(QAccessibleInterface* item, QStringList& names) {
  for (int i = 0; i < item->childCount(); ++i) {
    if (item->child(i)->role() == QAccessible::MenuItem)
      VerifySpoken(item->child(i), QAccessible::MenuItem, names);
    VerifyEntries(item->child(i), names);
  }
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
  TRecordingHost host_;
  TCalculatorEngine engine_{host_};
  std::unique_ptr<TCalculatorForm> form_;
  QObject* Named(const char* name) { return SciCalcForm->findChild<QObject*>(name); }

 private slots:
  void init() {
    // As a screen reader does on connecting: without it Qt passes no accessibility events on.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    form_ = std::make_unique<TCalculatorForm>(engine_);
    form_->findChild<QAction*>("Bilimsel1")->trigger();
  }

  void everyKeyOfBothWindowsIsAButtonNamedInWords() {
    for (auto [window, keys] : {std::pair<QWidget*, int>{form_.get(), 27}, {SciCalcForm, 38}}) {
      QStringList names;
      for (QWidget* child : window->findChildren<QWidget*>())
        if (dynamic_cast<TSpeedButton*>(child) != nullptr)
          VerifySpoken(Of(child), QAccessible::Button, names);
      QCOMPARE(names.size(), keys);
    }
    QStringList names;
    for (const char* key : {"PlusButton", "SevenButton", "RootButton", "MemPlusBtn", "PiBtn"})
      names << Of(Named(key))->text(QAccessible::Name);
    QCOMPARE(names, QStringList({"Plus", "Seven", "Square root", "Memory add", "Pi"}));
    // The keyboard keys that press a key are its accelerator, as the keyboard takes them.
    QStringList keys;
    for (const char* key : {"EqualButton", "MultiplyButton", "ClearButton", "BackButton", "PiBtn",
                            "xUPyButton", "SignButton", "SpeedButton22", "ClearAllButton"})
      keys << Of(Named(key))->text(QAccessible::Accelerator);
    QCOMPARE(keys, QStringList({"= or Enter", "*", "Escape or Delete", "Backspace", "P", "Y or ^",
                                "F9", "Ctrl+M", "Ctrl+Delete"}));
  }

  void displayIsNamedByItsNumberAndAnnouncesEachChange() {
    QObject* display = SciCalcForm->findChild<TLabel*>("CalcEdit");
    QAccessible::installUpdateHandler(Catch);
    for (const char* key : {"ZeroButton", "CommaButton", "FiveButton"})
      QTest::mouseClick(static_cast<QWidget*>(Named(key)), Qt::LeftButton, {}, QPoint(5, 5));
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(announced, QVariantList({"0,", "0,5"}));  // "0" stays "0": nothing to say
    QCOMPARE(Of(display)->text(QAccessible::Name), QString("0,5"));
    QVERIFY(!Of(display)->text(QAccessible::Description).isEmpty());
  }

  void everyMenuEntryIsNamedInWordsAndEntriesAndKeysPress() {
    for (QMainWindow* window : std::initializer_list<QMainWindow*>{form_.get(), SciCalcForm}) {
      QStringList names;
      VerifyEntries(Of(window->menuBar()), names);
      QCOMPARE(names.size(), 9);
      QVERIFY(names.contains("Standard") && names.contains("Copy") && names.contains("Paste"));
    }
    for (QObject* item : {Named("SevenButton"), Named("Kopyala1")})
      Of(item)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("7"));
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  AccessibilityTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "AccessibilityTest.moc"
