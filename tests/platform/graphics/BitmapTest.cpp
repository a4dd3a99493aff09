#include <gtest/gtest.h>

#include <cstring>

#include "PaletteGuard.h"
#include "graphics/Bitmap.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

using Bitmap = PaletteLeakCheck;

void Fill24(TBitmap& bmp, std::uint8_t seed) {
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint8_t* row = bmp.GetScanline(y);
    for (int x = 0; x < bmp.Width() * 3; ++x) row[x] = static_cast<std::uint8_t>(seed + y * 7 + x);
  }
}

struct StrideCase {
  int width;
  TPixelFormat format;
  int stride;
};

class BitmapStride : public ::testing::TestWithParam<StrideCase> {};

TEST_P(BitmapStride, RowsAreFourByteAlignedAndContiguous) {
  const StrideCase& c = GetParam();
  TBitmap bmp(c.width, 5, c.format);
  EXPECT_EQ(bmp.Stride(), c.stride);
  EXPECT_EQ(TBitmap::StrideFor(c.width, c.format), c.stride);
  for (int y = 1; y < 5; ++y) {
    EXPECT_EQ(bmp.GetScanline(y) - bmp.GetScanline(y - 1), c.stride) << "row " << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, BitmapStride,
                         ::testing::Values(StrideCase{1, TPixelFormat::pf24bit, 4},
                                           StrideCase{2, TPixelFormat::pf24bit, 8},
                                           StrideCase{4, TPixelFormat::pf24bit, 12},
                                           StrideCase{1023, TPixelFormat::pf24bit, 3072},
                                           StrideCase{1, TPixelFormat::pf8bit, 4},
                                           StrideCase{5, TPixelFormat::pf8bit, 8},
                                           StrideCase{1024, TPixelFormat::pf8bit, 1024},
                                           StrideCase{3, TPixelFormat::pfDevice, 12}));

TEST_F(Bitmap, ScanlinesOutsideTheBitmapAreRefused) {
  TBitmap bmp(3, 2);
  EXPECT_THROW(bmp.GetScanline(2), EInvalidGraphicOperation);
  EXPECT_THROW(bmp.GetScanline(-1), EInvalidGraphicOperation);
  EXPECT_THROW(bmp.ReadScanline(2), EInvalidGraphicOperation);
  TBitmap empty;
  EXPECT_THROW(empty.GetScanline(0), EInvalidGraphicOperation);
}

TEST_F(Bitmap, NewAndEmptyStates) {
  TBitmap bmp;
  EXPECT_TRUE(bmp.IsEmpty());
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);
  bmp.SetPixelFormat(TPixelFormat::pf8bit);
  bmp.SetWidth(4);
  EXPECT_TRUE(bmp.IsEmpty()) << "a bitmap of width 4 and height 0 has no pixels";
  bmp.SetHeight(1);
  EXPECT_FALSE(bmp.IsEmpty());
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(bmp.BitsPerPixel(), 8);
  bmp.SetSize(-5, -5);
  EXPECT_TRUE(bmp.IsEmpty());
  EXPECT_THROW(bmp.SetSize(70000, 1), EInvalidGraphicOperation);
}

struct TSizeCase {
  const char* name;
  int width, height;
  TPixelFormat format;
  bool fits;
};

class BitmapSizeLimit : public ::testing::TestWithParam<TSizeCase> {};

