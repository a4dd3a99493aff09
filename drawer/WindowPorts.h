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

// The readout labels sit in a box (Panel3) that grows to the width their texts need and
// shrinks back to its stored width, so a long number is never cut.
class TWindowTexts : public TDrawerTexts {
 public:
  TWindowTexts(TEdit& edit, TPanel& panel3, TLabel& label4, TLabel& label5, TStatusBar& statusBar);
  std::string FormulaText() const override;
  void SetLabel4(const std::string& text) override;
  void SetLabel5(const std::string& text) override;
  void SetStatusPanel(int index, const std::string& text) override;

 private:
  void FitReadout();

  TEdit& edit_;
  TPanel& panel3_;
  const int storedPanelWidth_;
  const int storedLabelWidth_;
  TLabel& label4_;
  TLabel& label5_;
  TStatusBar& statusBar_;
};

// The application's own event queue and the steady clock (a wall clock set back while a
// pause runs would stretch it).
class TApplicationPump : public TEventPump {
 public:
  explicit TApplicationPump(QWidget& window) : window_(window) {}
  void ProcessEvents() override;
  std::chrono::nanoseconds Now() override;
  bool WindowOpen() const override { return window_.isVisible(); }

 private:
  QWidget& window_;
};

}  // namespace numora
