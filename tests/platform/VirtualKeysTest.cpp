#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "Application.h"
#include "VirtualKeys.h"

using numora::VirtualKeyOf;

class VirtualKeysTest : public QObject {
  Q_OBJECT
 private slots:
  void keys_map_to_the_physical_key_codes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    const int kp = Qt::KeypadModifier, sh = Qt::ShiftModifier;
    QTest::newRow("digit 0") << int(Qt::Key_0) << 0 << 48;
    QTest::newRow("digit 9") << int(Qt::Key_9) << 0 << 57;
    QTest::newRow("shift 8 is still 8") << int(Qt::Key_Asterisk) << sh << 56;
    QTest::newRow("shift 1 is still 1") << int(Qt::Key_Exclam) << sh << 49;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << kp << 96;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << kp << 105;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << kp << 106;
    QTest::newRow("keypad +") << int(Qt::Key_Plus) << kp << 107;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << kp << 109;
    QTest::newRow("keypad decimal") << int(Qt::Key_Period) << kp << 110;
    QTest::newRow("keypad decimal on a comma layout") << int(Qt::Key_Comma) << kp << 110;
    QTest::newRow("keypad /") << int(Qt::Key_Slash) << kp << 111;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << kp << 13;
    QTest::newRow("main Enter") << int(Qt::Key_Return) << 0 << 13;
    QTest::newRow("main + has no engine code") << int(Qt::Key_Plus) << sh << 187;
    QTest::newRow("main - has no engine code") << int(Qt::Key_Minus) << 0 << 189;
    QTest::newRow("main comma") << int(Qt::Key_Comma) << 0 << 188;
    QTest::newRow("main period") << int(Qt::Key_Period) << 0 << 190;
    QTest::newRow("main slash") << int(Qt::Key_Slash) << 0 << 191;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << 8;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << 27;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << 46;
    QTest::newRow("letter A") << int(Qt::Key_A) << 0 << 65;
    QTest::newRow("F9") << int(Qt::Key_F9) << 0 << 120;
    QTest::newRow("main End") << int(Qt::Key_End) << 0 << 35;
    QTest::newRow("keypad 1 with NumLock off") << int(Qt::Key_End) << kp << 97;
    QTest::newRow("keypad 5 with NumLock off") << int(Qt::Key_Clear) << kp << 101;
    QTest::newRow("keypad 0 with NumLock off") << int(Qt::Key_Insert) << kp << 96;
    QTest::newRow("keypad 9 with NumLock off") << int(Qt::Key_PageUp) << kp << 105;
    QTest::newRow("keypad decimal with NumLock off") << int(Qt::Key_Delete) << kp << 110;
  }
  void keys_map_to_the_physical_key_codes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(VirtualKeyOf(event)), code);
  }

  void strokes_type_the_characters_the_calculator_takes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("keypadDigits");  // a field for numbers
    QTest::addColumn<int>("character");
    const int kp = Qt::KeypadModifier, ctrl = Qt::ControlModifier;
    const auto row = [](const char* name, int key, int modifiers, const char* text, int character,
                        bool keypadDigits = true) {
      QTest::newRow(name) << key << modifiers << QString::fromUtf8(text) << keypadDigits
                          << character;
    };
    row("a digit", Qt::Key_7, 0, "7", '7');
    row("Enter", Qt::Key_Return, 0, "", 13);
    row("Ctrl+M its control character", Qt::Key_M, ctrl, "\r", 13);
    row("keypad 1 with NumLock off", Qt::Key_End, kp, "", '1');
    row("keypad decimal with NumLock off", Qt::Key_Delete, kp, "\x7f", ',');
    row("keypad End in a field not for numbers", Qt::Key_End, kp, "", 0, false);
    row("main Delete", Qt::Key_Delete, 0, "\x7f", 127);
    row("main Home", Qt::Key_Home, 0, "", 0);
    row("a dead circumflex", Qt::Key_Dead_Circumflex, 0, "", '^');
    row("beyond ASCII", Qt::Key_Adiaeresis, 0, "ä", '?');
  }
  void strokes_type_the_characters_the_calculator_takes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, keypadDigits);
    QFETCH(int, character);
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(int(numora::CharacterOf(event, keypadDigits)), character);
  }

  // Handlers bound by the builder are guarded one by one; anything else that throws inside
  // the event loop is caught by the application itself.
  void a_fault_leaving_any_event_handler_reaches_the_fault_report() {
    std::vector<std::string> reported;
    numora::TApplication::Instance().SetFaultSink(
        [&](const std::string& text) { reported.push_back(text); });
    QObject target;
    QTimer::singleShot(0, &target, [] { throw std::runtime_error("Overflow"); });
    QTest::qWait(20);
    QCOMPARE(reported, std::vector<std::string>{"Overflow"});
  }

  // The hidden windows wait until the main window is on the screen; a menu that needs one
  // sooner builds it at once. Each build runs once either way.
  void deferred_builds_run_once_after_the_first_paint_or_sooner_when_asked() {
    class TPaintCounter : public QWidget {
     public:
      int paints = 0;
      void paintEvent(QPaintEvent*) override { ++paints; }
    } mainForm;
    auto& application = numora::TApplication::Instance();
    application.RegisterForm(&mainForm);
    std::vector<int> paintsSeenByBuilds;
    application.BuildAfterFirstPaint([&] {
      paintsSeenByBuilds.push_back(mainForm.paints);
      QTimer::singleShot(0, &application, [] { numora::TApplication::exit(0); });
    });
    QTimer watchdog;  // a loop that never ends must not hang the test
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { numora::TApplication::exit(1); });
    watchdog.start(5000);
    QCOMPARE(application.Run(), 0);
    QCOMPARE(paintsSeenByBuilds.size(), size_t{1});
    QVERIFY(paintsSeenByBuilds[0] >= 1);
    application.FinishDeferredBuilds();
    QCOMPARE(paintsSeenByBuilds.size(), size_t{1});

    int built = 0;
    application.BuildAfterFirstPaint([&] { ++built; });
    application.FinishDeferredBuilds();
    application.FinishDeferredBuilds();
    QCOMPARE(built, 1);
  }

  // A handler of a box closes it, asks for it twice and waits in a loop of its own, as a
  // menu entry chosen from inside the box would: nothing is posted for the box while it
  // waits or while the box is open again, and the box shows once more, once.
  void a_box_asked_for_while_its_showing_unwinds_shows_once_when_that_showing_returns() {
    class TBoxEvents : public QObject {
     public:
      int shows = 0;
      int wakeUps = 0;  // timer and queued calls: what a request asking again would cost
      std::function<void()> onSecondShow;
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer || event->type() == QEvent::MetaCall) ++wakeUps;
        if (event->type() == QEvent::Show && ++shows == 2)
          QTimer::singleShot(0, this, [this] { onSecondShow(); });
        return false;
      }
    } events;
    auto& application = numora::TApplication::Instance();
    QDialog box;
    box.installEventFilter(&events);
    auto wakeUpsWhile = [&](const std::function<void()>& run) {
      const int before = events.wakeUps;
      run();
      return events.wakeUps - before;
    };
    auto ownLoop = [] {
      QEventLoop loop;
      QTimer::singleShot(200, &loop, &QEventLoop::quit);
      loop.exec();
    };
    int whileUnwinding = -1, whileOpenAgain = -1;
    QTimer::singleShot(0, &events, [&] {  // a handler inside the first showing
      box.reject();
      whileUnwinding = wakeUpsWhile([&] {
        application.ShowModal(box);
        application.ShowModal(box);
        ownLoop();
      });
    });
    events.onSecondShow = [&] {
      whileOpenAgain = wakeUpsWhile(ownLoop);
      box.reject();
    };
    bool watchdogFired = false;  // a box that keeps coming back must not hang the test
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [&] {
      watchdogFired = true;
      box.reject();
    });
    watchdog.start(3000);
    application.ShowModal(box);
    QTRY_VERIFY(whileOpenAgain >= 0);
    QCOMPARE(whileUnwinding, 0);
    QCOMPARE(whileOpenAgain, 0);
    QTRY_VERIFY(!box.isVisible());
    QTest::qWait(100);
    QCOMPARE(events.shows, 2);
    QVERIFY(!watchdogFired);
  }
};

int main(int argc, char** argv) {
  numora::TApplication app(argc, argv);
  VirtualKeysTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "VirtualKeysTest.moc"
