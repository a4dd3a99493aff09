#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "graphics/Screen.h"

namespace numora {
namespace {

TEST(Screen, WithoutAGuiApplicationTheScreenIsTwentyFourBits) {
  EXPECT_EQ(ScreenColorBits(), 24);
  HDC dc = GetDC(0);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 24);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(dc, 99), 0);
  ReleaseDC(0, dc);
}

TEST(Screen, AnOverrideReplacesTheCapabilitiesAndRestoresThemAfterwards) {
  {
    TScreenCapsOverride eightBit({4, 2});
    EXPECT_EQ(ScreenColorBits(), 8);
    HDC dc = GetDC(0);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 4);
    EXPECT_EQ(GetDeviceCaps(dc, PLANES), 2);
    ReleaseDC(0, dc);
    {
      TScreenCapsOverride inner({32, 1});
      EXPECT_EQ(ScreenColorBits(), 32);
    }
    EXPECT_EQ(ScreenColorBits(), 8);
  }
  EXPECT_EQ(ScreenColorBits(), 24);
}

TEST(Screen, DeviceContextsAreCountedUntilReleased) {
  int before = LiveDeviceContexts();
  HDC dc = GetDC(0);
  EXPECT_EQ(LiveDeviceContexts(), before + 1);
  EXPECT_EQ(ReleaseDC(0, dc), 1);
  EXPECT_EQ(LiveDeviceContexts(), before);
  EXPECT_EQ(ReleaseDC(0, dc), 0) << "a second release is refused";
  EXPECT_EQ(GetDeviceCaps(dc + 1, BITSPIXEL), 0) << "an unknown context has no capabilities";
}

TEST(TickCount, FollowsAReplacementClockIncludingItsWrap) {
  std::uint32_t now = 0xFFFFFF00u;
  {
    TTickCountOverride clock([&] { return now; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    now += 0x200;
    EXPECT_EQ(GetTickCount(), 0x100u);
  }
  std::uint32_t a = GetTickCount();
  std::uint32_t b = GetTickCount();
  EXPECT_LT(b - a, 1000u) << "the real clock moves forward slowly";
}

TEST(TickCount, RealClockCountsMilliseconds) {
  const std::uint32_t before = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::uint32_t elapsed = GetTickCount() - before;
  // The tick has a resolution of a few milliseconds; a busy machine may sleep longer.
  EXPECT_GE(elapsed, 40u);
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
}  // namespace numora
