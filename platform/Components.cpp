#include "Components.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "Application.h"
#include "VirtualKeys.h"

namespace numora {
namespace {

template <class E, class... A>
void Raise(const E& handler, A&&... args) {
  if (!handler) return;
  TApplication::Instance().Guarded([&] { handler(std::forward<A>(args)...); });
}

void DrawBevel(QPainter& p, const QRect& r, bool raised) {
  const QColor light(255, 255, 255), dark(160, 160, 160);
  p.setPen(raised ? light : dark);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(raised ? dark : light);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

// Mouse moves stay with the component under the pointer.
void Own(QWidget* w) {
  w->setAttribute(Qt::WA_NoMousePropagation);
  w->setMouseTracking(true);
}

void MouseMove(QWidget* w, TComponentLook& look, QMouseEvent* e) {
  e->accept();
  const QPoint pos = e->position().toPoint();
  Raise(look.OnMouseMove, static_cast<QObject*>(w), pos.x(), pos.y());
}

void ClickOnRelease(QWidget* w, TComponentLook& look, QMouseEvent* e) {
  e->accept();
  if (e->button() == Qt::LeftButton && w->rect().contains(e->position().toPoint()))
    Raise(look.OnClick, static_cast<QObject*>(w));
}

}  // namespace

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
  Own(this);
  setFocusPolicy(Qt::NoFocus);
}
void TPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!transparent) p.fillRect(rect(), color.On(palette()));
  if (bevel != TBevel::None) DrawBevel(p, rect().adjusted(0, 0, -1, -1), bevel == TBevel::Raised);
}
void TPanel::mouseMoveEvent(QMouseEvent* e) { MouseMove(this, *this, e); }
void TPanel::mouseReleaseEvent(QMouseEvent* e) { ClickOnRelease(this, *this, e); }

TLabel::TLabel(QWidget* parent) : QWidget(parent) {
  Own(this);
  setFocusPolicy(Qt::NoFocus);
}
void TLabel::SetCaption(const QString& text) {
  caption_ = text;
  update();
}
void TLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!transparent) p.fillRect(rect(), color.On(palette()));
  p.setPen(fontColor.On(palette()));
  p.setFont(font());
  QString text = caption_;
  text.remove('&');
  // drawText clips at the widget's edges and never elides, so right-aligned overflow is cut
  // on the left and the last characters stay in view.
  p.drawText(rect(), int(alignment | Qt::AlignTop) | (wordWrap ? Qt::TextWordWrap : 0), text);
}
void TLabel::mouseMoveEvent(QMouseEvent* e) { MouseMove(this, *this, e); }
void TLabel::mouseReleaseEvent(QMouseEvent* e) { ClickOnRelease(this, *this, e); }

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  setAttribute(Qt::WA_NoMousePropagation);
  setMouseTracking(true);
}

// A line edit claims Ctrl+C and Ctrl+V for its own copy and paste before any shortcut sees
// them; the window's menu has those shortcuts, and a key no shortcut takes still comes here.
bool TEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride &&
      (static_cast<QKeyEvent*>(e)->modifiers() & Qt::ControlModifier)) {
    e->ignore();
    return true;
  }
  return QLineEdit::event(e);
}

// The input method (the desktop's compose handling too) asks the field before it takes a key.
QVariant TEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled && !inputMethod) return false;
  return QLineEdit::inputMethodQuery(query);
}

void TEdit::keyPressEvent(QKeyEvent* e) {
  const char ch = CharacterOf(*e, keypadDigits);
  const std::uint16_t code = VirtualKeyOf(*e);
  std::uint16_t key = code;
  Raise(OnKeyDown, static_cast<QObject*>(this), key, ShiftStateOf(*e), ch != 0);
  if (code != 0 && key == 0) return e->accept();
  if (ch != 0 && OnKeyPress) {
    char passed = ch;
    Raise(OnKeyPress, static_cast<QObject*>(this), passed);
    if (passed == 0) return e->accept();
    // A replaced character, and one the stroke's own text lacks (a keypad face with NumLock
    // off), go in as they are; anything else the field takes as it comes.
    const bool ownText = !e->text().isEmpty() && e->text()[0].isPrint();
    if (passed != ch || (!ownText && QChar(passed).isPrint()))
      return insert(QString(QChar(passed)));
  }
  if (ownerSetsText) return e->accept();
  QLineEdit::keyPressEvent(e);
}

void TEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (!focusedOnce_) selectAll();
  focusedOnce_ = true;
}

// The selection outlives the focus: a menu takes the keyboard while its command runs, and
// "&Paste" right after "&Copy" must replace the copied text, not add to it.
void TEdit::focusOutEvent(QFocusEvent* e) {
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  QLineEdit::focusOutEvent(e);
  if (start >= 0) setSelection(start, length);
}

