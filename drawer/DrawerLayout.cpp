#include "DrawerLayout.h"

namespace numora {
namespace {

struct TPlace {
  int left, top, width, height;
  TMouseTarget target;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
};

// Front to back: the reverse of the order the description creates them in.
constexpr TPlace kPlaces[] = {
    {-3, 0, 105, 41, TMouseTarget::Other},                         // Panel3, the readout box
    {316, 0, 1, 435, TMouseTarget::VerticalAxis},                  // Panel2
    {0, 225, 632, 1, TMouseTarget::HorizontalAxis},                // Panel1
    {0, 438, 638, 19, TMouseTarget::Other},                        // StatusBar1
    {493, 408, 43, 32, TMouseTarget::Other},                       // SpeedButton1
    {58, 416, 432, 20, TMouseTarget::Other},                       // Edit1
    {0, 416, 60, 20, TMouseTarget::Other},                         // Label1
    {0, 0, kPictureWidth, kPictureHeight, TMouseTarget::Picture},  // Image1
};

}  // namespace

TMouseTarget MouseTargetAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kDrawerClientWidth || y >= kDrawerClientHeight)
    return TMouseTarget::Outside;
  for (const TPlace& place : kPlaces)
    if (place.Contains(x, y)) return place.target;
  return TMouseTarget::Picture;  // the bare window: the same handler as the picture
}

}  // namespace numora
