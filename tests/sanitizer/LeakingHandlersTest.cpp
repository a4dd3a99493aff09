// A widget whose key and mouse handlers each lose an allocation, driven through the platform's
// window-system queue as real input is, so that the GUI library's event dispatch lies under the
// handlers on the allocating stack. The leak checker must name both handlers at exit: a
// suppression that matched the GUI library anywhere on a stack would hide them.
#include <QTest>
#include <QWidget>

namespace {

class TLeakingHandlers : public QWidget {
 public:
  int Handled = 0;

 protected:
  // Odd sizes tell the two leaks apart in the report; the volatile store keeps the allocation.
  void keyPressEvent(QKeyEvent*) override { Lose(new char[4321]); }
  void mousePressEvent(QMouseEvent*) override { Lose(new char[1234]); }

 private:
  void Lose(char* block) {
    volatile char* kept = block;
    kept[0] = 1;
    ++Handled;
  }
};

class TLeakingHandlersTest : public QObject {
  Q_OBJECT
 private slots:
  void KeyAndMouseReachTheHandlers() {
    TLeakingHandlers widget;
    widget.setFocusPolicy(Qt::StrongFocus);
    widget.resize(100, 100);
    widget.show();
    widget.activateWindow();
    widget.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&widget));
    QTest::keyClick(widget.windowHandle(), Qt::Key_A);
    QTest::mouseClick(widget.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(widget.Handled, 2);
  }
};

}  // namespace

QTEST_MAIN(TLeakingHandlersTest)
#include "LeakingHandlersTest.moc"
