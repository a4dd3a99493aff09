// The scientific window: the standard window with a wider keypad, eleven scientific keys
// and Pi. It inherits every handler and replaces only the close handler.
#pragma once

#include "Calculator.h"

namespace numora {

class TSciCalcForm : public TCalculatorForm {
 public:
  explicit TSciCalcForm(TCalculatorEngine& engine);
  ~TSciCalcForm() override;

  void FormClose() override;
  void Standart1Click();
  void PiBtnClick(QObject* sender);
};

}  // namespace numora
