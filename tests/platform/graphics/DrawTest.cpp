// A bitmap's meeting points with Qt: stretched drawing, QImage copies and the clipboard form.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstring>

#include "PaletteGuard.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GraphicsErrors.h"

namespace numora {
namespace {

// Top-left red, top-right green, bottom-left blue, bottom-right white.
TBitmap Quadrants24() {
  TBitmap bmp(2, 2);
  const std::uint8_t top[] = {0, 0, 255, 0, 255, 0};
  const std::uint8_t bottom[] = {255, 0, 0, 255, 255, 255};
  std::memcpy(bmp.GetScanline(0), top, 6);
  std::memcpy(bmp.GetScanline(1), bottom, 6);
  return bmp;
}

// Index 1, index 0, then indices 9 and 128, which lie beyond the palette of two entries.
TBitmap Indexed(bool withPalette) {
  TBitmap bmp(4, 1, TPixelFormat::pf8bit);
  if (withPalette) bmp.SetPalette(MakePalette({{10, 20, 30, 0}, {200, 100, 50, 0}}));
  const std::uint8_t indices[] = {1, 0, 9, 128};
  std::memcpy(bmp.GetScanline(0), indices, 4);
  return bmp;
}

struct TProbe {
  int x, y;
  QRgb colour;
};

struct TDrawCase {
  const char* name;
  TBitmap (*bitmap)();
  TRect target;
  std::vector<TProbe> probes;  // the canvas is black before the draw
};

class StretchDraw : public PaletteLeakCheck, public ::testing::WithParamInterface<TDrawCase> {};

TEST_P(StretchDraw, PaintsThePixelsColoursIntoTheTargetOnly) {
  const TDrawCase& c = GetParam();
  TBitmap bmp = c.bitmap();
  TBitmap copy(bmp);
  QImage img(30, 30, QImage::Format_RGB32);
  img.fill(Qt::black);
  {
    QPainter painter(&img);
    TCanvas(painter).StretchDraw(c.target, bmp);
  }
  for (const TProbe& p : c.probes) {
    EXPECT_EQ(img.pixel(p.x, p.y), p.colour) << p.x << ", " << p.y;
  }
  EXPECT_TRUE(copy.SharesPixelsWith(bmp)) << "drawing does not unshare";
}

const QRgb kBlack = qRgb(0, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Bitmaps, StretchDraw,
    ::testing::Values(
        TDrawCase{"TwentyFourBitQuadrants",
                  Quadrants24,
                  {10, 10, 20, 20},
                  {{11, 11, qRgb(255, 0, 0)},
                   {18, 11, qRgb(0, 255, 0)},
                   {11, 18, qRgb(0, 0, 255)},
                   {19, 19, qRgb(255, 255, 255)},
                   {9, 9, kBlack},
                   {20, 20, kBlack}}},
        TDrawCase{"EightBitThroughThePaletteBlackBeyondIt",
                  [] { return Indexed(true); },
                  {0, 0, 8, 2},
                  {{0, 0, qRgb(200, 100, 50)}, {3, 1, qRgb(10, 20, 30)}, {7, 0, kBlack}}},
        TDrawCase{"EightBitWithoutAPaletteIsGray",
                  [] { return Indexed(false); },
                  {0, 0, 4, 1},
                  {{3, 0, qRgb(128, 128, 128)}}},
        TDrawCase{"EmptyBitmap", [] { return TBitmap(); }, {0, 0, 4, 4}, {{1, 1, kBlack}}},
        TDrawCase{"ZeroWidthTarget", Quadrants24, {0, 0, 0, 4}, {{0, 1, kBlack}}},
        TDrawCase{"InvertedTarget", Quadrants24, {4, 4, 0, 0}, {{1, 1, kBlack}, {3, 3, kBlack}}}),
    [](const auto& info) { return std::string(info.param.name); });

using Clipboard = PaletteLeakCheck;

TEST_F(Clipboard, SaveGivesAnImageAndAPaletteTheCallerOwns) {
  TBitmap bmp = Indexed(true);
  TClipboardFormat format = 0;
  QImage data;
  HPALETTE palette = 0;
  bmp.SaveClipboard(format, data, palette);
  TPaletteHandle owned(palette);
  EXPECT_EQ(format, CF_BITMAP);
  ASSERT_EQ(data.format(), QImage::Format_Indexed8);
  EXPECT_EQ(data.pixel(0, 0), qRgb(200, 100, 50));
  EXPECT_NE(palette, bmp.Palette());
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 2u);
}

TEST_F(Clipboard, LoadTakesTheImagesPixelsAndColoursAndNotifies) {
  TBitmap quadrants = Quadrants24();
  QImage gray(2, 1, QImage::Format_Grayscale8);
  gray.fill(40);
  QImage argb(3, 1, QImage::Format_ARGB32);
  argb.fill(qRgb(1, 2, 3));
  struct {
    QImage image;
    HPALETTE palette;
    int bits;
    PALETTEENTRY first;  // colour of pixel 0, 0
  } cases[] = {
      {quadrants.ToQImage(), 0, 24, {255, 0, 0, 0}},
      {Indexed(true).ToQImage(), 0, 8, {200, 100, 50, 0}},
      {argb, 0, 24, {1, 2, 3, 0}},
      {gray, 0, 8, {40, 40, 40, 0}},
      {gray, MakePalette({{0, 0, 0, 0}}), 8, {0, 0, 0, 0}},  // no colour table: the palette's
  };
  for (auto& c : cases) {
    TBitmap bmp;
    int changes = 0;
    bmp.OnChange = [&](TGraphic&) { ++changes; };
    bmp.LoadClipboard(CF_BITMAP, c.image, c.palette);
    TPaletteHandle callers(c.palette);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bmp.BitsPerPixel(), c.bits);
    EXPECT_EQ(bmp.PaletteModified(), c.bits == 8);
    EXPECT_EQ(bmp.Width(), c.image.width());
    const std::uint8_t* row = bmp.ReadScanline(0);
    const PALETTEENTRY got =
        c.bits == 8 ? bmp.ColorOfIndex(row[0]) : PALETTEENTRY{row[2], row[1], row[0], 0};
    EXPECT_EQ(got.peRed, c.first.peRed) << c.bits;
    EXPECT_EQ(got.peGreen, c.first.peGreen);
    EXPECT_EQ(got.peBlue, c.first.peBlue);
  }
  TBitmap kept(1, 1);
  EXPECT_THROW(kept.LoadClipboard(1, argb, 0), EInvalidGraphic) << "not a picture format";
  EXPECT_THROW(kept.LoadClipboard(CF_BITMAP, QImage(), 0), EInvalidGraphic);
  EXPECT_EQ(kept.Width(), 1);
}

}  // namespace
}  // namespace numora
