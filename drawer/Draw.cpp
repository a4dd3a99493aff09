#include "Draw.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "Application.h"
#include "DrawerLogic.h"
#include "F1BookCells.h"
#include "F1BookControl.h"
#include "FormBuilder.h"
#include "StoredBackground.h"
#include "WindowPlacement.h"
#include "WindowPorts.h"

// The description's resources live in this static library: register them before use.
static void InitDrawResources() { Q_INIT_RESOURCE(Draw); }

namespace numora {

TForm1* Form1 = nullptr;

namespace {

// The standard classes, the spreadsheet component, and what this window's description says
// beyond them: an edit field without a border, and the picture as a stored record.
TComponentRegistry DrawRegistry(TStoredBackground& background) {
  TComponentRegistry registry = TComponentRegistry::Standard();
  registry.AddClass<TF1BookControl>("TF1Book");
  registry.AddProperty<TEdit>("TEdit", "borderStyle", [](TEdit& edit, const QJsonValue& value) {
    if (value.toString() != "none" && value.toString() != "single")
      throw std::runtime_error("borderStyle is \"none\" or \"single\"");
    edit.setFrame(value.toString() == "single");
  });
  registry.AddProperty<TImage>(
      "TImage", "pictureData", [&background](TImage&, const QJsonValue& value) {
        QFile file(value.toString());
        if (!file.open(QIODevice::ReadOnly))
          throw std::runtime_error("no stored picture " + value.toString().toStdString());
        const QByteArray bytes = file.readAll();
        background.Load(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  std::size_t(bytes.size())));
      });
  return registry;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QDialog(parent), background_(std::make_unique<TStoredBackground>()) {
  InitDrawResources();
  THandlers handlers;
  handlers.Add("Edit1KeyPress", this, &TForm1::Edit1KeyPress)
      .Add("FormMouseMove", this, &TForm1::FormMouseMove)
      .Add("Panel1MouseMove", this, &TForm1::Panel1MouseMove)
      .Add("Panel2MouseMove", this, &TForm1::Panel2MouseMove)
      .Add("SpeedButton1Click", this, &TForm1::SpeedButton1Click);
  formEvents_ = std::make_unique<TFormEvents>(
      BuildForm(*this, "TForm1", ":/drawer/Draw.json", handlers, DrawRegistry(*background_)));

  image1_ = &Component<TImage>(*this, "Image1");
  edit1_ = &Component<TEdit>(*this, "Edit1");
  label4_ = &Component<TLabel>(*this, "Label4");
  label5_ = &Component<TLabel>(*this, "Label5");
  statusBar1_ = &Component<TStatusBar>(*this, "StatusBar1");
  f1Book_ = &Component<TF1BookControl>(*this, "F1Book");
  image1_->SetPainter([this](QPainter& p, const QRect& target) { DrawPicture(p, target); });
  Component<TButton>(*this, "Button1").setAutoDefault(false);  // Enter belongs to Edit1
  edit1_->setFocus();

  surface_ = std::make_unique<TImageSurface>(*this, *image1_);
  texts_ = std::make_unique<TWindowTexts>(*edit1_, Component<TPanel>(*this, "Panel3"), *label4_,
                                          *label5_, *statusBar1_);
  pump_ = std::make_unique<TApplicationPump>(*this);
  cells_ = std::make_unique<TF1BookCells>(f1Book_->Book());
  logic_ = std::make_unique<TDrawerLogic>(TDrawerGeometry::Drawer(), *surface_, *texts_, *pump_,
                                          *cells_);
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::Edit1KeyPress(QObject*, char& key) { logic_->Edit1KeyPress(key); }
void TForm1::FormMouseMove(QObject*, int x, int y) { logic_->FormMouseMove(x, y); }
void TForm1::Panel1MouseMove(QObject*, int, int) { logic_->Panel1MouseMove(); }
void TForm1::Panel2MouseMove(QObject*, int, int) { logic_->Panel2MouseMove(); }
void TForm1::SpeedButton1Click(QObject*) { logic_->SpeedButton1Click(); }
void TForm1::Pause(int seconds, int milliseconds) { logic_->Pause(seconds, milliseconds); }
bool TForm1::SlowMotion() const { return logic_->SlowMotion(); }
bool TForm1::PictureDrawn() const { return background_->Drawn(); }
const TPicture& TForm1::Picture() const { return background_->Picture(); }

void TForm1::DrawPicture(QPainter& painter, const QRect& target) {
  background_->Draw(painter, target, palette().color(QPalette::Window));
}

void TForm1::showEvent(QShowEvent* event) {
  image1_->ClearLayer();  // a window shown again shows no curve
  QDialog::showEvent(event);
  CentreOnFirstShow(*this, centred_);
}

// Only the bare window gets here: the picture and the controls keep their own moves.
void TForm1::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (formEvents_->OnMouseMove)
    TApplication::Instance().Guarded([&] { formEvents_->OnMouseMove(this, pos.x(), pos.y()); });
}

// A modal drawer closes by its close button only; Escape does not reject it.
void TForm1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return event->accept();
  QDialog::keyPressEvent(event);
}

}  // namespace numora
