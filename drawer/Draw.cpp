#include "Draw.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "Application.h"
#include "DrawerLogic.h"
#include "F1BookCells.h"
#include "F1BookControl.h"
#include "Look.h"
#include "WindowPorts.h"

// The description's resources live in this static library: register them before use.
static void InitDrawResources() { Q_INIT_RESOURCE(Draw); }

namespace numora {

TForm1* Form1 = nullptr;

namespace {

QFont Face(const char* face, int pixels, bool bold, bool italic = false) {
  QFont font(SubstituteFace(face));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

template <class T>
T* Place(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* component = new T(parent);
  component->setObjectName(name);
  component->setGeometry(left, top, width, height);
  return component;
}

}  // namespace

// The stored background picture, decoded at its first drawing.
class TForm1::TBackground {
 public:
  bool Decoded() const { return false; }
  void Draw(QPainter&, const QRect&) {}
};

TForm1::TForm1(QWidget* parent) : QDialog(parent), background_(std::make_unique<TBackground>()) {
  InitDrawResources();
  setObjectName("Form1");
  setWindowTitle("Function Drawer");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  BuildComponents();
  surface_ = std::make_unique<TImageSurface>(*this, *image1_);
  texts_ = std::make_unique<TWindowTexts>(*edit1_, *label4_, *label5_, *statusBar1_);
  pump_ = std::make_unique<TApplicationPump>();
  cells_ = std::make_unique<TF1BookCells>(f1Book_->Book());
  logic_ = std::make_unique<TDrawerLogic>(*surface_, *texts_, *pump_, *cells_);
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildComponents() {
  setFixedSize(638, 457);
  setFont(Face("MS Sans Serif", 11, false));
  setToolTip("Press ENTER to Draw");
  setMouseTracking(true);

  image1_ = Place<TImage>(this, "Image1", 0, 0, 638, 438);
  image1_->stretch = true;
  image1_->SetPainter([this](QPainter& p, const QRect& target) { DrawPicture(p, target); });
  image1_->OnMouseMove = [this](QObject* s, int x, int y) { FormMouseMove(s, x, y); };

  auto* label1 = Place<TLabel>(this, "Label1", 0, 416, 60, 20);
  label1->SetCaption("F(w) =");
  label1->color = Qt::white;
  label1->fontColor = Qt::red;
  label1->setFont(Face("MS Sans Serif", 16, true, true));

  edit1_ = Place<TEdit>(this, "Edit1", 58, 416, 432, 20);
  edit1_->setFrame(false);
  edit1_->setFont(Face("MS Sans Serif", 13, true));
  QPalette palette = edit1_->palette();
  palette.setColor(QPalette::Text, Qt::red);
  edit1_->setPalette(palette);
  edit1_->setToolTip("Press ENTER to Draw");
  edit1_->setText(TDrawerLogic::kInitialFormula);
  edit1_->OnKeyPress = [this](QObject* s, char& k) { Edit1KeyPress(s, k); };

  auto* speedButton1 = Place<TSpeedButton>(this, "SpeedButton1", 493, 408, 43, 32);
  speedButton1->setToolTip("SlowMotion");
  speedButton1->glyph = QImage(":/drawer/SlowMotion.bmp");
  speedButton1->OnClick = [this](QObject* s) { SpeedButton1Click(s); };

  statusBar1_ = Place<TStatusBar>(this, "StatusBar1", 0, 438, 638, 19);
  statusBar1_->SetPanelWidths({100, 100, 100});

  auto* panel1 = Place<TPanel>(this, "Panel1", 0, 225, 632, 1);
  panel1->color = Qt::red;
  panel1->bevel = TBevel::None;
  panel1->OnMouseMove = [this](QObject* s, int x, int y) { Panel1MouseMove(s, x, y); };

  auto* panel2 = Place<TPanel>(this, "Panel2", 316, 0, 1, 435);
  panel2->color = Qt::red;
  panel2->bevel = TBevel::None;
  panel2->OnMouseMove = [this](QObject* s, int x, int y) { Panel2MouseMove(s, x, y); };

  auto* panel3 = Place<TPanel>(this, "Panel3", -3, 0, 105, 41);
  panel3->color = ColorByName("clInfoBk");
  panel3->bevel = TBevel::Raised;
  label4_ = Place<TLabel>(panel3, "Label4", 3, 3, 99, 16);
  label5_ = Place<TLabel>(panel3, "Label5", 3, 19, 99, 16);
  for (auto [label, text] : {std::pair{label4_, "   w   = 0"}, std::pair{label5_, "F(w) = 0"}}) {
    label->SetCaption(text);
    label->transparent = true;
    label->fontColor = Qt::red;
    label->setFont(Face("MS Sans Serif", 13, true));
  }

  f1Book_ = Place<TF1BookControl>(this, "F1Book", 568, 496, 49, 33);
  auto* button1 = Place<TButton>(this, "Button1", 480, 528, 75, 25);
  button1->setText("Button1");
  button1->setAutoDefault(false);  // Enter belongs to Edit1
  edit1_->setFocus();
}

void TForm1::Edit1KeyPress(QObject*, char& key) { logic_->Edit1KeyPress(key); }
void TForm1::FormMouseMove(QObject*, int x, int y) { logic_->FormMouseMove(x, y); }
void TForm1::Panel1MouseMove(QObject*, int, int) { logic_->Panel1MouseMove(); }
void TForm1::Panel2MouseMove(QObject*, int, int) { logic_->Panel2MouseMove(); }
void TForm1::SpeedButton1Click(QObject*) { logic_->SpeedButton1Click(); }
void TForm1::Pause(int seconds, int milliseconds) { logic_->Pause(seconds, milliseconds); }
bool TForm1::SlowMotion() const { return logic_->SlowMotion(); }
bool TForm1::PictureDecoded() const { return background_->Decoded(); }

void TForm1::DrawPicture(QPainter& painter, const QRect& target) {
  background_->Draw(painter, target);
}

void TForm1::showEvent(QShowEvent* event) {
  image1_->ClearLayer();  // a window shown again shows no curve
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (const QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

// Only the bare window gets here: the picture and the controls keep their own moves.
void TForm1::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  TApplication::Instance().Guarded([&] { FormMouseMove(this, pos.x(), pos.y()); });
}

// A modal drawer closes by its close button only; Escape does not reject it.
void TForm1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return event->accept();
  QDialog::keyPressEvent(event);
}

}  // namespace numora
