// The platform's palette, screen and clock calls.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "PaletteGuard.h"
#include "graphics/Palette.h"
#include "graphics/Screen.h"

namespace numora {
namespace {

using Palettes = PaletteLeakCheck;

TEST_F(Palettes, EntriesComeBackAsCreatedFromAnyStartForVersion0x300AndUpTo256) {
  TPaletteHandle p(MakePalette({{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}}));
  EXPECT_EQ(GetPaletteEntries(p.Get(), 0, 0, nullptr), 3u);
  PALETTEENTRY e[256];
  ASSERT_EQ(GetPaletteEntries(p.Get(), 0, 256, e), 3u);
  EXPECT_EQ(e[2].peRed + e[2].peBlue, 70 + 90);
  ASSERT_EQ(GetPaletteEntries(p.Get(), 1, 1, e), 1u);
  EXPECT_EQ(e[0].peGreen, 50);
  EXPECT_EQ(GetPaletteEntries(p.Get(), 3, 1, e), 0u);
  TPaletteHandle none(MakePalette({}));
  EXPECT_NE(none.Get(), 0u) << "a palette of no entries is valid";
  TLogPalette log;
  log.palNumEntries = 256;
  TPaletteHandle full(CreatePalette(log));
  EXPECT_EQ(GetPaletteEntries(full.Get(), 0, 0, nullptr), 256u);
  log.palNumEntries = 257;
  EXPECT_EQ(CreatePalette(log), 0u);
  log.palNumEntries = 1;
  log.palVersion = 0x200;
  EXPECT_EQ(CreatePalette(log), 0u);
}

TEST(PaletteFaults, CopiesAreIndependentAndLeaksAndRepeatedDeletesAreCounted) {
  const TPaletteHandleStats before = PaletteHandleStats();
  HPALETTE a = MakePalette({{1, 2, 3, 0}});
  HPALETTE b = CopyPalette(a);
  EXPECT_NE(b, a);
  EXPECT_EQ(PaletteHandleStats().live, before.live + 2);
  EXPECT_TRUE(DeleteObject(a));
  PALETTEENTRY e;
  ASSERT_EQ(GetPaletteEntries(b, 0, 1, &e), 1u);
  EXPECT_EQ(e.peBlue, 3);
  EXPECT_EQ(CopyPalette(a), 0u) << "a deleted handle cannot be copied";
  EXPECT_FALSE(DeleteObject(a));
  EXPECT_FALSE(DeleteObject(12345));
  EXPECT_FALSE(DeleteObject(0)) << "deleting no palette is harmless";
  TPaletteHandle c(MakePalette({}));
  EXPECT_NE(c.Get(), a) << "handles are never reused";
  TPaletteHandle d(std::move(c));
  d.Reset(b);  // deletes the empty one
  EXPECT_TRUE(DeleteObject(d.Release()));
  EXPECT_EQ(PaletteHandleStats().badDeletes, before.badDeletes + 2);
  EXPECT_EQ(PaletteHandleStats().live, before.live);
}

int ColorBits() {
  HDC dc = GetDC(0);
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  EXPECT_EQ(GetDeviceCaps(dc, 99), 0);
  EXPECT_EQ(GetDeviceCaps(dc + 1, BITSPIXEL), 0) << "only the screen has capabilities";
  EXPECT_EQ(ReleaseDC(0, dc), 1);
  EXPECT_EQ(ReleaseDC(0, dc), 0) << "a second release is refused";
  return bits;
}

TEST(Screen, IsTwentyFourBitsWithoutAGuiUntilAnOverrideLives) {
  EXPECT_EQ(ColorBits(), 24);
  {
    TScreenCapsOverride eightBit({4, 2});
    EXPECT_EQ(ColorBits(), 8);
  }
  EXPECT_EQ(ColorBits(), 24);
  EXPECT_EQ(LiveDeviceContexts(), 0);
}

TEST(TickCount, CountsRealMillisecondsUnlessReplaced) {
  {
    TTickCountOverride clock([] { return 0xFFFFFF00u; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
  }
  const std::uint32_t before = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::uint32_t elapsed = GetTickCount() - before;
  // The tick has a resolution of a few milliseconds.
  EXPECT_GE(elapsed, 40u);
}

}  // namespace
}  // namespace numora
