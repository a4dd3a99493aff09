#include "About.h"

#include <QPainter>
#include <QScreen>

#include "Components.h"
#include "Look.h"

namespace numora {

TAboutBox* AboutBox = nullptr;

namespace {

QFont Face(const char* face, int pixels) {
  QFont font(SubstituteFace(face));
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

// A small pocket calculator, drawn rather than stored.
QImage CalculatorPicture() {
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(ColorByName("clSkyBlue"));
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(QColor(64, 64, 64));
  p.drawRoundedRect(6, 1, 20, 30, 3, 3);
  p.setBrush(QColor(170, 210, 150));
  p.drawRect(9, 4, 14, 6);
  p.setBrush(QColor(230, 230, 230));
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 3; ++col) p.drawRect(9 + col * 5, 13 + row * 4, 3, 2);
  return image;
}

TLabel* AddLabel(QWidget* parent, const char* name, QRect geometry, const QString& text) {
  auto* label = new TLabel(parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->wordWrap = true;
  label->SetCaption(text);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle(QString(32, ' ') + "About");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(302, 300);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColorByName("clSkyBlue"));
  setPalette(palette);
  setFont(Face("MS Sans Serif", 11));

  const QImage picture = CalculatorPicture();
  for (auto [name, left] : {std::pair{"ProgramIcon", 5}, std::pair{"Image1", 237}}) {
    auto* image = new TImage(this);
    image->setObjectName(name);
    image->setGeometry(left, 31, 60, 35);
    image->stretch = true;
    image->SetImage(picture);
  }

  TLabel* product = AddLabel(this, "ProductName", {73, 26, 160, 39}, "Numora");
  product->alignment = Qt::AlignCenter;
  product->color = ColorByName("clGradientActiveCaption");
  product->fontColor = Qt::white;
  product->setFont(Face("Arial Narrow", 19));

  TLabel* comments = AddLabel(this, "CommentsLabel", {0, 70, 297, 75},
                              "Numora: a calculator "
                              "and function plotter.");
  comments->color = Qt::black;
  comments->fontColor = Qt::white;
  comments->setFont(Face("Book Antiqua", 19));

  TLabel* author = AddLabel(this, "Label1", {0, 152, 297, 49}, "Written by the Numora developers");
  author->alignment = Qt::AlignCenter;
  author->color = Qt::blue;
  author->fontColor = Qt::white;
  author->setFont(Face("Century Gothic", 16));

  auto* ok = new TButton(this);
  ok->setObjectName("OKButton");
  ok->setText("&Закрыть");
  ok->setGeometry(112, 208, 89, 25);
  ok->setFont(Face("MS Sans Serif", 13));
  ok->setStyleSheet("color: blue");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { OKButtonClick(); });
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
