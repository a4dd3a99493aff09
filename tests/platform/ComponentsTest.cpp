#include <QTest>

#include "Application.h"
#include "Components.h"

using namespace numora;

class ComponentsTest : public QObject {
  Q_OBJECT
 private slots:
  void a_key_fires_on_release_over_it_and_never_takes_the_focus() {
    QWidget window;
    TPanel panel(&window);
    panel.setGeometry(0, 0, 200, 100);
    TSpeedButton key(&panel);
    key.setGeometry(10, 10, 33, 25);
    int clicks = 0;
    key.OnClick = [&](QObject* sender) {
      QCOMPARE(sender, &key);
      ++clicks;
    };
    window.show();
    QTest::mouseClick(&key, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks, 1);
    QTest::mousePress(&key, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&key, Qt::LeftButton, {}, QPoint(60, 60));  // released elsewhere
    QCOMPARE(clicks, 1);
    QCOMPARE(key.focusPolicy(), Qt::NoFocus);
  }

  void mouse_moves_over_a_key_stay_with_the_key() {
    QWidget window;
    TPanel panel(&window);
    panel.setGeometry(0, 0, 200, 100);
    TSpeedButton key(&panel);
    key.setGeometry(10, 10, 33, 25);
    QPoint seen(-1, -1);
    panel.OnMouseMove = [&](QObject*, int x, int y) { seen = QPoint(x, y); };
    window.show();
    QTest::mouseMove(&panel, QPoint(100, 70));
    QCOMPARE(seen, QPoint(100, 70));
    QTest::mouseMove(&key, QPoint(5, 5));
    QCOMPARE(seen, QPoint(100, 70));
  }

  void the_edit_filter_discards_characters_set_to_null_and_gets_virtual_key_codes() {
    TEdit edit(nullptr);
    std::vector<int> codes;
    edit.OnKeyDown = [&](QObject*, std::uint16_t& key) { codes.push_back(key); };
    edit.OnKeyPress = [](QObject*, char& ch) {
      if (!(ch >= '0' && ch <= '9')) ch = 0;
    };
    edit.show();
    QTest::keyClicks(&edit, "1a2");
    QTest::keyClick(&edit, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(edit.text(), QString("12"));
    QCOMPARE(codes, (std::vector<int>{49, 65, 50, 107}));
  }

  void a_right_aligned_label_keeps_its_last_characters_in_view() {
    TLabel label(nullptr);
    label.setGeometry(0, 0, 60, 24);
    label.alignment = Qt::AlignRight;
    label.color = Qt::white;
    label.fontColor = Qt::black;
    label.SetCaption("1234567890123456789012345678901234567890X");
    QImage shot = label.grab().toImage();
    QCOMPARE(shot.size(), QSize(60, 24));
    // Ink reaches the right edge region (the final "X"), i.e. the text was not cut there.
    bool inkNearRight = false;
    for (int y = 0; y < 24; ++y)
      for (int x = 50; x < 60; ++x) inkNearRight |= qGray(shot.pixel(x, y)) < 128;
    QVERIFY(inkNearRight);
  }

  void status_bar_panels_start_empty_and_take_texts_by_index() {
    TStatusBar bar(nullptr);
    bar.SetPanelWidths({100, 100, 100});
    QCOMPARE(bar.PanelCount(), 3);
    QCOMPARE(bar.PanelText(2), QString());
    bar.SetPanelText(2, "Mouse 0 0");
    QCOMPARE(bar.PanelText(2), QString("Mouse 0 0"));
  }
};

int main(int argc, char** argv) {
  numora::TApplication app(argc, argv);
  ComponentsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ComponentsTest.moc"
