#include "Calculator.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <stdexcept>

#include "About.h"
#include "AccessibleComponents.h"
#include "AccessibleNames.h"
#include "Application.h"
#include "Draw.h"
#include "SciCalc.h"
#include "WindowPlacement.h"
#include "WindowResources.h"

namespace numora {

TCalculatorForm* CalculatorForm = nullptr;
TSciCalcForm* SciCalcForm = nullptr;

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

// Edit1 seen by the engine: the clipboard is the system's plain-text clipboard.
class TCalculatorForm::THiddenField : public TTextField {
 public:
  explicit THiddenField(TEdit& edit) : edit_(edit) {}
  std::string Text() const override { return Utf8(edit_.text()); }
  void SetText(const std::string& text) override { edit_.setText(QString::fromStdString(text)); }
  void SelectAll() override { edit_.selectAll(); }
  bool WhollySelected() const override { return edit_.selectedText() == edit_.text(); }
  void CopyToClipboard() override { edit_.CopySelection(); }
  std::optional<std::string> ClipboardText() const override {
    const std::optional<QString> text = TEdit::ClipboardText();
    return text ? std::optional(Utf8(*text)) : std::nullopt;
  }

 private:
  TEdit& edit_;
};

TCalculatorForm::TCalculatorForm(TCalculatorEngine& engine, QWidget* parent)
    : QMainWindow(parent), engine_(engine), ownsScientificWindow_(true) {
  Build("TCalculatorForm", ":/windows/Calculator.json", Handlers(), "Standart1");
}

TCalculatorForm::TCalculatorForm(TCalculatorEngine& engine, TBuildLater)
    : QMainWindow(nullptr), engine_(engine) {}

TCalculatorForm::~TCalculatorForm() {
  if (CalculatorForm == this) CalculatorForm = nullptr;
  // A scientific window belongs to the standard window. A scientific window is one of these
  // too, and the reference may already name the window that replaced it.
  if (ownsScientificWindow_) delete SciCalcForm;
}

THandlers TCalculatorForm::Handlers() {
  using F = TCalculatorForm;
  THandlers h;
  h.Add("FormCreate", this, &F::FormCreate)
      .Add("FormClose", this, &F::FormClose)
      .Add("Bilimsel1Click", this, &F::Bilimsel1Click)
      .Add("Function1Click", this, &F::Function1Click)
      .Add("Hakknda1Click", this, &F::Hakknda1Click)
      .Add("Kopyala1Click", this, &F::Kopyala1Click)
      .Add("Yaptr1Click", this, &F::Yaptr1Click)
      .Add("ZeroButtonClick", this, &F::ZeroButtonClick)
      .Add("PlusButtonClick", this, &F::PlusButtonClick)
      .Add("RootButtonClick", this, &F::RootButtonClick)
      .Add("PercentButtonClick", this, &F::PercentButtonClick)
      .Add("CommaButtonClick", this, &F::CommaButtonClick)
      .Add("BackButtonClick", this, &F::BackButtonClick)
      .Add("SignButtonClick", this, &F::SignButtonClick)
      .Add("ClearButtonClick", this, &F::ClearButtonClick)
      .Add("ClearAllButtonClick", this, &F::ClearAllButtonClick)
      .Add("MemClearBtnClick", this, &F::MemClearBtnClick)
      .Add("MemButtonClick", this, &F::MemButtonClick)
      .Add("SpeedButton22Click", this, &F::SpeedButton22Click)
      .Add("MemPlusBtnClick", this, &F::MemPlusBtnClick)
      .Add("Edit1KeyDown", this, &F::Edit1KeyDown)
      .Add("Edit1KeyPress", this, &F::Edit1KeyPress)
      .Add("Timer1Timer", this, &F::Timer1Timer)
      .Add("Panel2MouseMove", this, &F::Panel2MouseMove);
  return h;
}

void TCalculatorForm::Build(const QString& formClass, const QString& description,
                            const THandlers& handlers, const char* ownKindEntry) {
  InitWindowResources();
  events_ = BuildForm(*this, formClass, description, handlers);
  calcEdit_ = &Component<TLabel>(*this, "CalcEdit");
  edit1_ = &Component<TEdit>(*this, "Edit1");
  statusBar1_ = &Component<TStatusBar>(*this, "StatusBar1");
  ownKindEntry_ = &Component<QAction>(*this, ownKindEntry);
  hiddenField_ = std::make_unique<THiddenField>(*edit1_);
  edit1_->ownerSetsText = true;  // the engine keeps it on the number being entered
  for (const TMenuShortcut& shortcut : MenuShortcuts())
    Component<QAction>(*this, std::string(shortcut.Entry).c_str())
        .setShortcut(QKeySequence(QString::fromUtf8(shortcut.Keys), QKeySequence::PortableText));
  NameForScreenReaders(*this);
  PresentDisplayThrough(*edit1_, *calcEdit_);
  // A menu closed with Escape leaves the menu bar holding the keyboard, so that a second
  // Escape leaves the menu bar and reaches no key; the menu that follows it (arrow keys
  // between menus) opens before this runs.
  for (QMenu* menu : findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, [this] { GiveKeyboardToEdit1(); }); });
  menuBar()->installEventFilter(this);
  // Key strokes, not an input method's compositions: a dead key and a digit are the digit.
  edit1_->inputMethod = false;
  edit1_->keypadDigits = true;  // a keypad is for numbers here
  edit1_->setFocus();
  if (events_.OnCreate) events_.OnCreate(this);
}

