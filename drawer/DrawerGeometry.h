// The drawer's geometry as its window description states it: the client area, the picture the
// curve is drawn on, the origin where the axis lines cross, the formula Edit1 starts with, and
// which component a pointer position is over. The window and its headless twin read it from
// the description the window is built from, so a changed description moves the plot too.
#pragma once

#include <QJsonObject>
#include <string>
#include <vector>

namespace numora {

enum class TMouseTarget {
  Picture,         // Image1: FormMouseMove
  HorizontalAxis,  // Panel1: Panel1MouseMove
  VerticalAxis,    // Panel2: Panel2MouseMove
  Other,           // a control without a mouse-move handler
  Outside,         // not in the client area
};

struct TBox {
  int left = 0, top = 0, width = 0, height = 0;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
};

class TDrawerGeometry {
 public:
  // Throws EFormDescription when a component the drawer needs is missing.
  explicit TDrawerGeometry(const QJsonObject& description);
  // From the drawer's own description, read once.
  static const TDrawerGeometry& Drawer();

  int clientWidth = 0, clientHeight = 0;
  TBox picture;                // Image1
  int x0 = 0;                  // column of w = 0: the vertical axis line, Panel2
  int y0 = 0;                  // row of F = 0: the horizontal axis line, Panel1
  std::string initialFormula;  // Edit1's text

  // The component a pointer position in the client area is over, from the front one back.
  TMouseTarget TargetAt(int x, int y) const;

 private:
  struct TPlace {
    TBox box;
    TMouseTarget target;
  };
  std::vector<TPlace> places_;  // front to back
  TMouseTarget bareWindow_;     // where no component lies
};

}  // namespace numora
