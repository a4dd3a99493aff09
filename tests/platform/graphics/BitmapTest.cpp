// TBitmap: pixel storage, sharing, conversions, and its meeting points with Qt (stretched
// drawing, the clipboard form).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "PaletteGuard.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GraphicsErrors.h"

// Allocations of this test program, which a test can make fail one at a time.
namespace {
std::atomic<int> allocationsUntilFailure{0};  // 0: none fails
}  // namespace

void* operator new(std::size_t size) {
  if (allocationsUntilFailure.load() > 0 && allocationsUntilFailure.fetch_sub(1) == 1) {
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace numora {
namespace {

using Bitmap = PaletteLeakCheck;

// The n-th allocation from now on fails (1: the next one) while this lives.
class TFailingAllocation {
 public:
  explicit TFailingAllocation(int n) { allocationsUntilFailure = n; }
  ~TFailingAllocation() { allocationsUntilFailure = 0; }
  TFailingAllocation(const TFailingAllocation&) = delete;
  TFailingAllocation& operator=(const TFailingAllocation&) = delete;
};
using enum TPixelFormat;

TEST_F(Bitmap, RowsAreContiguousAtAFourByteAlignedStride) {
  const struct {
    int width;
    TPixelFormat format;
    int stride;
  } cases[] = {{1, pf24bit, 4},       {2, pf24bit, 8}, {4, pf24bit, 12},
               {1023, pf24bit, 3072}, {1, pf8bit, 4},  {5, pf8bit, 8}};
  for (const auto& c : cases) {
    TBitmap bmp(c.width, 3, c.format);
    EXPECT_EQ(bmp.Stride(), c.stride) << c.width;
    EXPECT_EQ(bmp.GetScanline(2) - bmp.GetScanline(1), c.stride) << c.width;
  }
}

TEST_F(Bitmap, AllowsSidesUpTo65536AndPixelsUpTo512MiB) {
  const struct {
    int width, height;
    TPixelFormat format;
    bool fits;
  } cases[] = {{65536, 1, pf24bit, true},      {65537, 1, pf8bit, false},
               {16384, 32768, pf8bit, true},   {16384, 32769, pf8bit, false},
               {16384, 16384, pf24bit, false}, {-1, -1, pf24bit, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    if (c.fits) {
      EXPECT_NO_THROW(TBitmap::CheckSize(c.width, c.height, c.format));
      continue;
    }
    EXPECT_THROW(TBitmap::CheckSize(c.width, c.height, c.format), EInvalidGraphicOperation);
    TBitmap bmp(2, 2, c.format);
    EXPECT_THROW(bmp.SetSize(c.width, c.height), EInvalidGraphicOperation);
    EXPECT_EQ(bmp.Width(), 2) << "a refused size changes nothing";
  }
}

TEST_F(Bitmap, ResizingKeepsTheOverlapZeroesTheRestAndKeepsFormatAndTheChangedPalette) {
  TBitmap bmp(2, 0, pf8bit);
  EXPECT_TRUE(bmp.IsEmpty()) << "a bitmap of width 2 and height 0 has no pixels";
  EXPECT_THROW(bmp.GetScanline(0), EInvalidGraphicOperation);
  int changes = 0;
  bmp.OnChange = [&](TGraphic&) { ++changes; };
  HPALETTE p = MakePalette({{1, 2, 3, 0}});
  bmp.ChangePalette(p);
  EXPECT_EQ(bmp.CurrentPalette(), p);
  EXPECT_TRUE(bmp.PaletteModified());
  EXPECT_EQ(changes, 1);
  bmp.ChangeHeight(2);
  bmp.GetScanline(1)[1] = 9;
  bmp.ChangeWidth(3);
  EXPECT_EQ(bmp.ReadScanline(1)[1], 9);
  EXPECT_EQ(bmp.ReadScanline(1)[2], 0);
  EXPECT_THROW(bmp.ReadScanline(2), EInvalidGraphicOperation);
  EXPECT_THROW(bmp.ReadScanline(-1), EInvalidGraphicOperation);
  EXPECT_EQ(bmp.Palette(), p);
  bmp.SetSize(-5, 1);
  EXPECT_TRUE(bmp.IsEmpty());
  EXPECT_EQ(bmp.BitsPerPixel(), 8) << "the format outlives the pixels";
}

TEST_F(Bitmap, AFailedAllocationLeavesThePaletteWithTheBitmapAndLeaksNoHandle) {
  TBitmap indexedSource(3, 3, pf8bit);
  indexedSource.SetPalette(MakePalette({{1, 2, 3, 0}}));
  const QImage indexed = indexedSource.ToQImage();
  const std::pair<const char*, std::function<void(TBitmap&)>> changes[] = {
      {"resizing", [](TBitmap& b) { b.SetSize(9, 9); }},
      {"resizing a shared bitmap", [](TBitmap& b) { TBitmap(b).SetSize(9, 9); }},
      {"converting to 24 bits", [](TBitmap& b) { b.SetPixelFormat(pf24bit); }},
      {"loading an indexed image", [&](TBitmap& b) { b.FromQImage(indexed); }},
  };
  for (const auto& [name, change] : changes) {
    // Every allocation the change makes fails once, until one run makes none fail.
    for (int n = 1;; ++n) {
      TBitmap bmp(4, 4, pf8bit);
      bmp.SetPalette(MakePalette({{7, 8, 9, 0}}));
      bool failed = false;
      {
        const TFailingAllocation failing(n);
        try {
          change(bmp);
        } catch (const std::bad_alloc&) {
          failed = true;
        }
      }
      if (!failed) break;
      EXPECT_EQ(bmp.Width(), 4) << name << ", allocation " << n;
      EXPECT_EQ(bmp.ColorOfIndex(0).peRed, 7) << name << ", allocation " << n;
    }
  }
}

TEST_F(Bitmap, APinnedBitmapKeepsItsPixelStoreAndCopiesOfItGetTheirOwn) {
  TBitmap bmp(4, 2, pf8bit), other(2, 2);
  bmp.SetPalette(MakePalette({{1, 2, 3, 0}}));
  std::uint8_t* row = bmp.GetScanline(1);
  {
    TBitmap::TPin pin(bmp, "the bitmap is busy");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"resizing", [&] { bmp.SetSize(8, 8); }},
        {"resizing for overwriting", [&] { bmp.SetSizeForOverwrite(4, 2); }},
        {"converting", [&] { bmp.SetPixelFormat(pf24bit); }},
        {"assigning", [&] { bmp.Assign(other); }},
        {"loading an image", [&] { bmp.FromQImage(other.ToQImage()); }},
    };
    for (const auto& [name, change] : changes) {
      try {
        change();
        ADD_FAILURE() << name << " was allowed";
      } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "the bitmap is busy") << name;
      }
    }
    const TBitmap copy(bmp);
    TBitmap assigned;
    assigned.Assign(bmp);
    row[0] = 7;  // the pinner writes on
    for (const TBitmap* c : {&copy, static_cast<const TBitmap*>(&assigned)}) {
      EXPECT_FALSE(c->SharesPixelsWith(bmp));
      EXPECT_EQ(c->ReadScanline(1)[0], 0);
      EXPECT_EQ(c->ColorOfIndex(0).peBlue, 3);
    }
    EXPECT_EQ(bmp.GetScanline(1), row);
    pin.SetSizeForOverwrite(4, 3);  // the pinner's own change
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.ColorOfIndex(0).peBlue, 3);
    EXPECT_THROW(bmp.SetSize(8, 8), EInvalidGraphicOperation) << "still pinned";
  }
  bmp.SetSize(8, 8);  // allowed again
}

