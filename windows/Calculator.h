// The standard calculator window. Its keys drive the one engine of the program; the
// display label CalcEdit holds the number being entered.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include "Components.h"
#include "Engine.h"
#include "FormBuilder.h"

class QDialog;

namespace numora {

class TCalculatorForm;
class TSciCalcForm;

// The window references of the program; each is a window or empty.
extern TCalculatorForm* CalculatorForm;
extern TSciCalcForm* SciCalcForm;

class TCalculatorForm : public QMainWindow, public TCalcWindow {
 public:
  explicit TCalculatorForm(TCalculatorEngine& engine, QWidget* parent = nullptr);
  ~TCalculatorForm() override;

  // TCalcWindow
  std::string DisplayText() const override;
  void SetDisplayText(const std::string& text) override;
  TTextField& HiddenField() override;
  bool HasKey(const TCalculatorKey& key) const override;

  // Handlers, named after component and event.
  void FormCreate();
  virtual void FormClose();
  void Bilimsel1Click();
  void Hakknda1Click();
  void Function1Click();
  void ZeroButtonClick(QObject* sender);
  void PlusButtonClick(QObject* sender);
  void RootButtonClick(QObject* sender);
  void PercentButtonClick(QObject* sender);
  void CommaButtonClick(QObject* sender);
  void BackButtonClick(QObject* sender);
  void SignButtonClick(QObject* sender);
  void ClearButtonClick(QObject* sender);
  void ClearAllButtonClick(QObject* sender);
  void MemClearBtnClick(QObject* sender);
  void MemButtonClick(QObject* sender);
  void SpeedButton22Click(QObject* sender);
  void MemPlusBtnClick(QObject* sender);
  void Edit1KeyDown(QObject* sender, std::uint16_t& key, TShiftState shift, bool typesCharacter);
  void Edit1KeyPress(QObject* sender, char& key);
  void Kopyala1Click();
  void Yaptr1Click();
  void Timer1Timer();
  void Panel2MouseMove(QObject* sender, int x, int y);

 protected:
  // For subclasses: builds nothing; the subclass calls Build with its own description.
  struct TBuildLater {};
  TCalculatorForm(TCalculatorEngine& engine, TBuildLater);
  // The handlers of this class by name, for the description's event bindings.
  THandlers Handlers();
  // Builds the window from its description, then runs its creation event. ownKindEntry is
  // the View entry that switches to this window's own kind.
  void Build(const QString& formClass, const QString& description, const THandlers& handlers,
             const char* ownKindEntry);

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Keys that reach the window itself: those the menu bar, holding the keyboard after a
  // menu closed with Escape, has no use for.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  TCalculatorEngine& engine_;
  bool centred_ = false;  // only the first showing of the standard window centres it

 private:
  class THiddenField;
  // Edit1 is the window's only place for typed keys: it gets the keyboard back whenever
  // the window's menus have all closed and the menu bar has let go of the keyboard (the
  // window's activation gives it back by itself).
  void GiveKeyboardToEdit1();

  TFormEvents events_;
  QAction* ownKindEntry_ = nullptr;
  TLabel* calcEdit_ = nullptr;
  TEdit* edit1_ = nullptr;
  TStatusBar* statusBar1_ = nullptr;
  bool ownsScientificWindow_ = false;  // only the standard window
  std::unique_ptr<THiddenField> hiddenField_;
};

}  // namespace numora
