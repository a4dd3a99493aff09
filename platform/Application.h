// The application object: one per process.
//
// - The main form is the first form registered; the message loop (Run) shows it and ends when
//   it closes. Other forms never end the program.
// - Work the main form does not need in order to appear (building the hidden windows) waits
//   until the main form has painted once, so that the window is on the screen sooner.
// - Every exception that leaves an event handler ends up in HandleException: it is caught
//   there (notify() override and every bound handler) and shown by the fault sink, a modal
//   error box by default. Nothing ever reaches Qt's event loop.
// - Beep and ShowMessage are the platform alert and message box; tests replace the sinks.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

namespace numora {

class TApplication : public QApplication {
 public:
  using TTextSink = std::function<void(const std::string&)>;

  TApplication(int& argc, char** argv);
  ~TApplication() override;

  static TApplication& Instance();

  // Shows the main form and runs the loop; 0 when the main form has closed.
  int Run();
  QWidget* MainForm() const { return mainForm_; }
  void RegisterForm(QWidget* form);  // the first one becomes the main form
  void MainFormClosed();

  // Runs build once the main form has painted for the first time, or earlier when a handler
  // calls FinishDeferredBuilds because it needs what build makes. Each build runs once.
  void BuildAfterFirstPaint(std::function<void()> build);
  void FinishDeferredBuilds();

  bool notify(QObject* receiver, QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Reports the exception currently being handled. Call only from a catch block.
  void HandleException();
  template <class F>
  void Guarded(F&& handler) {
    try {
      handler();
    } catch (...) {
      HandleException();
    }
  }

  // Shows the box modally, owned by (transient for) owner, so that a window manager keeps it
  // above that window and gives it the keyboard; above a stay-on-top owner it stays on top
  // too. Without an owner the box belongs to the window it was opened from: the modal window
  // shown, else the active window, else the main form. When it closes, the window that was
  // active gets the keyboard back (without a window manager nobody else gives it back).
  // A box asked for again while its previous showing is still unwinding (a handler of the
  // closed box still runs) waits, without waking the loop, until that showing has returned,
  // and is then shown once however often it was asked for; such a request returns Rejected.
  int ShowModal(QDialog& box, QWidget* owner = nullptr);

  void Beep();
  void ShowMessage(const std::string& text);
  void ShowFault(const std::string& description);

  void SetBeepSink(std::function<void()> sink) { beepSink_ = std::move(sink); }
  void SetMessageSink(TTextSink sink) { messageSink_ = std::move(sink); }
  void SetFaultSink(TTextSink sink) { faultSink_ = std::move(sink); }

 private:
  QWidget* BoxOwner(const QDialog& box) const;
  // The showing of box has returned: a request that waited for it is shown next.
  void ShowWaitingRequest(QDialog& box);

  struct TWaitingRequest {
    QPointer<QDialog> box;
    QPointer<QWidget> owner;
  };

  QPointer<QWidget> mainForm_;            // empty again once it is gone
  std::vector<QDialog*> showing_;         // boxes inside ShowModal, innermost last
  std::vector<TWaitingRequest> waiting_;  // at most one per box, each for a box in showing_
  std::vector<std::function<void()>> deferredBuilds_;
  std::function<void()> beepSink_;
  TTextSink messageSink_;
  TTextSink faultSink_;
};

// Shorthands for the application's alert and message box.
void Beep();
void ShowMessage(const std::string& text);

}  // namespace numora
