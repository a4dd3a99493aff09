// The drawer logic's ports on the window's real components.
#pragma once

#include <QWidget>

#include "Components.h"
#include "DrawerPorts.h"

namespace numora {

// The curve goes onto Image1's drawing layer: over the picture, under every control created
// after it. The logic has cut the segments to the picture already.
class TImageSurface : public TDrawSurface {
 public:
  TImageSurface(QWidget& window, TImage& image) : window_(window), image_(image) {}
  void RepaintAll() override;
  void SetPen(int width, std::uint32_t rgb) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

 private:
  QWidget& window_;
  TImage& image_;
};

class TWindowTexts : public TDrawerTexts {
 public:
  TWindowTexts(TEdit& edit, TLabel& label4, TLabel& label5, TStatusBar& statusBar)
      : edit_(edit), label4_(label4), label5_(label5), statusBar_(statusBar) {}
  std::string FormulaText() const override;
  void SetLabel4(const std::string& text) override;
  void SetLabel5(const std::string& text) override;
  void SetStatusPanel(int index, const std::string& text) override;

 private:
  TEdit& edit_;
  TLabel& label4_;
  TLabel& label5_;
  TStatusBar& statusBar_;
};

// The application's own event queue and the steady clock (a wall clock set back while a
// pause runs would stretch it).
class TApplicationPump : public TEventPump {
 public:
  void ProcessEvents() override;
  std::chrono::nanoseconds Now() override;
};

}  // namespace numora
