// The application object: one per process.
//
// - The main form is the first form registered; the message loop (Run) shows it and ends when
//   it closes. Other forms never end the program.
// - Every exception that leaves an event handler ends up in HandleException: it is caught
//   there (notify() override and every bound handler) and shown by the fault sink, a modal
//   error box by default. Nothing ever reaches Qt's event loop.
// - Beep and ShowMessage are the platform alert and message box; tests replace the sinks.
#pragma once

#include <QApplication>
#include <QDialog>
#include <functional>
#include <string>

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

  bool notify(QObject* receiver, QEvent* event) override;
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

  // Shows the box modally; when it closes, the window that was active gets the keyboard
  // back (without a window manager nobody else gives it back).
  int ShowModal(QDialog& box);

  void Beep();
  void ShowMessage(const std::string& text);
  void ShowFault(const std::string& description);

  void SetBeepSink(std::function<void()> sink) { beepSink_ = std::move(sink); }
  void SetMessageSink(TTextSink sink) { messageSink_ = std::move(sink); }
  void SetFaultSink(TTextSink sink) { faultSink_ = std::move(sink); }

 private:
  QWidget* mainForm_ = nullptr;
  std::function<void()> beepSink_;
  TTextSink messageSink_;
  TTextSink faultSink_;
};

// Shorthands for the application's alert and message box.
void Beep();
void ShowMessage(const std::string& text);

}  // namespace numora