void TEdit::CopySelection() { QGuiApplication::clipboard()->setText(selectedText()); }

std::optional<QString> TEdit::ClipboardText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text();
}

void TEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (ownerSetsText) return e->accept();
  QLineEdit::contextMenuEvent(e);
}

void TEdit::mouseMoveEvent(QMouseEvent* e) {
  QLineEdit::mouseMoveEvent(e);
  e->accept();
  const QPoint pos = e->position().toPoint();
  Raise(OnMouseMove, static_cast<QObject*>(this), pos.x(), pos.y());
}

TSpeedButton::TSpeedButton(QWidget* parent) : QWidget(parent) {
  Own(this);
  setFocusPolicy(Qt::NoFocus);
}
void TSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), color.On(palette()));
  DrawBevel(p, rect().adjusted(0, 0, -1, -1), !down_);
  const QRect inner = rect().translated(down_ ? 1 : 0, down_ ? 1 : 0);
  if (!glyph.isNull()) {
    QRect g(QPoint(0, 0), glyph.size());
    g.moveCenter(inner.center());
    p.drawImage(g, glyph);
  }
  p.setPen(fontColor.On(palette()));
  p.setFont(font());
  p.drawText(inner, Qt::AlignCenter, caption_);
}
void TSpeedButton::mousePressEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton) return;
  pressed_ = down_ = true;
  update();
}
void TSpeedButton::mouseMoveEvent(QMouseEvent* e) {
  if (pressed_) {
    const bool inside = rect().contains(e->position().toPoint());
    if (inside != down_) {
      down_ = inside;
      update();
    }
  }
  MouseMove(this, *this, e);
}
void TSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = down_ = false;
  update();
  if (rect().contains(e->position().toPoint())) Raise(OnClick, static_cast<QObject*>(this));
}

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  setAttribute(Qt::WA_NoMousePropagation);
  setAutoDefault(true);  // Enter presses the focused button, as Space does
}
void TButton::mouseMoveEvent(QMouseEvent* e) {
  QPushButton::mouseMoveEvent(e);
  e->accept();
  const QPoint pos = e->position().toPoint();
  Raise(OnMouseMove, static_cast<QObject*>(this), pos.x(), pos.y());
}

TImage::TImage(QWidget* parent) : QWidget(parent) {
  Own(this);
  setFocusPolicy(Qt::NoFocus);
}
void TImage::SetImage(const QImage& image) {
  image_ = image;
  update();
}
void TImage::SetPainter(TPainter painter) {
  painter_ = std::move(painter);
  update();
}
void TImage::LineTo(int x, int y) {
  layer_.emplace_back(QLineF(penPos_, QPoint(x, y)), pen);
  penPos_ = QPoint(x, y);
  update();
}
void TImage::ClearLayer() {
  layer_.clear();
  update();
}
void TImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!transparent) p.fillRect(rect(), color.On(palette()));
  const auto target = [&](QSize size) { return stretch ? rect() : QRect(QPoint(0, 0), size); };
  if (painter_) {
    painter_(p, rect());
  } else {
    if (image_.isNull() && !pictureSource.isEmpty()) image_.load(pictureSource);
    if (!image_.isNull()) p.drawImage(target(image_.size()), image_);
  }
  for (const auto& [line, linePen] : layer_) {
    p.setPen(linePen);
    p.drawLine(line);
  }
}
void TImage::mouseMoveEvent(QMouseEvent* e) { MouseMove(this, *this, e); }
void TImage::mouseReleaseEvent(QMouseEvent* e) { ClickOnRelease(this, *this, e); }

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  Own(this);
  setFocusPolicy(Qt::NoFocus);
}
void TStatusBar::SetPanelWidths(std::vector<int> widths) {
  widths_ = std::move(widths);
  texts_.assign(widths_.size(), QString());
  update();
}
void TStatusBar::SetPanelText(int index, const QString& text) {
  texts_.at(index) = text;
  update();
}
void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), color.On(palette()));
  p.setFont(font());
  int x = 0;
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    const bool last = i + 1 == widths_.size();
    const int w = last ? std::max(0, width() - x) : widths_[i];
    const QRect cell(x, 2, w - 2, height() - 2);
    DrawBevel(p, cell.adjusted(0, 0, -1, -1), false);
    p.setPen(fontColor.On(palette()));
    p.drawText(cell.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, texts_[i]);
    x += w;
  }
}
void TStatusBar::mouseMoveEvent(QMouseEvent* e) { MouseMove(this, *this, e); }

}  // namespace numora
