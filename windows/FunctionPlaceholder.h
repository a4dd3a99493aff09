// Stands in for the function drawer until the drawer window is part of the program: a small
// modal note with one button. main.cpp creates it hidden and stores it in FunctionWindow.
#pragma once

#include <QDialog>

namespace numora {

class TFunctionPlaceholder : public QDialog {
 public:
  explicit TFunctionPlaceholder(QWidget* parent = nullptr);
  void OKButtonClick();
};

}  // namespace numora
