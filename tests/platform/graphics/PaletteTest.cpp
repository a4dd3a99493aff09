#include <gtest/gtest.h>

#include "PaletteGuard.h"
#include "graphics/Palette.h"
#include "graphics/Screen.h"

namespace numora {
namespace {

using Palettes = PaletteLeakCheck;

TEST_F(Palettes, EntriesComeBackAsCreatedFromAnyStart) {
  TPaletteHandle p(MakePalette({{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}}));
  ASSERT_NE(p.Get(), 0u);
  EXPECT_EQ(GetPaletteEntries(p.Get(), 0, 0, nullptr), 3u);
  PALETTEENTRY e[256];
  ASSERT_EQ(GetPaletteEntries(p.Get(), 0, 256, e), 3u);
  EXPECT_EQ(e[2].peRed, 70);
  EXPECT_EQ(e[2].peBlue, 90);
  ASSERT_EQ(GetPaletteEntries(p.Get(), 1, 1, e), 1u);
  EXPECT_EQ(e[0].peGreen, 50);
  EXPECT_EQ(GetPaletteEntries(p.Get(), 3, 1, e), 0u);
  TPaletteHandle none(MakePalette({}));
  EXPECT_NE(none.Get(), 0u) << "a palette of no entries is valid";
  EXPECT_EQ(GetPaletteEntries(none.Get(), 0, 256, e), 0u);
}

TEST_F(Palettes, OnlyVersion0x300WithUpTo256EntriesIsMade) {
  TLogPalette log;
  log.palVersion = 0x200;
  log.palNumEntries = 1;
  EXPECT_EQ(CreatePalette(log), 0u);
  log.palVersion = 0x300;
  log.palNumEntries = 257;
  EXPECT_EQ(CreatePalette(log), 0u);
  log.palNumEntries = 256;
  TPaletteHandle full(CreatePalette(log));
  EXPECT_EQ(GetPaletteEntries(full.Get(), 0, 0, nullptr), 256u);
}

TEST_F(Palettes, ACopyIsAnIndependentHandle) {
  HPALETTE a = MakePalette({{1, 2, 3, 0}});
  HPALETTE b = CopyPalette(a);
  ASSERT_NE(b, 0u);
  EXPECT_NE(a, b);
  EXPECT_TRUE(DeleteObject(a));
  PALETTEENTRY e;
  ASSERT_EQ(GetPaletteEntries(b, 0, 1, &e), 1u);
  EXPECT_EQ(e.peBlue, 3);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(CopyPalette(a), 0u) << "a deleted handle cannot be copied";
}

TEST(PaletteFaults, LeaksAndRepeatedDeletesAreCountedAndHandlesAreNeverReused) {
  const TPaletteHandleStats before = PaletteHandleStats();
  HPALETTE p = MakePalette({{1, 1, 1, 0}});
  EXPECT_EQ(PaletteHandleStats().live, before.live + 1);
  EXPECT_TRUE(DeleteObject(p));
  EXPECT_FALSE(DeleteObject(p));
  EXPECT_FALSE(DeleteObject(12345));
  EXPECT_FALSE(DeleteObject(0)) << "deleting no palette is harmless";
  TPaletteHandleStats after = PaletteHandleStats();
  EXPECT_EQ(after.badDeletes, before.badDeletes + 2);
  EXPECT_EQ(after.live, before.live);
  TPaletteHandle q(MakePalette({}));
  EXPECT_NE(q.Get(), p);
  EXPECT_EQ(GetPaletteEntries(p, 0, 0, nullptr), 0u) << "the stale handle stays dead";
}

TEST_F(Palettes, HalftonePaletteSpansTheColourSpaceIn256Entries) {
  HDC dc = GetDC(0);
  TPaletteHandle p(CreateHalftonePalette(dc));
  ReleaseDC(0, dc);
  PALETTEENTRY e[256];
  ASSERT_EQ(GetPaletteEntries(p.Get(), 0, 256, e), 256u);
  auto has = [&](int r, int g, int b) {
    for (const auto& x : e)
      if (x.peRed == r && x.peGreen == g && x.peBlue == b) return true;
    return false;
  };
  for (int c : {0, 255}) EXPECT_TRUE(has(c, c, c)) << c;
  EXPECT_TRUE(has(255, 0, 0));
  EXPECT_TRUE(has(0, 0, 255));
  EXPECT_TRUE(has(102, 153, 204));
}

TEST_F(Palettes, AnOwnedHandleMovesAndIsDeletedOnce) {
  TPaletteHandle a(MakePalette({{9, 9, 9, 0}}));
  TPaletteHandle b(std::move(a));
  EXPECT_EQ(a.Get(), 0u);
  TPaletteHandle c;
  c = std::move(b);
  c.Reset(MakePalette({}));  // deletes the first one
  EXPECT_TRUE(DeleteObject(c.Release()));
}

}  // namespace
}  // namespace numora
