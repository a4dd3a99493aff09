// Resident memory that switching to the scientific window and back leaves behind. The
// standard window runs on the X server as in the program; each pair triggers View >
// S&cientific in the standard window and View > &Standart in the scientific one, and lets
// the closed window go as the event loop would. After a warm-up it reports the growth of
// resident memory and of the heap in use per pair, against the goal of 0.2 KiB.
//   numora-bench-switch-memory [PAIRS]      (default 600; needs an X server: xvfb-run)
#include <malloc.h>

#include <QAction>
#include <QElapsedTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "Engine.h"
#include "SciCalc.h"

namespace {

using namespace numora;

class TQuietHost : public TEngineHost {
 public:
  void Beep() override {}
  void ShowMessage(const std::string&) override {}
};

double ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
  return -1;
}

double HeapInUseKiB() { return double(mallinfo2().uordblks) / 1024; }

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

void SwitchPair(TCalculatorForm& standard) {
  standard.findChild<QAction*>("Bilimsel1")->trigger();
  Settle();
  if (SciCalcForm == nullptr) {
    std::fputs("numora-bench-switch-memory: S&cientific opened no window\n", stderr);
    std::exit(1);
  }
  SciCalcForm->findChild<QAction*>("Standart1")->trigger();
  Settle();
}

}  // namespace

int main(int argc, char** argv) {
  const int pairs = argc > 1 ? std::atoi(argv[1]) : 600;
  TApplication application(argc, argv);
  TQuietHost host;
  TCalculatorEngine engine(host);
  TCalculatorForm standard(engine);
  CalculatorForm = &standard;
  application.RegisterForm(&standard);
  TAboutBox aboutBox;
  AboutBox = &aboutBox;
  standard.show();
  QElapsedTimer clock;
  clock.start();
  while (!standard.windowHandle()->isExposed() && clock.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  if (!standard.windowHandle()->isExposed()) {
    std::fputs("numora-bench-switch-memory: the standard window never showed\n", stderr);
    return 1;
  }
  // The first switches fill caches that stay for the program's life (fonts, styles, pixmaps).
  for (int i = 0; i < 50; ++i) SwitchPair(standard);
  malloc_trim(0);
  const double rss0 = ResidentKiB(), heap0 = HeapInUseKiB();
  for (int i = 0; i < pairs; ++i) SwitchPair(standard);
  malloc_trim(0);
  const double rss = (ResidentKiB() - rss0) / pairs, heap = (HeapInUseKiB() - heap0) / pairs;
  std::printf("%d switches to the scientific window and back, after 50 unmeasured:\n", pairs);
  std::printf("resident memory growth per pair: %.3f KiB (goal < 0.2): %s\n", rss,
              rss < 0.2 ? "met" : "NOT met");
  std::printf("heap in use growth per pair:     %.3f KiB\n", heap);
  return 0;
}
