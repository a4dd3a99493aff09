#include "About.h"

#include <QScreen>

#include "FormBuilder.h"
#include "WindowResources.h"

namespace numora {

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  InitWindowResources();
  THandlers handlers;
  handlers.Add("OKButtonClick", this, &TAboutBox::OKButtonClick);
  BuildForm(*this, "TAboutBox", QString(":/windows/About.json"), handlers);
}

void TAboutBox::OKButtonClick() { close(); }

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (const QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

}  // namespace numora
