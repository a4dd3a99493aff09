#include "SciCalc.h"

#include <QMenuBar>

#include "Look.h"

namespace numora {

namespace {

// What the scientific layout changes in the standard one: new lefts of inherited keys.
struct TMovedKey {
  const char* name;
  int left;
};
constexpr TMovedKey kMovedKeys[] = {
    {"MemClearBtn", 143},    {"MemButton", 143},      {"SpeedButton22", 143}, {"MemPlusBtn", 143},
    {"SevenButton", 180},    {"FourButton", 180},     {"OneButton", 180},     {"ZeroButton", 180},
    {"EightButton", 220},    {"FiveButton", 220},     {"TwoButton", 220},     {"SignButton", 220},
    {"NineButton", 260},     {"SixButton", 260},      {"ThreeButton", 260},   {"CommaButton", 260},
    {"DivideButton", 300},   {"MultiplyButton", 300}, {"MinusButton", 300},   {"PlusButton", 300},
    {"RootButton", 340},     {"PercentButton", 340},  {"AdverseButton", 340}, {"EqualButton", 340},
    {"ClearAllButton", 143}, {"ClearButton", 221},    {"BackButton", 301},
};

using THandler = void (TSciCalcForm::*)(QObject*);
struct TAddedKey {
  const char* name;
  const char* caption;
  int left, top;
  THandler handler;
};
using S = TSciCalcForm;
constexpr TAddedKey kAddedKeys[] = {
    {"ExpButton", "exp", 54, 48, &S::RootButtonClick},
    {"LnButton", "ln", 94, 48, &S::RootButtonClick},
    {"TanButton", "tan", 14, 80, &S::RootButtonClick},
    {"CosButton", "cos", 54, 80, &S::RootButtonClick},
    {"SinButton", "sin", 94, 80, &S::RootButtonClick},
    {"PiBtn", "Pi", 14, 112, &S::PiBtnClick},
    {"xUPyButton", "x^y", 54, 112, &S::PlusButtonClick},
    {"LogButton", "log", 94, 112, &S::RootButtonClick},
    {"SquareButton", "x^2", 14, 144, &S::RootButtonClick},
    {"CubeButton", "x^3", 54, 144, &S::RootButtonClick},
    {"FactorButton", "n!", 94, 144, &S::RootButtonClick},
};

template <class T>
T* Child(QWidget* form, const char* name) {
  return form->findChild<T*>(name);
}

}  // namespace

TSciCalcForm::TSciCalcForm(TCalculatorEngine& engine) : TCalculatorForm(engine) {
  setObjectName("SciCalcForm");
  setWindowTitle("Scientific");
  setAttribute(Qt::WA_DeleteOnClose);
  centred_ = true;  // placed by the switch, never centred
  move(286, 178);

  centralWidget()->setFixedSize(393, 229);
  Child<QWidget>(this, "Panel1")->resize(393, 41);
  Child<QWidget>(this, "CalcEdit")->setGeometry(11, 9, 367, 24);
  auto* panel2 = Child<QWidget>(this, "Panel2");
  panel2->resize(393, 188);
  Child<QWidget>(this, "StatusBar1")->setGeometry(1, 168, 391, 19);
  for (const TMovedKey& key : kMovedKeys) {
    QWidget* widget = Child<QWidget>(this, key.name);
    widget->move(key.left, widget->y());
  }

  QFont font(SubstituteFace("MS Sans Serif"));
  font.setPixelSize(13);
  font.setBold(true);
  for (const TAddedKey& spec : kAddedKeys) {
    auto* key = new TSpeedButton(panel2);
    key->setObjectName(spec.name);
    key->SetCaption(spec.caption);
    key->setGeometry(spec.left, spec.top, 33, 25);
    key->setFont(font);
    key->fontColor = QColor(0, 128, 0);
    const THandler handler = spec.handler;
    key->OnClick = [this, handler](QObject* sender) { (this->*handler)(sender); };
  }

  standart1_->setEnabled(true);
  bilimsel1_->setEnabled(false);
  connect(standart1_, &QAction::triggered, this, [this] { Standart1Click(); });
  setFixedSize(sizeHint());
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

void TSciCalcForm::FormClose() {
  SciCalcForm = nullptr;
  if (CalculatorForm != nullptr) CalculatorForm->show();
}

}  // namespace numora
