#include "About.h"

#include "FormBuilder.h"
#include "WindowPlacement.h"
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
  CentreOnFirstShow(*this, centred_);
}

}  // namespace numora
