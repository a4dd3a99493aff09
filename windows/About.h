// The About box: shown modally from either calculator window, hidden (never destroyed)
// when closed, so every "&About" shows the same box.
#pragma once

#include <QDialog>

namespace numora {

class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  void OKButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool centred_ = false;
};

extern TAboutBox* AboutBox;

}  // namespace numora
