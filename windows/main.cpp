#include <cstdio>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "DisplayFailure.h"
#include "Draw.h"
#include "Engine.h"
#include "FormBuilder.h"
#include "jpeg.h"

namespace {

// The engine never sees Qt: these forward its alert and message box to the application.
class TApplicationHost : public numora::TEngineHost {
 public:
  void Beep() override { numora::Beep(); }
  void ShowMessage(const std::string& text) override { numora::ShowMessage(text); }
};

int Run(numora::TApplication& application) {
  TApplicationHost host;
  numora::TCalculatorEngine engine(host);
  // The main window first, then the hidden ones, as the windows expect them.
  numora::TCalculatorForm calculatorForm(engine);
  numora::CalculatorForm = &calculatorForm;
  application.RegisterForm(&calculatorForm);
  numora::TAboutBox aboutBox;
  numora::AboutBox = &aboutBox;
  numora::TForm1 form1;
  numora::Form1 = &form1;
  return application.Run();
}

}  // namespace

int main(int argc, char** argv) {
  numora::TDisplayFailureReport displayFailure;
  numora::TApplication application(argc, argv);
  displayFailure.Finish();
  // Message and error boxes carry the program's name as their title.
  numora::TApplication::setApplicationName("Numora");
  // The desktop entry's name: the Wayland app id, by which docks find the entry and its icon.
  numora::TApplication::setDesktopFileName("io.github.numora.Numora");
  // The drawer's description holds a stored JPEG picture: its class must be known first.
  const numora::TJPEGImageRegistration jpegRegistration;
  try {
    return Run(application);
  } catch (const numora::EFormDescription& e) {
    // A window that cannot be built from its description: nothing to show, say why.
    std::fprintf(stderr, "numora: %s\n", e.what());
    return 1;
  }
}