std::string TCalculatorForm::DisplayText() const { return Utf8(calcEdit_->Caption()); }
void TCalculatorForm::SetDisplayText(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  const bool changed = shown != calcEdit_->Caption();
  calcEdit_->SetCaption(shown);
  if (changed) AnnounceCaptionChange(*calcEdit_);
}
TTextField& TCalculatorForm::HiddenField() { return *hiddenField_; }
bool TCalculatorForm::HasKey(const TCalculatorKey& key) const {
  return findChild<TSpeedButton*>(QString::fromUtf8(
             key.Component.data(), static_cast<qsizetype>(key.Component.size()))) != nullptr;
}

// The window cannot switch to its own kind; the entry stays disabled for its life.
void TCalculatorForm::FormCreate() {
  engine_.FormCreate();
  ownKindEntry_->setEnabled(false);
}
void TCalculatorForm::FormClose() {
  engine_.FormClose();
  CalculatorForm = nullptr;
  TApplication::Instance().MainFormClosed();
}

void TCalculatorForm::Function1Click() {
  TApplication::Instance().FinishDeferredBuilds();
  if (Form1 != nullptr) TApplication::Instance().ShowModal(*Form1, this);
}

void TCalculatorForm::Hakknda1Click() {
  TApplication::Instance().FinishDeferredBuilds();
  if (AboutBox != nullptr) TApplication::Instance().ShowModal(*AboutBox, this);
}

void TCalculatorForm::GiveKeyboardToEdit1() {
  if (isVisible() && QApplication::activePopupWidget() == nullptr && !menuBar()->hasFocus())
    edit1_->setFocus();
}

bool TCalculatorForm::eventFilter(QObject* watched, QEvent* event) {
  // The menu bar lets go of the keyboard when Escape leaves it; Edit1 takes it back.
  if (watched == menuBar() && event->type() == QEvent::FocusOut)
    QTimer::singleShot(0, this, [this] { GiveKeyboardToEdit1(); });
  return QMainWindow::eventFilter(watched, event);
}

void TCalculatorForm::keyPressEvent(QKeyEvent* event) {
  if (!menuBar()->hasFocus()) return QMainWindow::keyPressEvent(event);
  edit1_->setFocus();
  QKeyEvent again(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                  event->nativeVirtualKey(), event->nativeModifiers(), event->text(),
                  event->isAutoRepeat(), event->count());
  QCoreApplication::sendEvent(edit1_, &again);
  event->accept();
}

void TCalculatorForm::Bilimsel1Click() {
  if (SciCalcForm != nullptr) return;
  SciCalcForm = new TSciCalcForm(engine_);
  SciCalcForm->move(pos());
  SciCalcForm->show();
  SciCalcForm->activateWindow();  // it takes the keyboard, as the window it replaces had
  hide();
}

// Digits by caption, operators and functions by component name, as the engine expects.
void TCalculatorForm::ZeroButtonClick(QObject* sender) {
  // A description may bind this to any clickable component; only a key has the caption.
  const auto* key = dynamic_cast<const TSpeedButton*>(sender);
  if (key == nullptr)
    throw std::logic_error("ZeroButtonClick: \"" +
                           Utf8(sender != nullptr ? sender->objectName() : QString()) +
                           "\" is not a key with a caption");
  engine_.ZeroButtonClick(*this, Utf8(key->Caption()));
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
void TCalculatorForm::MemButtonClick(QObject*) { engine_.MemButtonClick(*this); }
void TCalculatorForm::SpeedButton22Click(QObject*) { engine_.SpeedButton22Click(*this); }
void TCalculatorForm::MemPlusBtnClick(QObject*) { engine_.MemPlusBtnClick(*this); }
void TCalculatorForm::Edit1KeyDown(QObject*, std::uint16_t& key, TShiftState shift,
                                   bool typesCharacter) {
  engine_.Edit1KeyDown(*this, key, shift, typesCharacter);
}
void TCalculatorForm::Edit1KeyPress(QObject*, char& key) { engine_.Edit1KeyPress(*this, key); }
void TCalculatorForm::Kopyala1Click() { engine_.Kopyala1Click(*this); }
void TCalculatorForm::Yaptr1Click() { engine_.Yaptr1Click(*this); }

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
  if (events_.OnClose) events_.OnClose(this);
  event->accept();
}

void TCalculatorForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centred_) return;
  CentreOnFirstShow(*this, centred_);
  edit1_->setFocus();
}

}  // namespace numora
