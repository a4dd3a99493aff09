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
                                           StrideCase{1024, TPixelFormat::pf8bit, 1024}));

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
    TBitmap bmp(2, 2, c.format);
    EXPECT_THROW(bmp.SetSize(c.width, c.height), EInvalidGraphicOperation);
    EXPECT_EQ(bmp.Width(), 2) << "a refused size changes nothing";
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

TEST_F(Bitmap, SizesScanlinesAndEmptiness) {
  TBitmap bmp(4, 0, TPixelFormat::pf8bit);
  EXPECT_TRUE(bmp.IsEmpty()) << "a bitmap of width 4 and height 0 has no pixels";
  EXPECT_THROW(bmp.GetScanline(0), EInvalidGraphicOperation);
  bmp.ChangeHeight(2);
  EXPECT_FALSE(bmp.IsEmpty());
  EXPECT_EQ(bmp.BitsPerPixel(), 8);
  EXPECT_THROW(bmp.GetScanline(2), EInvalidGraphicOperation);
  EXPECT_THROW(bmp.ReadScanline(-1), EInvalidGraphicOperation);
  bmp.SetSize(-5, -5);
  EXPECT_TRUE(bmp.IsEmpty());
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf8bit) << "the format outlives the pixels";
}

TEST_F(Bitmap, ResizingKeepsTheOverlapZeroesTheRestAndKeepsThePalette) {
  TBitmap bmp(2, 2);
  Fill24(bmp, 10);
  const std::uint8_t kept = bmp.ReadScanline(1)[4];
  bmp.SetSize(3, 3);
  EXPECT_EQ(bmp.ReadScanline(1)[4], kept);
  EXPECT_EQ(bmp.ReadScanline(1)[6], 0);
  EXPECT_EQ(bmp.ReadScanline(2)[0], 0);
  TBitmap indexed(2, 2, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}});
  indexed.SetPalette(p);
  indexed.ChangeWidth(5);
  EXPECT_EQ(indexed.Palette(), p);
}

TEST_F(Bitmap, CopiesSharePixelsAndPaletteUntilOneSideWrites) {
  TBitmap a(4, 3, TPixelFormat::pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}, {4, 5, 6, 0}});
  a.SetPalette(p);
  a.GetScanline(2)[3] = 1;
  auto b = std::make_unique<TBitmap>(a);
  EXPECT_TRUE(b->SharesPixelsWith(a));
  EXPECT_EQ(b->Palette(), p);
  EXPECT_EQ(b->ReadScanline(1), a.ReadScanline(1)) << "reading keeps the sharing";
  b->GetScanline(1)[0] = 0xEE;
  EXPECT_FALSE(b->SharesPixelsWith(a));
  EXPECT_EQ(a.ReadScanline(1)[0], 0) << "the source is unchanged";
  EXPECT_EQ(b->ReadScanline(2)[3], 1) << "the rest was copied";
  EXPECT_NE(b->Palette(), p) << "the writer has its own palette";
  EXPECT_EQ(b->ColorOfIndex(1).peGreen, 5);
  TBitmap c(a);
  c.SetPalette(MakePalette({{9, 9, 9, 0}}));
  EXPECT_EQ(a.Palette(), p) << "a new palette on a copy leaves the other's alone";
  b.reset();
  EXPECT_EQ(GetPaletteEntries(p, 0, 0, nullptr), 2u) << "the palette lives while a holder does";
}

TEST_F(Bitmap, EightToTwentyFourBitsGoesThroughThePaletteInBlueGreenRedOrder) {
  TBitmap bmp(3, 1, TPixelFormat::pf8bit);
  bmp.SetPalette(MakePalette({{200, 100, 50, 0}, {1, 2, 3, 0}}));
  const std::uint8_t indices[] = {1, 0, 7};  // 7 lies beyond the palette
  std::memcpy(bmp.GetScanline(0), indices, 3);
  TBitmap shared(bmp);
  bmp.SetPixelFormat(TPixelFormat::pf24bit);
  const std::uint8_t bgr[] = {3, 2, 1, 50, 100, 200, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bmp.ReadScanline(0), bgr, 9), 0);
  EXPECT_EQ(shared.PixelFormat(), TPixelFormat::pf8bit) << "the other copy is as it was";
  EXPECT_EQ(shared.ReadScanline(0)[0], 1);
  TBitmap gray(1, 1, TPixelFormat::pf8bit);
  gray.GetScanline(0)[0] = 77;
  gray.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(gray.ReadScanline(0)[2], 77) << "without a palette indices are gray levels";
}

TEST_F(Bitmap, TwentyFourToEightBitsPicksTheNearestEntryOrTheHalftonePalette) {
  TBitmap bmp(3, 1);
  const std::uint8_t bgr[9] = {0, 0, 250, 240, 10, 10, 128, 128, 128};
  std::memcpy(bmp.GetScanline(0), bgr, 9);
  TBitmap plain(bmp);
  bmp.SetPalette(MakePalette({{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}, {130, 130, 130, 0}}));
  bmp.SetPixelFormat(TPixelFormat::pf8bit);
  const std::uint8_t nearest[] = {1, 2, 3};
  EXPECT_EQ(std::memcmp(bmp.ReadScanline(0), nearest, 3), 0);
  plain.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(GetPaletteEntries(plain.Palette(), 0, 0, nullptr), 256u);
  EXPECT_EQ(plain.ColorOfIndex(plain.ReadScanline(0)[0]).peRed, 255);
}

TEST_F(Bitmap, GraphicOperationsCopyNotifyAndRefuseWhatABitmapCannotDo) {
  TBitmap a(2, 2);
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TGraphic&) { ++changes; };
  static_cast<TGraphic&>(b).Assign(static_cast<TGraphic&>(a));
  EXPECT_TRUE(b.SharesPixelsWith(a));
  EXPECT_EQ(changes, 1);
  HPALETTE p = MakePalette({{7, 8, 9, 0}});
  b.ChangePalette(p);
  EXPECT_EQ(b.CurrentPalette(), p);
  EXPECT_TRUE(b.PaletteModified());
  EXPECT_EQ(changes, 2);
  TMemoryStream s;
  try {
    b.SaveStream(s);
    FAIL() << "a bitmap wrote a file form";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "A TBitmap has no file format");
  }
  EXPECT_THROW(b.ReadStored(s), EInvalidGraphicOperation);
}

}  // namespace
}  // namespace numora