TEST_F(Bitmap, CopiesSharePixelsAndPaletteUntilOneSideWrites) {
  TBitmap a(4, 3, pf8bit);
  HPALETTE p = MakePalette({{1, 2, 3, 0}, {4, 5, 6, 0}});
  a.SetPalette(p);
  a.GetScanline(2)[3] = 1;
  auto b = std::make_unique<TBitmap>(a);
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
}

TEST_F(Bitmap, EightToTwentyFourBitsGoesThroughThePaletteInBlueGreenRedOrder) {
  TBitmap bmp(3, 1, pf8bit);
  bmp.SetPalette(MakePalette({{200, 100, 50, 0}, {1, 2, 3, 0}}));
  const std::uint8_t indices[] = {1, 0, 7};  // 7 lies beyond the palette
  std::memcpy(bmp.GetScanline(0), indices, 3);
  TBitmap shared(bmp);
  bmp.SetPixelFormat(pf24bit);
  const std::uint8_t bgr[] = {3, 2, 1, 50, 100, 200, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bmp.ReadScanline(0), bgr, 9), 0);
  EXPECT_EQ(shared.ReadScanline(0)[0], 1) << "the other copy is as it was";
  TBitmap gray(1, 1, pf8bit);
  gray.GetScanline(0)[0] = 77;
  gray.SetPixelFormat(pf24bit);
  EXPECT_EQ(gray.ReadScanline(0)[2], 77) << "without a palette indices are gray levels";
}

TEST_F(Bitmap, TwentyFourToEightBitsPicksTheNearestEntryOrTheHalftonePalette) {
  TBitmap bmp(3, 1);
  const std::uint8_t bgr[9] = {0, 0, 250, 240, 10, 10, 128, 128, 128};
  std::memcpy(bmp.GetScanline(0), bgr, 9);
  TBitmap plain(bmp);
  bmp.SetPalette(MakePalette({{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}, {130, 130, 130, 0}}));
  bmp.SetPixelFormat(pf8bit);
  const std::uint8_t nearest[] = {1, 2, 3};
  EXPECT_EQ(std::memcmp(bmp.ReadScanline(0), nearest, 3), 0);
  plain.SetPixelFormat(pf8bit);
  EXPECT_EQ(GetPaletteEntries(plain.Palette(), 0, 0, nullptr), 256u);
  EXPECT_EQ(plain.ColorOfIndex(plain.ReadScanline(0)[0]).peRed, 255);
}

