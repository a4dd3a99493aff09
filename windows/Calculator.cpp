#include "Calculator.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>

#include "About.h"
#include "Application.h"
#include "Look.h"
#include "SciCalc.h"

namespace numora {

TCalculatorForm* CalculatorForm = nullptr;
TSciCalcForm* SciCalcForm = nullptr;

namespace {

enum class TKeyFont { Keypad, Blue19, Blue11, Text13 };
using THandler = void (TCalculatorForm::*)(QObject*);

struct TKeySpec {
  const char* name;
  const char* caption;
  int left, top, width, height;
  TKeyFont font;
  THandler handler;  // null: the key does nothing
};

using F = TCalculatorForm;
constexpr TKeySpec kKeys[] = {
    {"ClearAllButton", "C", 46, 8, 71, 25, TKeyFont::Text13, &F::ClearAllButtonClick},
    {"ClearButton", "CE", 148, 8, 72, 25, TKeyFont::Text13, &F::ClearButtonClick},
    {"BackButton", "Back", 252, 8, 72, 25, TKeyFont::Text13, &F::BackButtonClick},
    {"MemClearBtn", "MC", 47, 48, 33, 25, TKeyFont::Blue11, &F::MemClearBtnClick},
    {"SevenButton", "7", 100, 48, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"EightButton", "8", 148, 48, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"NineButton", "9", 196, 48, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"DivideButton", "/", 244, 48, 33, 25, TKeyFont::Blue19, &F::PlusButtonClick},
    {"RootButton", "Sqrt", 292, 48, 33, 25, TKeyFont::Blue11, &F::RootButtonClick},
    {"MemButton", "MR", 47, 80, 33, 25, TKeyFont::Blue11, &F::MemButtonClick},
    {"FourButton", "4", 100, 80, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"FiveButton", "5", 148, 80, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"SixButton", "6", 196, 80, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"MultiplyButton", "*", 244, 80, 33, 25, TKeyFont::Blue19, &F::PlusButtonClick},
    {"PercentButton", "%", 292, 80, 33, 25, TKeyFont::Blue11, &F::PercentButtonClick},
    {"SpeedButton22", "MS", 47, 112, 33, 25, TKeyFont::Blue11, nullptr},
    {"OneButton", "1", 100, 112, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"TwoButton", "2", 148, 112, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"ThreeButton", "3", 196, 112, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"MinusButton", "--", 244, 112, 33, 25, TKeyFont::Blue19, &F::PlusButtonClick},
    {"AdverseButton", "1/x", 292, 112, 33, 25, TKeyFont::Blue11, &F::RootButtonClick},
    {"MemPlusBtn", "M+", 47, 144, 33, 25, TKeyFont::Blue11, &F::MemPlusBtnClick},
    {"ZeroButton", "0", 100, 144, 33, 25, TKeyFont::Keypad, &F::ZeroButtonClick},
    {"SignButton", "+/-", 148, 144, 33, 25, TKeyFont::Blue19, &F::SignButtonClick},
    {"CommaButton", ",", 196, 144, 33, 25, TKeyFont::Blue19, &F::CommaButtonClick},
    {"PlusButton", "+", 244, 144, 33, 25, TKeyFont::Blue19, &F::PlusButtonClick},
    {"EqualButton", "=", 292, 144, 33, 25, TKeyFont::Blue11, &F::PlusButtonClick},
};

QFont Face(const char* face, int pixels, bool bold) {
  QFont font(SubstituteFace(face));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void StyleKey(TSpeedButton* key, TKeyFont kind) {
  switch (kind) {
    case TKeyFont::Keypad:
      key->setFont(Face("Bookman Old Style", 16, true));
      key->fontColor = QColor(128, 0, 128);
      break;
    case TKeyFont::Blue19:
      key->setFont(Face("MS Sans Serif", 19, true));
      key->fontColor = QColor(0, 0, 255);
      break;
    case TKeyFont::Blue11:
      key->setFont(Face("MS Sans Serif", 11, true));
      key->fontColor = QColor(0, 0, 255);
      break;
    case TKeyFont::Text13:
      key->setFont(Face("MS Sans Serif", 13, true));
      key->fontColor = QColor(0, 0, 0);
      break;
  }
}

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

// Edit1 seen by the engine: the clipboard is the system's plain-text clipboard.
class TCalculatorForm::THiddenField : public TTextField {
 public:
  explicit THiddenField(TEdit& edit) : edit_(edit) {}
  std::string Text() const override { return Utf8(edit_.text()); }
  void SetText(const std::string& text) override { edit_.setText(QString::fromStdString(text)); }
  void SelectAll() override { edit_.selectAll(); }
  void CopyToClipboard() override { edit_.copy(); }
  void PasteFromClipboard() override { edit_.paste(); }

 private:
  TEdit& edit_;
};

TCalculatorForm::TCalculatorForm(TCalculatorEngine& engine, QWidget* parent)
    : QMainWindow(parent), engine_(engine) {
  setObjectName("CalculatorForm");
  setWindowTitle("Numora");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  BuildComponents();
  FormCreate();
}

TCalculatorForm::~TCalculatorForm() {
  if (CalculatorForm == this) CalculatorForm = nullptr;
  delete SciCalcForm;  // a scientific window belongs to the standard window
}

void TCalculatorForm::BuildComponents() {
  auto* client = new QWidget(this);
  client->setFixedSize(341, 254);
  client->setFont(Face("MS Sans Serif", 11, false));
  setCentralWidget(client);

  auto* panel1 = new TPanel(client);
  panel1->setObjectName("Panel1");
  panel1->setGeometry(0, 0, 341, 41);
  panel1->color = ColorByName("clGradientActiveCaption");

  calcEdit_ = new TLabel(panel1);
  calcEdit_->setObjectName("CalcEdit");
  calcEdit_->setGeometry(11, 8, 318, 24);
  calcEdit_->alignment = Qt::AlignRight | Qt::AlignVCenter;
  calcEdit_->color = ColorByName("clCaptionText");
  calcEdit_->fontColor = QColor(0, 0, 128);
  calcEdit_->setFont(Face("MS Sans Serif", 16, true));
  calcEdit_->SetCaption("0");

  // Below the display strip, so never visible; it takes every key typed into the window.
  edit1_ = new TEdit(panel1);
  edit1_->setObjectName("Edit1");
  edit1_->setGeometry(16, 48, 241, 28);
  edit1_->setText("0");
  edit1_->OnKeyDown = [this](QObject* s, std::uint16_t& k) { Edit1KeyDown(s, k); };
  edit1_->OnKeyPress = [this](QObject* s, char& k) { Edit1KeyPress(s, k); };
  hiddenField_ = std::make_unique<THiddenField>(*edit1_);

  auto* panel2 = new TPanel(client);
  panel2->setObjectName("Panel2");
  panel2->setGeometry(0, 41, 341, 213);
  panel2->color = ColorByName("clBackground");
  panel2->OnMouseMove = [this](QObject* s, int x, int y) { Panel2MouseMove(s, x, y); };

  for (const TKeySpec& spec : kKeys) {
    auto* key = new TSpeedButton(panel2);
    key->setObjectName(spec.name);
    key->SetCaption(spec.caption);
    key->setGeometry(spec.left, spec.top, spec.width, spec.height);
    StyleKey(key, spec.font);
    if (spec.handler != nullptr) {
      const THandler handler = spec.handler;
      key->OnClick = [this, handler](QObject* sender) { (this->*handler)(sender); };
    }
  }

  statusBar1_ = new TStatusBar(panel2);
  statusBar1_->setObjectName("StatusBar1");
  statusBar1_->setGeometry(1, 193, 339, 19);
  statusBar1_->SetPanelWidths({100, 100, 100});

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("Dzenle1");
  QAction* copy = edit->addAction("&Copy", [this] { Kopyala1Click(); });
  copy->setObjectName("Kopyala1");
  QAction* paste = edit->addAction("&Paste", [this] { Yaptr1Click(); });
  paste->setObjectName("Yaptr1");

  QMenu* view = menuBar()->addMenu("&View");
  view->setObjectName("Grnm1");
  standart1_ = view->addAction("&Standart");
  standart1_->setObjectName("Standart1");
  bilimsel1_ = view->addAction("S&cientific", [this] { Bilimsel1Click(); });
  bilimsel1_->setObjectName("Bilimsel1");
  QMenu* help = menuBar()->addMenu("&About");
  help->setObjectName("Yardm1");
  QAction* about = help->addAction("&About", [this] { Hakknda1Click(); });
  about->setObjectName("Hakknda1");
  // The window of one's own kind cannot be switched to.
  standart1_->setEnabled(false);

  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(100);
  connect(timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
  timer1_->start();

  setFixedSize(sizeHint());
  edit1_->setFocus();
}

std::string TCalculatorForm::DisplayText() const { return Utf8(calcEdit_->Caption()); }
void TCalculatorForm::SetDisplayText(const std::string& text) {
  calcEdit_->SetCaption(QString::fromStdString(text));
}
TTextField& TCalculatorForm::HiddenField() { return *hiddenField_; }

void TCalculatorForm::FormCreate() { engine_.FormCreate(); }
void TCalculatorForm::FormClose() {
  engine_.FormClose();
  CalculatorForm = nullptr;
  TApplication::Instance().MainFormClosed();
}

void TCalculatorForm::Hakknda1Click() {
  if (AboutBox != nullptr) AboutBox->exec();
}

void TCalculatorForm::Bilimsel1Click() {
  if (SciCalcForm != nullptr) return;
  SciCalcForm = new TSciCalcForm(engine_);
  SciCalcForm->move(pos());
  SciCalcForm->show();
  hide();
}

// Digits by caption, operators and functions by component name, as the engine expects.
void TCalculatorForm::ZeroButtonClick(QObject* sender) {
  engine_.ZeroButtonClick(*this, Utf8(static_cast<TSpeedButton*>(sender)->Caption()));
}
void TCalculatorForm::PlusButtonClick(QObject* sender) {
  engine_.PlusButtonClick(*this, Utf8(sender->objectName()));
}
void TCalculatorForm::RootButtonClick(QObject* sender) {
  engine_.RootButtonClick(*this, Utf8(sender->objectName()));
}
void TCalculatorForm::PercentButtonClick(QObject*) { engine_.PercentButtonClick(*this); }
void TCalculatorForm::CommaButtonClick(QObject*) { engine_.CommaButtonClick(*this); }
void TCalculatorForm::BackButtonClick(QObject*) { engine_.BackButtonClick(*this); }
void TCalculatorForm::SignButtonClick(QObject*) { engine_.SignButtonClick(*this); }
void TCalculatorForm::ClearButtonClick(QObject*) { engine_.ClearButtonClick(*this); }
void TCalculatorForm::ClearAllButtonClick(QObject*) { engine_.ClearAllButtonClick(*this); }
void TCalculatorForm::MemClearBtnClick(QObject*) { engine_.MemClearBtnClick(); }
void TCalculatorForm::MemButtonClick(QObject*) { engine_.MemButtonClick(); }
void TCalculatorForm::MemPlusBtnClick(QObject*) { engine_.MemPlusBtnClick(*this); }
void TCalculatorForm::Edit1KeyDown(QObject*, std::uint16_t& key) {
  engine_.Edit1KeyDown(*this, key);
}
void TCalculatorForm::Edit1KeyPress(QObject*, char& key) {
  key = TCalculatorEngine::Edit1KeyPress(key);
}
void TCalculatorForm::Kopyala1Click() {
  TApplication::Instance().Guarded([this] { engine_.Kopyala1Click(*this); });
}
void TCalculatorForm::Yaptr1Click() {
  TApplication::Instance().Guarded([this] { engine_.Yaptr1Click(*this); });
}

void TCalculatorForm::Timer1Timer() {
  const QLocale locale;
  const QDateTime now = QDateTime::currentDateTime();
  statusBar1_->SetPanelText(1, "Date " + locale.toString(now.date(), QLocale::ShortFormat));
  // The long format without its time-zone name: hours, minutes and seconds.
  QString time = locale.timeFormat(QLocale::LongFormat);
  time.remove(QLatin1Char('t')).replace(QStringLiteral("  "), QStringLiteral(" "));
  statusBar1_->SetPanelText(0, "Time " + now.time().toString(time.trimmed()));
}

void TCalculatorForm::Panel2MouseMove(QObject*, int x, int y) {
  statusBar1_->SetPanelText(2, QStringLiteral("Mouse %1 %2").arg(x).arg(y));
}

void TCalculatorForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TCalculatorForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
  }
  edit1_->setFocus();
}

}  // namespace numora
