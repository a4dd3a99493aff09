#include <cstdio>
#include <optional>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "DisplayFailure.h"
#include "Draw.h"
#include "Engine.h"
#include "FormBuilder.h"
#include "ShippedFaces.h"
#include "SystemServices.h"
#include "jpeg.h"

namespace {

// The engine never sees Qt: these forward its alert and message box to the application.
class TApplicationHost : public numora::TEngineHost {
 public:
  void Beep() override { numora::Beep(); }
  void ShowMessage(const std::string& text) override { numora::ShowMessage(text); }
};

// Without its window the program cannot go on: say why and end the loop.
void ReportUnbuiltWindow(numora::TApplication& application, const numora::EFormDescription& e) {
  std::fprintf(stderr, "numora: %s\n", e.what());
  application.exit(1);
}

int Run(numora::TApplication& application) {
  TApplicationHost host;
  numora::TCalculatorEngine engine(host);
  // The main window first, then the hidden ones, as the windows expect them. The hidden ones
  // are built once the main window is on the screen, or when a menu asks for them first.
  numora::TCalculatorForm calculatorForm(engine);
  numora::CalculatorForm = &calculatorForm;
  application.RegisterForm(&calculatorForm);
  std::optional<numora::TAboutBox> aboutBox;
  std::optional<numora::TForm1> form1;
  application.BuildAfterFirstPaint([&] {
    try {
      numora::AboutBox = &aboutBox.emplace();
      numora::Form1 = &form1.emplace();
    } catch (const numora::EFormDescription& e) {
      ReportUnbuiltWindow(application, e);
    }
  });
  const int status = application.Run();
  numora::AboutBox = nullptr;  // the drawer forgets itself as it goes
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  numora::sys::AnnounceRunning();
  numora::TDisplayFailureReport displayFailure;
  numora::TApplication application(argc, argv);
  displayFailure.Finish();
  // Before any window asks for its faces: the stand-ins shipped beside the program.
  numora::RegisterShippedFaces();
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
