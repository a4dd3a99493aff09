// Which of the drawer's components a pointer position in the client area is over, from
// the front one back, so a headless mouse move reaches the handler the window would run.
// The window's description places the same components in the same order.
#pragma once

namespace numora {

enum class TMouseTarget {
  Picture,         // Image1: FormMouseMove
  HorizontalAxis,  // Panel1: Panel1MouseMove
  VerticalAxis,    // Panel2: Panel2MouseMove
  Other,           // a control without a mouse-move handler
  Outside,         // not in the client area
};

inline constexpr int kDrawerClientWidth = 638;
inline constexpr int kDrawerClientHeight = 457;
// Image1, the picture the curve is drawn on, fills the client area above the status bar.
inline constexpr int kPictureWidth = 638;
inline constexpr int kPictureHeight = 438;

TMouseTarget MouseTargetAt(int x, int y);

}  // namespace numora
