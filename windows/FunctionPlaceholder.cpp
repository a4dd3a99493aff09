#include "FunctionPlaceholder.h"

#include "FormBuilder.h"
#include "WindowResources.h"

namespace numora {

TFunctionPlaceholder::TFunctionPlaceholder(QWidget* parent) : QDialog(parent) {
  InitWindowResources();
  THandlers handlers;
  handlers.Add("OKButtonClick", this, &TFunctionPlaceholder::OKButtonClick);
  BuildForm(*this, "TFunctionPlaceholder", QString(":/windows/FunctionPlaceholder.json"), handlers);
}

void TFunctionPlaceholder::OKButtonClick() { close(); }

}  // namespace numora
