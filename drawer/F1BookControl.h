// F1Book as a component of the drawer window: invisible, placed outside the client area,
// owning the spreadsheet the window computes with.
#pragma once

#include <QWidget>

#include "VCF1.h"

namespace numora {

class TF1BookControl : public QWidget {
 public:
  explicit TF1BookControl(QWidget* parent) : QWidget(parent) { setVisible(false); }
  TF1Book& Book() { return book_; }

 private:
  TF1Book book_;
};

}  // namespace numora
