#include "SciCalc.h"

namespace numora {

TSciCalcForm::TSciCalcForm(TCalculatorEngine& engine) : TCalculatorForm(engine, TBuildLater{}) {
  setAttribute(Qt::WA_DeleteOnClose);
  centred_ = true;  // placed by the switch, never centred
  THandlers handlers = Handlers();
  handlers.Add("FormClose", this, &TSciCalcForm::FormClose)
      .Add("Standart1Click", this, &TSciCalcForm::Standart1Click)
      .Add("PiBtnClick", this, &TSciCalcForm::PiBtnClick);
  Build("TSciCalcForm", ":/windows/SciCalc.json", handlers, "Bilimsel1");
  // The standard window's own icon, not a copy read anew: Qt caches an icon's pixmaps under
  // the icon, so every new copy would leave its pixmaps behind after its window.
  if (CalculatorForm != nullptr) setWindowIcon(CalculatorForm->windowIcon());
}

TSciCalcForm::~TSciCalcForm() {
  if (SciCalcForm == this) SciCalcForm = nullptr;
}

void TSciCalcForm::PiBtnClick(QObject*) { engine_.PiBtnClick(*this); }

void TSciCalcForm::Standart1Click() {
  if (CalculatorForm != nullptr) CalculatorForm->move(pos());
  if (CalculatorForm != nullptr) CalculatorForm->show();
  close();
}

// However the window closes, the standard window shows the number the engine goes on with.
void TSciCalcForm::FormClose() {
  SciCalcForm = nullptr;
  if (CalculatorForm == nullptr) return;
  CalculatorForm->SetDisplayText(DisplayText());
  engine_.FollowDisplay(*CalculatorForm);
  CalculatorForm->show();
  CalculatorForm->activateWindow();
}

}  // namespace numora
