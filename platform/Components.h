// The components a form description can name. Each is a plain Qt widget whose objectName is
// its component name, so tests and forms find it with findChild<T>("Name").
//
// Class names in descriptions: TPanel, TLabel, TEdit, TSpeedButton, TButton, TImage,
// TStatusBar (plus TTimer and the menu, which FormBuilder.h builds).
//
// Events are std::function members that the builder fills from the description's "events"
// (the handler runs inside TApplication::Guarded, so a fault goes to the fault report):
//   OnClick(sender)                                  TPanel, TLabel, TSpeedButton, TButton, TImage
//   OnMouseMove(sender, x, y)                        every component; x, y relative to it
//   OnKeyDown(sender, key&, shift, typesCharacter)   TEdit; key is a virtual key code
//                                                    (VirtualKeys.h); typesCharacter: an
//                                                    OnKeyPress with a character follows,
//                                                    unless the handler sets key to 0
//   OnKeyPress(sender, ch&)                          TEdit; set ch to '\0' to discard
// Mouse moves belong to the component under the pointer: they never pass on to its parent,
// so a panel sees only moves over its own free surface.
#pragma once

#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QPen>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "KeyCodes.h"
#include "Look.h"

namespace numora {

using TNotifyEvent = std::function<void(QObject* sender)>;
using TMouseMoveEvent = std::function<void(QObject* sender, int x, int y)>;
using TKeyDownEvent = std::function<void(QObject* sender, std::uint16_t& key, TShiftState shift,
                                         bool typesCharacter)>;
using TKeyPressEvent = std::function<void(QObject* sender, char& key)>;

// What every component shares: colour, font colour, mouse moves, clicks. The colours are drawn
// as they are, or from the component's palette where they keep a role (FormBuilder.h).
class TComponentLook {
 public:
  TLookColor color{QColor(240, 240, 240), QPalette::Button};
  TLookColor fontColor{QColor(0, 0, 0), QPalette::ButtonText};
  bool transparent = false;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
};

enum class TBevel { None, Raised, Lowered };

// A rectangle with an optional 1-pixel bevel that holds other components.
class TPanel : public QWidget, public TComponentLook {
 public:
  explicit TPanel(QWidget* parent);
  TBevel bevel = TBevel::Raised;
  int BevelWidth() const { return bevel == TBevel::None ? 0 : 1; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// Fixed-size text. Right-aligned text wider than the label keeps its last characters
// visible and is cut at the left edge.
class TLabel : public QWidget, public TComponentLook {
 public:
  explicit TLabel(QWidget* parent);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& text);
  Qt::Alignment alignment = Qt::AlignLeft;
  bool wordWrap = false;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QString caption_;
};

// Single-line text field; its whole text is selected the first time it gets the focus. Each key
// stroke raises OnKeyDown with its virtual key code, then OnKeyPress for the character it produces
// (Ctrl+letter gives the control character); a key set to 0 by OnKeyDown ends the stroke there,
// and a character set to '\0' never reaches the field, which also stops Ctrl+C/V/X from acting.
// Keys held with Ctrl go to the window's shortcuts first.
class TEdit : public QLineEdit {
 public:
  explicit TEdit(QWidget* parent);
  TKeyDownEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TMouseMoveEvent OnMouseMove;
  // Set, key strokes only raise OnKeyDown and OnKeyPress: no key edits the text or moves the
  // caret or the selection (Home, arrows, Delete), and there is no context menu; the owner
  // alone sets them.
  bool ownerSetsText = false;
  // False: the field takes key strokes, never an input method's compositions (a dead key
  // followed by a digit types the digit).
  bool inputMethod = true;
  // A field for numbers: the keypad types its digits and decimal point with NumLock off too.
  bool keypadDigits = false;
  // The selection onto the clipboard as plain text, also an empty one (a copy of nothing
  // must not leave an older text behind).
  void CopySelection();
  // The clipboard's plain text, all of it; nothing when the clipboard holds no text.
  static std::optional<QString> ClipboardText();

 protected:
  bool event(QEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  bool focusedOnce_ = false;
};

// A key drawn on its parent: never takes the focus, fires OnClick when the left button,
// pressed on it, is released over it. May carry a glyph and a hint (tool tip).
class TSpeedButton : public QWidget, public TComponentLook {
 public:
  explicit TSpeedButton(QWidget* parent);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& text) {
    caption_ = text;
    update();
  }
  QImage glyph;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QString caption_;
  bool pressed_ = false;
  bool down_ = false;
};

// A push button that takes the focus; Enter and Space press it.
class TButton : public QPushButton {
 public:
  explicit TButton(QWidget* parent);
  TMouseMoveEvent OnMouseMove;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override;
};

// A picture, stretched or not, with a drawing layer over it. The picture is either an image
// or a painter callback (so a form can decode its own picture lazily, at the first paint).
// The layer is where a form draws its own lines (MoveTo/LineTo with the pen); ClearLayer()
// and every showing of the window remove them, as a repaint of the window surface would.
class TImage : public QWidget, public TComponentLook {
 public:
  using TPainter = std::function<void(QPainter& painter, const QRect& target)>;
  explicit TImage(QWidget* parent);

  QString pictureSource;  // the description's "picture" (a resource path); loaded when drawn
  bool stretch = false;
  void SetImage(const QImage& image);
  void SetPainter(TPainter painter);
  bool PictureLoaded() const { return !image_.isNull(); }

  QPen pen{QColor(0, 0, 0)};
  void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
  void LineTo(int x, int y);
  void ClearLayer();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QImage image_;
  TPainter painter_;
  std::vector<std::pair<QLineF, QPen>> layer_;
  QPoint penPos_;
};

// A status bar of panels; the last panel reaches the right end.
class TStatusBar : public QWidget, public TComponentLook {
 public:
  explicit TStatusBar(QWidget* parent);
  void SetPanelWidths(std::vector<int> widths);
  int PanelCount() const { return static_cast<int>(texts_.size()); }
  QString PanelText(int index) const { return texts_.at(index); }
  void SetPanelText(int index, const QString& text);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  std::vector<int> widths_;
  std::vector<QString> texts_;
};

}  // namespace numora
