// Every text of the standard window, the About box and the drawer stays legible whatever the
// desktop's palette: rendered under the style's light palette, a dark one and a high-contrast
// one, no label, key or field reads worse than under the light palette, unless it still reaches
// the 4.5:1 contrast that readable text needs. The contrast is measured on the rendered pixels:
// the text's background is the commonest colour of its rectangle, its ink the pixel that stands
// out most from that background.
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>
#include <cmath>
#include <map>
#include <memory>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "Components.h"
#include "Draw.h"
#include "Engine.h"
#include "jpeg.h"

using namespace numora;

namespace {

class TSilentHost : public TEngineHost {
 public:
  void Beep() override {}
  void ShowMessage(const std::string&) override {}
};

double Luminance(QRgb rgb) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

// The contrast ratio of two colours, 1 to 21.
double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette() {
  QPalette p;
  const QColor face(53, 53, 53), field(35, 35, 35), text(230, 230, 230);
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
    p.setColor(role, face);
  p.setColor(QPalette::Base, field);
  for (auto role :
       {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::BrightText})
    p.setColor(role, text);
  p.setColor(QPalette::ToolTipBase, QColor(25, 25, 25));
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Light, QColor(75, 75, 75));
  p.setColor(QPalette::Midlight, QColor(64, 64, 64));
  p.setColor(QPalette::Mid, QColor(40, 40, 40));
  p.setColor(QPalette::Dark, QColor(30, 30, 30));
  p.setColor(QPalette::Shadow, QColor(10, 10, 10));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::black);
  return p;
}

QPalette HighContrastPalette() {
  QPalette p;
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::AlternateBase,
                    QPalette::ToolTipBase, QPalette::Dark, QPalette::Shadow, QPalette::Mid})
    p.setColor(role, Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::ToolTipText,
                    QPalette::Light, QPalette::Midlight, QPalette::BrightText})
    p.setColor(role, Qt::white);
  p.setColor(QPalette::Text, Qt::yellow);
  p.setColor(QPalette::Highlight, Qt::cyan);
  p.setColor(QPalette::HighlightedText, Qt::black);
  return p;
}

// The part of a widget that shows on its window, in window coordinates; empty when a parent
// hides it.
QRect ShownRect(const QWidget& widget) {
  QRect shown = widget.rect().translated(widget.mapTo(widget.window(), QPoint(0, 0)));
  for (const QWidget* w = widget.parentWidget(); w != nullptr && !w->isWindow();
       w = w->parentWidget())
    shown &= w->rect().translated(w->mapTo(w->window(), QPoint(0, 0)));
  return shown & widget.window()->rect();
}

bool ShowsText(const QWidget& w) {
  if (!w.isVisibleTo(w.window())) return false;
  if (auto* label = dynamic_cast<const TLabel*>(&w)) return !label->Caption().isEmpty();
  if (auto* key = dynamic_cast<const TSpeedButton*>(&w)) return !key->Caption().isEmpty();
  if (auto* bar = dynamic_cast<const TStatusBar*>(&w)) return bar->PanelCount() > 0;
  if (auto* field = dynamic_cast<const QLineEdit*>(&w)) return !field->text().isEmpty();
  if (auto* button = dynamic_cast<const QPushButton*>(&w)) return !button->text().isEmpty();
  return false;
}

// Where the text lies: inside the bevels, frames and cell borders of its component.
QRect TextArea(const QWidget& w) {
  if (dynamic_cast<const TStatusBar*>(&w)) return QRect(4, 4, 90, w.height() - 6);
  return w.rect().adjusted(4, 3, -4, -3);
}

double MeasuredContrast(const QImage& shot, const QWidget& w) {
  const QRect area = TextArea(w).translated(w.mapTo(w.window(), QPoint(0, 0))) & ShownRect(w);
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[shot.pixel(x, y) | 0xff000000u];
  if (counts.empty()) return 0;
  QRgb background = counts.begin()->first;
  for (const auto& [colour, count] : counts)
    if (count > counts[background]) background = colour;
  double best = 1;
  for (const auto& [colour, count] : counts) best = std::max(best, Contrast(colour, background));
  return best;
}

struct TPaletteCase {
  const char* name;
  QPalette palette;
};

}  // namespace

