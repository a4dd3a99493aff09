#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "graphics/Screen.h"

namespace numora {
namespace {

int ColorBits() {
  HDC dc = GetDC(0);
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(0, dc);
  return bits;
}

TEST(Screen, IsTwentyFourBitsWithoutAGuiAndFollowsNestedOverrides) {
  EXPECT_EQ(ColorBits(), 24);
  {
    TScreenCapsOverride eightBit({4, 2});
    EXPECT_EQ(ColorBits(), 8);
    {
      TScreenCapsOverride inner({32, 1});
      EXPECT_EQ(ColorBits(), 32);
    }
    EXPECT_EQ(ColorBits(), 8);
  }
  EXPECT_EQ(ColorBits(), 24);
}

TEST(Screen, DeviceContextsAreCountedUntilReleasedAndOnlyTheScreenHasCapabilities) {
  const int before = LiveDeviceContexts();
  HDC dc = GetDC(0);
  EXPECT_EQ(LiveDeviceContexts(), before + 1);
  EXPECT_EQ(GetDeviceCaps(dc, 99), 0);
  EXPECT_EQ(GetDeviceCaps(dc + 1, BITSPIXEL), 0);
  EXPECT_EQ(ReleaseDC(0, dc), 1);
  EXPECT_EQ(LiveDeviceContexts(), before);
  EXPECT_EQ(ReleaseDC(0, dc), 0) << "a second release is refused";
}

TEST(TickCount, FollowsAReplacementClockThroughItsWrapThenTheRealMilliseconds) {
  std::uint32_t now = 0xFFFFFF00u;
  {
    TTickCountOverride clock([&] { return now; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    now += 0x200;
    EXPECT_EQ(GetTickCount(), 0x100u);
  }
  const std::uint32_t before = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::uint32_t elapsed = GetTickCount() - before;
  // The tick has a resolution of a few milliseconds; a busy machine may sleep longer.
  EXPECT_GE(elapsed, 40u);
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
}  // namespace numora
