#include <gtest/gtest.h>

#include "DrawerLayout.h"

namespace numora {
namespace {

struct TTargetCase {
  int x, y;
  TMouseTarget target;
};

TEST(DrawerLayout, PointerReachesTheFrontComponentUnderIt) {
  using T = TMouseTarget;
  for (const TTargetCase& c : {
           TTargetCase{317, 100, T::Picture},
           TTargetCase{0, 100, T::Picture},
           TTargetCase{316, 100, T::VerticalAxis},
           TTargetCase{316, 434, T::VerticalAxis},
           TTargetCase{316, 435, T::Other},  // Edit1 below the vertical line's end
           TTargetCase{316, 225, T::VerticalAxis},
           TTargetCase{0, 225, T::HorizontalAxis},
           TTargetCase{631, 225, T::HorizontalAxis},
           TTargetCase{632, 225, T::Picture},
           TTargetCase{101, 40, T::Other},
           TTargetCase{102, 40, T::Picture},
           TTargetCase{59, 416, T::Other},
           TTargetCase{500, 410, T::Other},
           TTargetCase{637, 437, T::Picture},
           TTargetCase{10, 440, T::Other},
           TTargetCase{-1, 10, T::Outside},
           TTargetCase{638, 10, T::Outside},
           TTargetCase{10, 457, T::Outside},
       }) {
    EXPECT_EQ(MouseTargetAt(c.x, c.y), c.target) << c.x << ", " << c.y;
  }
}

}  // namespace
}  // namespace numora