class PaletteContrastTest : public QObject {
  Q_OBJECT

  TSilentHost host_;
  std::unique_ptr<TCalculatorEngine> engine_;
  std::unique_ptr<TCalculatorForm> standard_;
  std::unique_ptr<TAboutBox> about_;
  std::unique_ptr<TForm1> drawer_;

  std::vector<QWidget*> Windows() const { return {standard_.get(), about_.get(), drawer_.get()}; }

  // Each shown text of each window, by window and component name, to its contrast.
  // With a name, the windows' pictures go to the build's screenshots, to be looked at.
  std::map<QString, double> Measure(const QPalette& palette, const QString& shotName = {}) {
    QApplication::setPalette(palette);
    for (QWidget* window : Windows()) {
      window->update();
      for (auto* field : window->findChildren<QLineEdit*>()) {
        field->deselect();
        field->clearFocus();  // a blinking cursor is no text
      }
    }
    QTest::qWait(20);
    std::map<QString, double> contrasts;
    for (QWidget* window : Windows()) {
      const QImage shot = window->grab().toImage();
      if (!shotName.isEmpty())
        shot.save(QString(NUMORA_BINARY_DIR "/screenshots/%1-%2.png")
                      .arg(shotName, window->objectName()));
      for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!ShowsText(*w) || ShownRect(*w).isEmpty()) continue;
        const double c = MeasuredContrast(shot, *w);
        if (c > 1.05) contrasts[window->objectName() + "." + w->objectName()] = c;
        if (qEnvironmentVariableIsSet("NUMORA_CONTRASTS"))
          qInfo("%s %s %.2f", qPrintable(shotName),
                qPrintable(window->objectName() + "." + w->objectName()), c);
      }
    }
    return contrasts;
  }

 private slots:
  void initTestCase() {
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    engine_ = std::make_unique<TCalculatorEngine>(host_);
    standard_ = std::make_unique<TCalculatorForm>(*engine_);
    about_ = std::make_unique<TAboutBox>();
    drawer_ = std::make_unique<TForm1>();
    for (QWidget* window : Windows()) {
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    Component<TStatusBar>(*drawer_, "StatusBar1").SetPanelText(0, "w = 12");
    Component<TStatusBar>(*standard_, "StatusBar1").SetPanelText(0, "12:34:56");
  }

  void cleanupTestCase() {
    drawer_.reset();
    about_.reset();
    standard_.reset();
  }

  void no_text_reads_worse_under_a_dark_or_high_contrast_palette_than_under_the_light_one() {
    const auto light = Measure(QApplication::style()->standardPalette());
    QStringList faults;
    // Every kind of text is there to be measured: keys, labels, fields, the status bars, the
    // About box's button.
    for (const char* name :
         {"CalculatorForm.PlusButton", "CalculatorForm.ClearButton", "CalculatorForm.CalcEdit",
          "CalculatorForm.StatusBar1", "AboutBox.OKButton", "AboutBox.ProductName", "Form1.Edit1",
          "Form1.Label1", "Form1.Label4", "Form1.StatusBar1"})
      QVERIFY2(light.count(name) == 1, name);
    for (const TPaletteCase& other : {TPaletteCase{"dark", DarkPalette()},
                                      TPaletteCase{"high-contrast", HighContrastPalette()}}) {
      const auto measured = Measure(other.palette, other.name);
      qInfo("About box's \"&Закрыть\": %.2f:1 under the light palette, %.2f:1 under the %s one",
            light.at("AboutBox.OKButton"),
            measured.count("AboutBox.OKButton") ? measured.at("AboutBox.OKButton") : 1.0,
            other.name);
      for (const auto& [name, lightContrast] : light) {
        const double contrast = measured.count(name) ? measured.at(name) : 1.0;
        if (contrast < std::min(lightContrast, 4.5) - 0.05)
          faults << QString("%1 under the %2 palette: %3:1, under the light one %4:1")
                        .arg(name, other.name)
                        .arg(contrast, 0, 'f', 2)
                        .arg(lightContrast, 0, 'f', 2);
      }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QApplication::setPalette(QApplication::style()->standardPalette());
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  RegisterJPEGImage();
  PaletteContrastTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PaletteContrastTest.moc"
