// The function drawer window: type a formula in w into Edit1 and press Enter to plot it for
// w from -200 to 200 over the stretched background picture; the status bar reads out the
// formula's value under the pointer, and SpeedButton1 makes the next plot slow.
#pragma once

#include <QDialog>
#include <memory>

#include "Components.h"

namespace numora {

class TDrawerLogic;
class TF1BookControl;
class TImageSurface;
class TWindowTexts;
class TApplicationPump;
class TF1BookCells;
class TPicture;
class TStoredBackground;
struct TFormEvents;

class TForm1 : public QDialog {
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Handlers, named after component and event.
  void Edit1KeyPress(QObject* sender, char& key);
  void FormMouseMove(QObject* sender, int x, int y);
  void Panel1MouseMove(QObject* sender, int x, int y);
  void Panel2MouseMove(QObject* sender, int x, int y);
  void SpeedButton1Click(QObject* sender);

  // Handles pending events until the given time has passed.
  void Pause(int seconds, int milliseconds);
  bool SlowMotion() const;
  // The stored background picture, and whether it has been drawn (decoded) yet.
  const TPicture& Picture() const;
  bool PictureDrawn() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void DrawPicture(QPainter& painter, const QRect& target);

  TImage* image1_ = nullptr;
  TEdit* edit1_ = nullptr;
  TLabel* label4_ = nullptr;
  TLabel* label5_ = nullptr;
  TStatusBar* statusBar1_ = nullptr;
  TF1BookControl* f1Book_ = nullptr;
  std::unique_ptr<TStoredBackground> background_;
  std::unique_ptr<TFormEvents> formEvents_;
  std::unique_ptr<TImageSurface> surface_;
  std::unique_ptr<TWindowTexts> texts_;
  std::unique_ptr<TApplicationPump> pump_;
  std::unique_ptr<TF1BookCells> cells_;
  std::unique_ptr<TDrawerLogic> logic_;
  bool centred_ = false;
};

// Created hidden at start-up, shown modally by the calculators' "&Function".
extern TForm1* Form1;

}  // namespace numora