TEST_P(BitmapSizeLimit, AllowsSidesUpTo65536AndPixelsUpTo512MiB) {
  const TSizeCase& c = GetParam();
  if (c.fits) {
    EXPECT_NO_THROW(TBitmap::CheckSize(c.width, c.height, c.format));
  } else {
    EXPECT_THROW(TBitmap::CheckSize(c.width, c.height, c.format), EInvalidGraphicOperation);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BitmapSizeLimit,
    ::testing::Values(TSizeCase{"LongThinRow", 65536, 1, TPixelFormat::pf24bit, true},
                      TSizeCase{"SideBeyond65536", 65537, 1, TPixelFormat::pf8bit, false},
                      TSizeCase{"Exactly512MiBOf8Bit", 16384, 32768, TPixelFormat::pf8bit, true},
                      TSizeCase{"OneRowMoreThan512MiB", 16384, 32769, TPixelFormat::pf8bit, false},
                      TSizeCase{"SameSizeIn24BitIsTooMuch", 16384, 16384, TPixelFormat::pf24bit,
                                false},
                      TSizeCase{"NegativeSidesAreEmpty", -1, -1, TPixelFormat::pf24bit, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Bitmap, RefusesAHugeSizeWithoutChangingTheBitmap) {
  TBitmap bmp(2, 2);
  EXPECT_THROW(bmp.SetSize(20000, 20000), EInvalidGraphicOperation);
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.Height(), 2);
  EXPECT_THROW(TBitmap(20000, 20000), EInvalidGraphicOperation);
}

TEST_F(Bitmap, AssignSharesPixelsUntilOneSideWrites) {
  TBitmap a(4, 3);
  Fill24(a, 1);
  TBitmap b;
  b.Assign(a);
  EXPECT_TRUE(b.SharesPixelsWith(a));
  EXPECT_EQ(b.ReadScanline(1), a.ReadScanline(1)) << "reading keeps the sharing";
  b.GetScanline(1)[0] = 0xEE;
  EXPECT_FALSE(b.SharesPixelsWith(a));
  EXPECT_EQ(b.ReadScanline(1)[0], 0xEE);
  EXPECT_EQ(a.ReadScanline(1)[0], static_cast<std::uint8_t>(1 + 7)) << "the source is unchanged";
  EXPECT_EQ(b.ReadScanline(2)[5], a.ReadScanline(2)[5]) << "the rest was copied";
}

TEST_F(Bitmap, TheLastHolderFreesTheSharedPixelsAndPalette) {
  auto a = std::make_unique<TBitmap>(2, 2, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}});
  a->SetPalette(p);
  auto b = std::make_unique<TBitmap>();
  b->Assign(*a);
  EXPECT_EQ(b->Palette(), p) << "copies share the palette too";
  a.reset();
  EXPECT_TRUE(IsPaletteHandle(p));
  b.reset();
  EXPECT_FALSE(IsPaletteHandle(p));
}

TEST_F(Bitmap, WritingACopyDuplicatesItsPalette) {
  TBitmap a(2, 2, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}, {4, 5, 6, 0}});
  a.SetPalette(p);
  TBitmap b;
  b.Assign(a);
  b.GetScanline(0)[0] = 1;
  EXPECT_EQ(a.Palette(), p);
  EXPECT_NE(b.Palette(), 0u);
  EXPECT_NE(b.Palette(), p);
  EXPECT_EQ(b.ColorOfIndex(1).peGreen, 5);
}

TEST_F(Bitmap, SetPaletteOnACopyLeavesTheOthersPaletteAlone) {
  TBitmap a(2, 2, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}});
  a.SetPalette(p);
  TBitmap b;
  b.Assign(a);
  HPALETTE q = MakePalette({{9, 9, 9, 0}});
  b.SetPalette(q);
  EXPECT_EQ(a.Palette(), p);
  EXPECT_EQ(b.Palette(), q);
  b.SetPalette(q);  // the same handle again is no change
  EXPECT_TRUE(IsPaletteHandle(q));
}

TEST_F(Bitmap, ReleasePaletteHandsTheHandleOver) {
  TBitmap a(1, 1, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}});
  a.SetPalette(p);
  TBitmap shared;
  shared.Assign(a);
  TPaletteHandle mine(shared.ReleasePalette());
  EXPECT_NE(mine.Get(), p) << "a shared palette is released as a copy";
  EXPECT_EQ(a.Palette(), p);
  EXPECT_EQ(shared.Palette(), 0u);
  TPaletteHandle own(a.ReleasePalette());
  EXPECT_EQ(own.Get(), p);
  EXPECT_EQ(a.Palette(), 0u);
}

TEST_F(Bitmap, ResizingKeepsTheOverlapAndZeroesTheRest) {
  TBitmap bmp(2, 2);
  Fill24(bmp, 10);
  std::uint8_t first = bmp.ReadScanline(1)[4];
  bmp.SetSize(3, 3);
  EXPECT_EQ(bmp.ReadScanline(1)[4], first);
  EXPECT_EQ(bmp.ReadScanline(1)[6], 0);
  EXPECT_EQ(bmp.ReadScanline(2)[0], 0);
}

TEST_F(Bitmap, ResizingAnOwnedPaletteBitmapKeepsThePalette) {
  TBitmap bmp(2, 2, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}});
  bmp.SetPalette(p);
  bmp.SetSize(5, 5);
  EXPECT_EQ(bmp.Palette(), p);
}

TEST_F(Bitmap, EightToTwentyFourBitsGoesThroughThePaletteInBlueGreenRedOrder) {
  TBitmap bmp(2, 1, TPixelFormat::pf8bit);
  bmp.SetPalette(MakePalette({{200, 100, 50, 0}, {1, 2, 3, 0}}));
  bmp.GetScanline(0)[0] = 1;
  bmp.GetScanline(0)[1] = 0;
  bmp.SetPixelFormat(TPixelFormat::pf24bit);
  const std::uint8_t* row = bmp.ReadScanline(0);
  EXPECT_EQ(row[0], 3);
  EXPECT_EQ(row[1], 2);
  EXPECT_EQ(row[2], 1);
  EXPECT_EQ(row[3], 50);
  EXPECT_EQ(row[5], 200);
}

