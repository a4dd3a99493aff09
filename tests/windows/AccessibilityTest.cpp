// What a screen reader finds in both calculator windows, through QAccessible.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <QClipboard>
#include <QMenuBar>
#include <QtTest>
#include <map>

#include "AccessibleComponents.h"
#include "Application.h"
#include "Calculator.h"
#include "HeadlessCalculator.h"
#include "SciCalc.h"

using namespace numora;

namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// The update handler is a plain function: what reaches the readers from the display and the
// field that presents it goes here, the field's text changes as "+3@0" (inserted at 0) or
// "-2@1" (removed at 1).
QStringList announced;
void Catch(QAccessibleEvent* e) {
  const QString name = e->object() != nullptr ? e->object()->objectName() : QString();
  if (name == "CalcEdit" && e->type() == QAccessible::NameChanged)
    announced << "name " + Of(e->object())->text(QAccessible::Name);
  if (name != "Edit1") return;
  if (e->type() == QAccessible::TextInserted) {
    auto* inserted = static_cast<QAccessibleTextInsertEvent*>(e);
    announced << QString("+%1@%2").arg(inserted->textInserted()).arg(inserted->changePosition());
  } else if (e->type() == QAccessible::TextRemoved) {
    auto* removed = static_cast<QAccessibleTextRemoveEvent*>(e);
    announced << QString("-%1@%2").arg(removed->textRemoved()).arg(removed->changePosition());
  } else if (e->type() == QAccessible::TextUpdated || e->type() == QAccessible::TextCaretMoved ||
             e->type() == QAccessible::TextSelectionChanged) {
    announced << "the field's own text event";
  }
}

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

  // Each step: a key clicked by its component name, or keys typed into Edit1 ("type:1+2=").
  void theFocusedFieldSpeaksTheDisplayAndEachNewTextReadsAsSelected_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("typed 1+2= ends with the result, the field's own text unheard")
        << QStringList{"type:1+2="} << "3" << true
        << QStringList{"name 1", "+1@0", "name 2", "+2@0", "name 3", "+3@0"};
    QTest::newRow("digits typed onto a number and Back read as typing")
        << QStringList{"type:12", "type:\b"} << "1" << false
        << QStringList{"name 1", "+1@0", "name 12", "+2@1", "name 1", "-2@1"};
    QTest::newRow("clicked 7 * 6 = ends with 42")
        << QStringList{"SevenButton", "MultiplyButton", "SixButton", "EqualButton"} << "42" << true
        << QStringList{"name 7", "+7@0", "name 6", "+6@0", "name 42", "+42@0"};
    QTest::newRow("Escape after a number tells 0")
        << QStringList{"NineButton", "type:\x1b"} << "0" << true
        << QStringList{"name 9", "+9@0", "name 0", "+0@0"};
    QTest::newRow("MR after M+ and CE tells the memory")
        << QStringList{"NineButton", "MemPlusBtn", "ClearButton", "MemButton"} << "9" << true
        << QStringList{"name 9", "+9@0", "name 0", "+0@0", "name 9", "+9@0"};
    QTest::newRow("a sign put before the number reads as a new text")
        << QStringList{"FiveButton", "SignButton"} << "-5" << true
        << QStringList{"name 5", "+5@0", "name -5", "+-5@0"};
  }
  void theFocusedFieldSpeaksTheDisplayAndEachNewTextReadsAsSelected() {
    QFETCH(QStringList, steps);
    auto* edit1 = static_cast<QWidget*>(Named("Edit1"));
    QCOMPARE(SciCalcForm->focusWidget(), edit1);
    QAccessibleInterface* field = Of(edit1);
    QCOMPARE(field->text(QAccessible::Value), QString("0"));
    // Recorded behind the program's own handler, as the readers get it.
    QAccessible::installUpdateHandler(Catch);
    InstallAccessibleComponents();
    announced.clear();
    for (const QString& step : steps) {
      if (step.startsWith("type:")) {
        QTest::keyClicks(edit1, step.mid(5));
      } else {
        QTest::mouseClick(static_cast<QWidget*>(Named(qPrintable(step))), Qt::LeftButton, {},
                          QPoint(5, 5));
      }
    }
    QAccessible::installUpdateHandler(nullptr);
    QFETCH(QStringList, told);
    QCOMPARE(announced, told);
    QFETCH(QString, shown);
    QCOMPARE(field->text(QAccessible::Value), shown);
    QAccessibleTextInterface* text = field->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, -1), shown);
    QCOMPARE(text->cursorPosition(), shown.size());
    QFETCH(bool, selected);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(text->selectionCount(), selected ? 1 : 0);
    QCOMPARE(end - start, selected ? shown.size() : 0);
    // The field keeps its own words; the display keeps its name, the number it shows.
    QCOMPARE(field->text(QAccessible::Name), QString("Keyboard input"));
    QCOMPARE(Of(Named("CalcEdit"))->text(QAccessible::Name), shown);
    QVERIFY(!Of(Named("CalcEdit"))->text(QAccessible::Description).isEmpty());
  }

  // Every key's key bindings are the keyboard keys the key table gives it (letters as their
  // key caps show them, then a key stroke such as F9 or Ctrl+M), so keys that get keyboard
  // keys there read them without more.
  void everyKeyBindsTheKeyboardKeysOfTheKeyTable() {
    const std::map<char, QString> spoken{
        {'\r', "Enter"}, {'\b', "Backspace"}, {'\x1b', "Escape"}, {'\x7f', "Delete"}};
    int withKeys = 0;
    for (const TCalculatorKey& key : CalculatorKeys()) {
      QStringList wanted;
      for (char c : key.Typed)
        wanted << (spoken.count(c) != 0 ? spoken.at(c) : QString(QChar(c)).toUpper());
      if (key.Stroke.Code != 0) wanted << QString::fromStdString(StrokeName(key.Stroke));
      QAccessibleInterface* button = Of(Named(std::string(key.Component).c_str()));
      QVERIFY2(button != nullptr, std::string(key.Component).c_str());
      const QStringList bound = button->actionInterface()->keyBindingsForAction(
          QAccessibleActionInterface::pressAction());
      QCOMPARE(bound, wanted);
      withKeys += wanted.isEmpty() ? 0 : 1;
    }
    QVERIFY(withKeys >= 17);  // the digits, the four operators, =, the comma, Back and CE
  }

  void menuEntriesGiveTheirShortcutElseTheirMnemonic_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("accelerator");
    QTest::addColumn<QStringList>("bindings");
    QTest::newRow("Copy") << "Kopyala1"
                          << "Ctrl+C" << QStringList{"Alt+C", "", "Ctrl+C"};
    QTest::newRow("Paste") << "Yaptr1"
                           << "Ctrl+V" << QStringList{"Alt+P", "", "Ctrl+V"};
    QTest::newRow("Standard, without a shortcut") << "Standart1"
                                                  << "Alt+S" << QStringList{"Alt+S"};
    QTest::newRow("About, without a shortcut") << "Hakknda1"
                                               << "Alt+A" << QStringList{"Alt+A"};
  }
  void menuEntriesGiveTheirShortcutElseTheirMnemonic() {
    QFETCH(QString, entry);
    QAccessibleInterface* item = Of(Named(qPrintable(entry)));
    QVERIFY(item != nullptr);
    QFETCH(QString, accelerator);
    QCOMPARE(item->text(QAccessible::Accelerator), accelerator);
    QFETCH(QStringList, bindings);
    QCOMPARE(
        item->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
        bindings);
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
