#include <gtest/gtest.h>

#include "ClipSegment.h"

namespace numora {
namespace {

constexpr TClipRect kRect{-10, -10, 650, 470};

TEST(ClipSegment, KeepsSegmentsInsideAsTheyAre) {
  const auto s = ClipSegment(116, 299, 117, 298, kRect);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->x1, 116);
  EXPECT_EQ(s->y2, 298);
}

TEST(ClipSegment, CutsASegmentTowardAFarPointAtTheEdgeItCrosses) {
  const auto s = ClipSegment(300, 100, 301, -2147483000.0, kRect);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->x1, 300);
  EXPECT_EQ(s->y1, 100);
  EXPECT_DOUBLE_EQ(s->y2, -10);
  EXPECT_NEAR(s->x2, 300.0, 1e-6);
}

TEST(ClipSegment, CutsBothEndsOfASegmentThatCrossesTheWholeRectangle) {
  const auto s = ClipSegment(-2e9, 100, 2e9, 100, kRect);
  ASSERT_TRUE(s);
  EXPECT_DOUBLE_EQ(s->x1, -10);
  EXPECT_DOUBLE_EQ(s->x2, 650);
}

TEST(ClipSegment, DropsSegmentsThatMissTheRectangle) {
  EXPECT_FALSE(ClipSegment(700, 0, 800, 10, kRect));
  EXPECT_FALSE(ClipSegment(0, -2e9, 1, -1e9, kRect));
  EXPECT_FALSE(ClipSegment(-2e9, -1e9, 2e9, -1e9, kRect));
}

}  // namespace
}  // namespace numora