// Top-left red, top-right green, bottom-left blue, bottom-right white.
TBitmap Quadrants24() {
  TBitmap bmp(2, 2);
  const std::uint8_t top[] = {0, 0, 255, 0, 255, 0}, bottom[] = {255, 0, 0, 255, 255, 255};
  std::memcpy(bmp.GetScanline(0), top, 6);
  std::memcpy(bmp.GetScanline(1), bottom, 6);
  return bmp;
}

// Index 1, index 0, then indices 9 and 128, which lie beyond the palette of two entries.
TBitmap Indexed() {
  TBitmap bmp(4, 1, pf8bit);
  bmp.SetPalette(MakePalette({{10, 20, 30, 0}, {200, 100, 50, 0}}));
  const std::uint8_t indices[] = {1, 0, 9, 128};
  std::memcpy(bmp.GetScanline(0), indices, 4);
  return bmp;
}

TEST_F(Bitmap, StretchDrawPaintsThePixelColoursIntoTheTargetOnly) {
  const QRgb black = qRgb(0, 0, 0);
  const struct {
    TBitmap bitmap;
    TRect target;
    std::vector<std::tuple<int, int, QRgb>> probes;  // the canvas is black before the draw
  } cases[] = {
      {Quadrants24(),
       {10, 10, 20, 20},
       {{11, 11, qRgb(255, 0, 0)}, {18, 11, qRgb(0, 255, 0)}, {9, 9, black}, {20, 20, black}}},
      {Indexed(),
       {0, 0, 8, 2},
       {{0, 0, qRgb(200, 100, 50)}, {3, 1, qRgb(10, 20, 30)}, {7, 0, black}}},
      {TBitmap(), {0, 0, 4, 4}, {{1, 1, black}}},
      {Quadrants24(), {4, 4, 0, 0}, {{1, 1, black}, {3, 3, black}}},
  };
  for (const auto& c : cases) {
    TBitmap bmp(c.bitmap);
    QImage img(30, 30, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
      QPainter painter(&img);
      TCanvas(painter).StretchDraw(c.target, bmp);
    }
    for (const auto& [x, y, colour] : c.probes) {
      EXPECT_EQ(img.pixel(x, y), colour) << x << ", " << y << " after " << c.target.Right;
    }
    EXPECT_TRUE(bmp.SharesPixelsWith(c.bitmap)) << "drawing does not unshare";
  }
}

TEST_F(Bitmap, TheClipboardFormCarriesPixelsColoursAndACopyOfThePalette) {
  QImage gray(2, 1, QImage::Format_Grayscale8);
  gray.fill(40);
  QImage argb(3, 1, QImage::Format_ARGB32);
  argb.fill(qRgb(1, 2, 3));
  const struct {
    QImage image;
    HPALETTE palette;
    int bits;
    QRgb first;  // colour of pixel 0, 0
  } cases[] = {
      {Quadrants24().ToQImage(), 0, 24, qRgb(255, 0, 0)},
      {Indexed().ToQImage(), 0, 8, qRgb(200, 100, 50)},
      {argb, 0, 24, qRgb(1, 2, 3)},
      {gray, 0, 8, qRgb(40, 40, 40)},
      {gray, MakePalette({{0, 0, 0, 0}}), 8, qRgb(0, 0, 0)},  // no colour table: the palette's
  };
  for (const auto& c : cases) {
    TBitmap bmp;
    int changes = 0;
    bmp.OnChange = [&](TGraphic&) { ++changes; };
    bmp.LoadClipboard(CF_BITMAP, c.image, c.palette);
    TPaletteHandle callers(c.palette);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bmp.BitsPerPixel(), c.bits);
    EXPECT_EQ(bmp.PaletteModified(), c.bits == 8);
    TClipboardFormat format = 0;
    QImage saved;
    HPALETTE palette = 0;
    bmp.SaveClipboard(format, saved, palette);
    TPaletteHandle ours(palette);
    EXPECT_EQ(format, CF_BITMAP);
    EXPECT_EQ(saved.pixel(0, 0), c.first) << c.bits;
    EXPECT_TRUE(palette == 0 || palette != bmp.Palette()) << "the caller owns a copy";
    EXPECT_EQ(palette != 0, bmp.Palette() != 0);
  }
  TBitmap kept(1, 1);
  EXPECT_THROW(kept.LoadClipboard(1, argb, 0), EInvalidGraphic) << "not a picture format";
  EXPECT_THROW(kept.LoadClipboard(CF_BITMAP, QImage(), 0), EInvalidGraphic);
  EXPECT_EQ(kept.Width(), 1);
}

}  // namespace
}  // namespace numora
