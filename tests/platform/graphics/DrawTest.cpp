#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "PaletteGuard.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

namespace numora {
namespace {

using StretchDraw = PaletteLeakCheck;

// Top-left red, top-right green, bottom-left blue, bottom-right white.
TBitmap Quadrants24() {
  TBitmap bmp(2, 2);
  const std::uint8_t top[] = {0, 0, 255, 0, 255, 0};
  const std::uint8_t bottom[] = {255, 0, 0, 255, 255, 255};
  std::memcpy(bmp.GetScanline(0), top, 6);
  std::memcpy(bmp.GetScanline(1), bottom, 6);
  return bmp;
}

QImage Target(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::black);
  return img;
}

TEST_F(StretchDraw, TwentyFourBitPixelsLandInTheirQuadrantsWithTheirColours) {
  TBitmap bmp = Quadrants24();
  QImage img = Target(20, 20);
  {
    QPainter painter(&img);
    TCanvas canvas(painter);
    canvas.StretchDraw(TRect{0, 0, 20, 20}, bmp);
  }
  EXPECT_EQ(img.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(17, 2), qRgb(0, 255, 0));
  EXPECT_EQ(img.pixel(2, 17), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(17, 17), qRgb(255, 255, 255));
}

TEST_F(StretchDraw, OnlyTheTargetRectangleIsPainted) {
  TBitmap bmp = Quadrants24();
  QImage img = Target(30, 30);
  {
    QPainter painter(&img);
    TCanvas canvas(painter);
    canvas.StretchDraw(QRect(10, 10, 10, 10), bmp);
  }
  EXPECT_EQ(img.pixel(9, 9), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(20, 20), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(11, 11), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(19, 19), qRgb(255, 255, 255));
}

TEST_F(StretchDraw, EightBitPixelsShowTheirPaletteColours) {
  TBitmap bmp(2, 1, TPixelFormat::pf8bit);
  bmp.SetPalette(MakePalette({{10, 20, 30, 0}, {200, 100, 50, 0}}));
  bmp.GetScanline(0)[0] = 1;
  bmp.GetScanline(0)[1] = 0;
  QImage img = Target(4, 2);
  {
    QPainter painter(&img);
    TCanvas canvas(painter);
    canvas.StretchDraw(TRect{0, 0, 4, 2}, bmp);
  }
  EXPECT_EQ(img.pixel(0, 0), qRgb(200, 100, 50));
  EXPECT_EQ(img.pixel(3, 1), qRgb(10, 20, 30));
}

TEST_F(StretchDraw, IndicesBeyondAShortPaletteShowBlackAndNoPaletteShowsGray) {
  TBitmap bmp(2, 1, TPixelFormat::pf8bit);
  bmp.GetScanline(0)[0] = 9;
  bmp.GetScanline(0)[1] = 128;
  QImage gray = Target(2, 1);
  {
    QPainter painter(&gray);
    TCanvas(painter).Draw(0, 0, bmp);
  }
  EXPECT_EQ(gray.pixel(1, 0), qRgb(128, 128, 128));
  bmp.SetPalette(MakePalette({{255, 255, 255, 0}}));
  QImage img = Target(2, 1);
  img.fill(Qt::red);
  {
    QPainter painter(&img);
    TCanvas(painter).Draw(0, 0, bmp);
  }
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(StretchDraw, EmptyBitmapsAndEmptyRectanglesDrawNothing) {
  QImage img = Target(4, 4);
  TBitmap empty;
  TBitmap bmp = Quadrants24();
  {
    QPainter painter(&img);
    TCanvas canvas(painter);
    canvas.StretchDraw(TRect{0, 0, 4, 4}, empty);
    canvas.StretchDraw(TRect{0, 0, 0, 4}, bmp);
    canvas.StretchDraw(TRect{4, 4, 0, 0}, bmp);
  }
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(img.pixel(x, y), qRgb(0, 0, 0));
}

TEST_F(StretchDraw, DrawingDoesNotUnshareOrChangeTheBitmap) {
  TBitmap a = Quadrants24();
  TBitmap b;
  b.Assign(a);
  QImage img = Target(8, 8);
  {
    QPainter painter(&img);
    TCanvas(painter).StretchDraw(TRect{0, 0, 8, 8}, b);
  }
  EXPECT_TRUE(a.SharesPixelsWith(b));
}

TEST_F(StretchDraw, QImageCopiesRoundTrip) {
  TBitmap a = Quadrants24();
  QImage copy = a.ToQImage();
  EXPECT_EQ(copy.pixel(1, 0), qRgb(0, 255, 0));
  TBitmap b;
  b.FromQImage(copy);
  EXPECT_TRUE(a.Equals(b));
  QImage argb(3, 1, QImage::Format_ARGB32);
  argb.fill(qRgb(1, 2, 3));
  b.FromQImage(argb);
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(b.ReadScanline(0)[6], 3) << "blue first";
  EXPECT_EQ(b.ReadScanline(0)[8], 1);
}

}  // namespace
}  // namespace numora
