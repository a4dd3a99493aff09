#include <gtest/gtest.h>

#include "PaletteGuard.h"
#include "graphics/Palette.h"
#include "graphics/Screen.h"

namespace numora {
namespace {

using Palettes = PaletteLeakCheck;

TEST_F(Palettes, EntriesComeBackAsCreated) {
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
}

TEST_F(Palettes, WrongVersionOrTooManyEntriesAreRefused) {
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

TEST_F(Palettes, AnEmptyPaletteIsValidAndYieldsNoEntries) {
  TPaletteHandle p(MakePalette({}));
  EXPECT_TRUE(IsPaletteHandle(p.Get()));
  PALETTEENTRY e;
  EXPECT_EQ(GetPaletteEntries(p.Get(), 0, 256, &e), 0u);
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

TEST(PaletteFaults, ADoubleDeleteIsRefusedAndCounted) {
  TPaletteHandleStats before = PaletteHandleStats();
  HPALETTE p = MakePalette({{1, 1, 1, 0}});
  EXPECT_TRUE(DeleteObject(p));
  EXPECT_FALSE(DeleteObject(p));
  EXPECT_FALSE(DeleteObject(12345));
  TPaletteHandleStats after = PaletteHandleStats();
  EXPECT_EQ(after.badDeletes, before.badDeletes + 2);
  EXPECT_EQ(after.live, before.live);
  EXPECT_FALSE(DeleteObject(0)) << "deleting no palette is harmless";
  EXPECT_EQ(PaletteHandleStats().badDeletes, before.badDeletes + 2);
}

TEST(PaletteFaults, ALeakedHandleShowsInTheLiveCount) {
  TPaletteHandleStats before = PaletteHandleStats();
  HPALETTE p = MakePalette({{1, 1, 1, 0}});
  EXPECT_EQ(PaletteHandleStats().live, before.live + 1);
  DeleteObject(p);
  EXPECT_EQ(PaletteHandleStats().live, before.live);
}

TEST_F(Palettes, HandlesAreNeverReused) {
  HPALETTE a = MakePalette({});
  DeleteObject(a);
  HPALETTE b = MakePalette({});
  EXPECT_NE(a, b);
  EXPECT_FALSE(IsPaletteHandle(a));
  DeleteObject(b);
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
  EXPECT_TRUE(has(0, 0, 0));
  EXPECT_TRUE(has(255, 255, 255));
  EXPECT_TRUE(has(255, 0, 0));
  EXPECT_TRUE(has(0, 0, 255));
  EXPECT_TRUE(has(102, 153, 204));
}

TEST_F(Palettes, OwnedHandleMovesAndDeletesOnce) {
  TPaletteHandle a(MakePalette({{9, 9, 9, 0}}));
  TPaletteHandle b(std::move(a));
  EXPECT_EQ(a.Get(), 0u);
  TPaletteHandle c;
  c = std::move(b);
  EXPECT_TRUE(IsPaletteHandle(c.Get()));
  HPALETTE raw = c.Release();
  EXPECT_TRUE(DeleteObject(raw));
}

}  // namespace
}  // namespace numora