TEST_F(Bitmap, ConvertingASharedBitmapLeavesTheOtherCopyAsItWas) {
  TBitmap a(2, 2, TPixelFormat::pf8bit);
  a.GetScanline(0)[0] = 77;
  TBitmap b;
  b.Assign(a);
  b.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(a.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(a.ReadScanline(0)[0], 77);
  EXPECT_EQ(b.ReadScanline(0)[0], 77) << "without a palette indices are gray levels";
}

TEST_F(Bitmap, TwentyFourToEightBitsPicksTheNearestPaletteEntry) {
  TBitmap bmp(3, 1);
  std::uint8_t* row = bmp.GetScanline(0);
  const std::uint8_t bgr[9] = {0, 0, 250, 240, 10, 10, 128, 128, 128};
  std::memcpy(row, bgr, 9);
  bmp.SetPalette(MakePalette({{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}, {130, 130, 130, 0}}));
  bmp.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(bmp.ReadScanline(0)[0], 1);
  EXPECT_EQ(bmp.ReadScanline(0)[1], 2);
  EXPECT_EQ(bmp.ReadScanline(0)[2], 3);
}

TEST_F(Bitmap, TwentyFourToEightBitsWithoutAPaletteGetsTheHalftonePalette) {
  TBitmap bmp(1, 1);
  bmp.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_NE(bmp.Palette(), 0u);
  EXPECT_EQ(GetPaletteEntries(bmp.Palette(), 0, 0, nullptr), 256u);
}

TEST_F(Bitmap, EqualsComparesVisiblePixelsAndColours) {
  TBitmap a(3, 2), b(3, 2);
  Fill24(a, 5);
  Fill24(b, 5);
  EXPECT_TRUE(a.Equals(b));
  b.GetScanline(1)[8] ^= 1;
  EXPECT_FALSE(a.Equals(b));
  TBitmap c(3, 2, TPixelFormat::pf8bit), d(3, 2, TPixelFormat::pf8bit);
  EXPECT_TRUE(c.Equals(d));
  d.SetPalette(MakePalette({{5, 5, 5, 0}}));
  EXPECT_FALSE(c.Equals(d));
}

TEST_F(Bitmap, AssignFromAGraphicCopiesAndNotifies) {
  TBitmap a(2, 2);
  Fill24(a, 3);
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TGraphic&) { ++changes; };
  static_cast<TGraphic&>(b).Assign(static_cast<TGraphic&>(a));
  EXPECT_TRUE(b.SharesPixelsWith(a));
  EXPECT_EQ(changes, 1);
}

TEST_F(Bitmap, ChangePaletteTakesTheHandleMarksThePaletteAndNotifies) {
  TBitmap bmp(1, 1, TPixelFormat::pf8bit);
  int changes = 0;
  bmp.OnChange = [&](TGraphic&) { ++changes; };
  HPALETTE p = MakePalette({{7, 8, 9, 0}});
  bmp.ChangePalette(p);
  EXPECT_EQ(bmp.CurrentPalette(), p);
  EXPECT_TRUE(bmp.PaletteModified());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bmp.ColorOfIndex(0).peBlue, 9);
  EXPECT_EQ(bmp.ColorOfIndex(1).peBlue, 0) << "beyond the palette";
}

// The file form.

TEST_F(Bitmap, TwentyFourBitBmpRoundTrips) {
  TBitmap a(5, 3);
  Fill24(a, 40);
  TMemoryStream s;
  a.SaveStream(s);
  EXPECT_EQ(s.Size(), 14 + 40 + 16 * 3);
  EXPECT_EQ(s.Memory()[0], 'B');
  s.SetPosition(0);
  TBitmap b;
  b.LoadStream(s);
  EXPECT_TRUE(a.Equals(b));
}

TEST_F(Bitmap, EightBitBmpRoundTripsWithItsPalette) {
  TBitmap a(3, 2, TPixelFormat::pf8bit);
  a.SetPalette(MakePalette({{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}}));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) a.GetScanline(y)[x] = static_cast<std::uint8_t>((x + y) % 3);
  TMemoryStream s;
  a.SaveStream(s);
  s.SetPosition(0);
  TBitmap b;
  b.LoadStream(s);
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(GetPaletteEntries(b.Palette(), 0, 0, nullptr), 3u);
  EXPECT_TRUE(a.Equals(b));
}

TEST_F(Bitmap, AnEmptyBitmapSavesNothingAndLoadsFromNothing) {
  TBitmap a;
  TMemoryStream s;
  a.SaveStream(s);
  EXPECT_EQ(s.Size(), 0);
  TBitmap b(2, 2);
  b.LoadStream(s);
  EXPECT_TRUE(b.IsEmpty());
}

TEST_F(Bitmap, StoredFormIsALengthThenTheFile) {
  TBitmap a(2, 2);
  Fill24(a, 0);
  TMemoryStream s;
  a.WriteStored(s);
  s.SetPosition(0);
  EXPECT_EQ(s.ReadInt32LE(), s.Size() - 4);
  s.SetPosition(0);
  TBitmap b;
  b.ReadStored(s);
  EXPECT_TRUE(a.Equals(b));
  EXPECT_EQ(s.Remaining(), 0);
}

struct BadStored {
  const char* name;
  std::vector<std::uint8_t> bytes;
};

class BitmapBadStoredData : public PaletteLeakCheck,
                            public ::testing::WithParamInterface<BadStored> {};

TEST_P(BitmapBadStoredData, IsAClearErrorAndLeavesTheBitmapAlone) {
  TBitmap bmp(2, 2);
  Fill24(bmp, 9);
  TBitmap before;
  before.Assign(bmp);
  TMemoryStream s;
  s.WriteBuffer(GetParam().bytes.data(), GetParam().bytes.size());
  s.SetPosition(0);
  try {
    bmp.ReadStored(s);
    FAIL() << "accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()), "");
  } catch (const EReadError&) {
  }
  EXPECT_TRUE(bmp.Equals(before));
}

std::vector<std::uint8_t> Header(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                 std::uint32_t compression = 0) {
  std::vector<std::uint8_t> h = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) h.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put32(static_cast<std::uint32_t>(width));
  put32(static_cast<std::uint32_t>(height));
  h.push_back(1);
  h.push_back(0);
  h.push_back(static_cast<std::uint8_t>(bits));
  h.push_back(0);
  put32(compression);
  for (int i = 0; i < 5; ++i) put32(0);
  return h;
}

std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& file, std::int32_t length = -2) {
  auto l =
      static_cast<std::uint32_t>(length == -2 ? static_cast<std::int32_t>(file.size()) : length);
  std::vector<std::uint8_t> out;
  out.reserve(4 + file.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(l >> (8 * i)));
  for (std::uint8_t b : file) out.push_back(b);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Records, BitmapBadStoredData,
    ::testing::Values(BadStored{"NoLength", {1, 2}},
                      BadStored{"NegativeLength", Stored({1, 2, 3}, -1)},
                      BadStored{"LengthBeyondTheData", Stored({'B', 'M'}, 1000)},
                      BadStored{"NotABmp", Stored(std::vector<std::uint8_t>(60, 'x'))},
                      BadStored{"ShortHeader", Stored({'B', 'M', 1, 2, 3})},
                      BadStored{"FourBitsPerPixel", Stored(Header(2, 2, 4))},
                      BadStored{"Compressed", Stored(Header(2, 2, 8, 1))},
                      BadStored{"ZeroWidth", Stored(Header(0, 2, 24))},
                      BadStored{"HugeSize", Stored(Header(100000, 100000, 24))},
                      BadStored{"PixelsMissing", Stored(Header(100, 100, 24))},
                      BadStored{"ColourTableMissing", Stored(Header(2, 2, 8))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Bitmap, TopDownBmpIsReadTopRowFirst) {
  std::vector<std::uint8_t> file = Header(1, -2, 24);
  file.insert(file.end(), {1, 2, 3, 0, 4, 5, 6, 0});
  TMemoryStream s;
  s.WriteBuffer(file.data(), file.size());
  s.SetPosition(0);
  TBitmap bmp;
  bmp.LoadStream(s);
  EXPECT_EQ(bmp.ReadScanline(0)[0], 1);
  EXPECT_EQ(bmp.ReadScanline(1)[0], 4);
}

TEST_F(Bitmap, MutatedFilesNeverCrashOrLeak) {
  TBitmap a(7, 5, TPixelFormat::pf8bit);
  a.SetPalette(MakePalette({{1, 2, 3, 0}, {4, 5, 6, 0}}));
  TMemoryStream s;
  a.SaveStream(s);
  std::vector<std::uint8_t> good(s.Memory(), s.Memory() + s.Size());
  std::uint32_t rng = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::uint8_t> bytes = good;
    int flips = 1 + round % 4;
    for (int i = 0; i < flips; ++i) {
      rng = rng * 1664525u + 1013904223u;
      bytes[(rng >> 8) % 60] = static_cast<std::uint8_t>(rng >> 24);
    }
    rng = rng * 1664525u + 1013904223u;
    if (round % 3 == 0) bytes.resize((rng >> 8) % bytes.size());
    TMemoryStream in;
    in.WriteBuffer(bytes.data(), bytes.size());
    in.SetPosition(0);
    TBitmap b;
    try {
      b.LoadStream(in);
    } catch (const EInvalidGraphic&) {
    } catch (const EStreamError&) {
    }
  }
}

}  // namespace
}  // namespace numora
