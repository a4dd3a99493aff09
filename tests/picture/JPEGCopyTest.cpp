// Copies, comparison, sharing of compressed data, palettes and the clipboard.
#include <gtest/gtest.h>

#include <QImage>

#include "TestPictures.h"
#include "graphics/Screen.h"
#include "jpeg.h"

namespace numora {
namespace {

using test::TBytes;

void Load(TJPEGImage& picture, const TBytes& bytes) {
  TBytesReader stream(bytes);
  picture.LoadStream(stream);
}

const TBytes& StreamA() {
  static const TBytes bytes = test::EncodeWithLibjpeg(test::MakeTestBitmap(96, 64));
  return bytes;
}
const TBytes& StreamB() {
  static const TBytes bytes =
      test::EncodeWithLibjpeg(test::MakeTestBitmap(40, 30), {.quality = 50});
  return bytes;
}

// Every test must leave as many palette handles as it found, and delete none twice.
class JPEGCopyTest : public ::testing::Test {
 protected:
  void SetUp() override { before_ = PaletteHandleStats(); }
  void TearDown() override {
    EXPECT_EQ(PaletteHandleStats().live, before_.live);
    EXPECT_EQ(PaletteHandleStats().badDeletes, before_.badDeletes);
  }
  TPaletteHandleStats before_;
};

TEST_F(JPEGCopyTest, AssignFromAnUndecodedPictureSharesItsDataAndDecodesItsStream) {
  TJPEGImage source, destination;
  Load(source, StreamA());
  Load(destination, StreamB());
  destination.DecodedBitmap();
  int changes = 0;
  destination.OnChange = [&](TGraphic&) { ++changes; };
  destination.Assign(source);
  EXPECT_EQ(&destination.Data(), &source.Data());
  EXPECT_EQ(destination.Data().RefCount(), 2);
  EXPECT_FALSE(destination.HasBitmap());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(destination.DecodedBitmap().Width(), 96);
  EXPECT_EQ(test::PpmOf(destination.DecodedBitmap()), test::PpmOf(source.DecodedBitmap()));
}

TEST_F(JPEGCopyTest, AssignFromADecodedPictureSharesItsPixels) {
  TJPEGImage source, destination;
  Load(source, StreamA());
  source.DecodedBitmap();
  destination.Assign(source);
  ASSERT_TRUE(destination.HasBitmap());
  EXPECT_TRUE(destination.DecodedBitmap().SharesPixelsWith(source.DecodedBitmap()));
}

TEST_F(JPEGCopyTest, SharedDataOutlivesThePictureItCameFrom) {
  TJPEGImage destination;
  {
    TJPEGImage source;
    Load(source, StreamA());
    destination.Assign(source);
  }
  EXPECT_EQ(destination.Data().RefCount(), 1);
  EXPECT_EQ(destination.Width(), 96);
  EXPECT_EQ(destination.DecodedBitmap().Height(), 64);
}

TEST_F(JPEGCopyTest, AssignFromABitmapLeavesNoCompressedForm) {
  TBitmap bitmap = test::MakeTestBitmap(12, 8);
  TJPEGImage picture;
  Load(picture, StreamA());
  const TJPEGData* before = &picture.Data();
  picture.Assign(bitmap);
  EXPECT_NE(&picture.Data(), before);
  EXPECT_FALSE(picture.Data().Bytes);
  EXPECT_EQ(picture.Width(), 12);
  EXPECT_FALSE(picture.Empty());
}

// A picture class that is neither a bitmap nor a JPEG picture.
class TOtherGraphic : public TGraphic {
 public:
  std::string_view ClassName() const override { return "TOtherGraphic"; }
  void DrawPicture(TCanvas&, const TRect&) override {}
  bool IsEmpty() const override { return true; }
  int PictureWidth() override { return 0; }
  int PictureHeight() override { return 0; }
  void ChangeWidth(int) override {}
  void ChangeHeight(int) override {}
  void LoadStream(TStream&) override {}
  void SaveStream(TStream&) override {}
};

TEST_F(JPEGCopyTest, CopiesWithAnUnrelatedClassFailInBothDirections) {
  TJPEGImage picture;
  Load(picture, StreamA());
  TOtherGraphic other;
  EXPECT_THROW(picture.Assign(other), EInvalidGraphicOperation);
  EXPECT_THROW(other.Assign(picture), EInvalidGraphicOperation);
  EXPECT_FALSE(picture.Equals(other));
  EXPECT_EQ(picture.Width(), 96);
}

TEST_F(JPEGCopyTest, EqualsComparesStreamsOrSharedData) {
  TJPEGImage a, b, c;
  Load(a, StreamA());
  Load(b, StreamA());
  Load(c, StreamB());
  EXPECT_TRUE(a.Equals(b));
  EXPECT_FALSE(a.Equals(c));

  TBitmap bitmap = test::MakeTestBitmap(8, 8);
  TJPEGImage x, y, z;
  x.Assign(bitmap);
  y.Assign(bitmap);
  z.Assign(x);
  EXPECT_FALSE(x.Equals(y));  // same pixels, different data
  EXPECT_TRUE(x.Equals(z));   // one shared TJPEGData
  EXPECT_FALSE(a.Equals(bitmap));
}

TEST_F(JPEGCopyTest, IsEmptyFollowsBytesThenBitmap) {
  TJPEGImage picture;
  EXPECT_TRUE(picture.Empty());
  TBitmap empty;
  picture.Assign(empty);
  EXPECT_TRUE(picture.Empty());
  TBitmap one(1, 1);
  picture.Assign(one);
  EXPECT_FALSE(picture.Empty());
}

TEST_F(JPEGCopyTest, ChangePaletteWithTheHeldPaletteChangesNothing) {
  TJPEGImage picture;
  Load(picture, StreamA());
  const HPALETTE palette = CreateHalftonePalette(0);
  picture.ChangePalette(palette);
  picture.DecodedBitmap();
  int changes = 0;
  picture.OnChange = [&](TGraphic&) { ++changes; };
  picture.SetBitmapDepth(TJPEGPixelFormat::Depth8);
  picture.ChangePalette(picture.PendingPaletteHandle());
  picture.ChangePalette(picture.CurrentPalette());
  EXPECT_TRUE(picture.HasBitmap());
  EXPECT_EQ(changes, 0);
}

TEST_F(JPEGCopyTest, ANewPaletteDropsTheBitmapAndTheNextDecodeUsesItsColours) {
  TJPEGImage picture;
  picture.SetBitmapDepth(TJPEGPixelFormat::Depth8);
  Load(picture, StreamA());
  picture.DecodedBitmap();
  int changes = 0;
  picture.OnChange = [&](TGraphic&) { ++changes; };

  TLogPalette four;
  four.palNumEntries = 4;
  four.palPalEntry[0] = {0, 0, 0, 0};
  four.palPalEntry[1] = {255, 0, 0, 0};
  four.palPalEntry[2] = {0, 255, 0, 0};
  four.palPalEntry[3] = {255, 255, 255, 0};
  const HPALETTE palette = CreatePalette(four);
  picture.ChangePalette(palette);
  EXPECT_FALSE(picture.HasBitmap());
  EXPECT_EQ(changes, 1);

  const TBitmap& bitmap = picture.DecodedBitmap();
  ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_NE(bitmap.Palette(), palette);  // a duplicate: the picture still owns the original
  EXPECT_EQ(GetPaletteEntries(bitmap.Palette(), 0, 0, nullptr), 4u);
  EXPECT_EQ(picture.PendingPaletteHandle(), palette);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.ReadScanline(y);
    for (int x = 0; x < bitmap.Width(); ++x) ASSERT_LT(row[x], 4) << x << "," << y;
  }
}

TEST_F(JPEGCopyTest, WithDepth24ThePendingPaletteIsDeletedWhenTheDecodeStarts) {
  TJPEGImage picture;
  Load(picture, StreamA());
  picture.ChangePalette(CreateHalftonePalette(0));
  picture.DecodedBitmap();
  EXPECT_EQ(picture.PendingPaletteHandle(), 0u);
  EXPECT_EQ(picture.DecodedBitmap().BitsPerPixel(), 24);
}

TEST_F(JPEGCopyTest, CurrentPaletteOnAPaletteScreenIsOneHalftonePalette) {
  TJPEGImage picture;
  Load(picture, StreamA());
  {
    TScreenCapsOverride screen({.bitsPerPixel = 24, .planes = 1});
    EXPECT_EQ(picture.CurrentPalette(), 0u);
  }
  TScreenCapsOverride screen({.bitsPerPixel = 8, .planes = 1});
  const HPALETTE halftone = picture.CurrentPalette();
  EXPECT_NE(halftone, 0u);
  EXPECT_EQ(picture.CurrentPalette(), halftone);
  picture.SetBitmapDepth(TJPEGPixelFormat::Depth8);
  EXPECT_EQ(picture.CurrentPalette(), halftone);  // pending comes before the depth
}

TEST_F(JPEGCopyTest, ReadDisplayDefaultsFollowsTheScreen) {
  const TJPEGDefaults saved = PictureDefaults;
  struct TScreenCase {
    int bits, planes;
    TJPEGPixelFormat depth;
  };
  for (const TScreenCase c :
       {TScreenCase{8, 1, TJPEGPixelFormat::Depth8}, TScreenCase{4, 1, TJPEGPixelFormat::Depth8},
        TScreenCase{4, 4, TJPEGPixelFormat::Depth24}, TScreenCase{16, 1, TJPEGPixelFormat::Depth24},
        TScreenCase{32, 1, TJPEGPixelFormat::Depth24}}) {
    TScreenCapsOverride screen({.bitsPerPixel = c.bits, .planes = c.planes});
    ReadDisplayDefaults();
    EXPECT_EQ(PictureDefaults.BitmapDepth, c.depth) << c.bits << " x " << c.planes;
    EXPECT_EQ(TJPEGImage().BitmapDepth(), c.depth);
  }
  EXPECT_EQ(LiveDeviceContexts(), 0);
  PictureDefaults = saved;
}

TEST_F(JPEGCopyTest, ClipboardSaveGivesTheDecodedPixels) {
  TJPEGImage picture;
  Load(picture, StreamA());
  TClipboardFormat format = 0;
  QImage image;
  HPALETTE palette = 0;
  picture.SaveClipboard(format, image, palette);
  EXPECT_EQ(format, CF_BITMAP);
  EXPECT_EQ(image.width(), 96);
  EXPECT_TRUE(picture.HasBitmap());
  if (palette != 0) DeleteObject(palette);
}

TEST_F(JPEGCopyTest, ClipboardLoadMakesThePastedPixelsTheContent) {
  TJPEGImage picture;
  Load(picture, StreamA());
  TBitmap pasted = test::MakeTestBitmap(20, 10);
  picture.LoadClipboard(CF_BITMAP, pasted.ToQImage(), 0);
  EXPECT_EQ(picture.Width(), 20);
  EXPECT_FALSE(picture.Data().Bytes);
  // Saving now encodes what was pasted, not the stream loaded before.
  TMemoryStream out;
  picture.SaveStream(out);
  TJPEGImage reloaded;
  out.SetPosition(0);
  reloaded.LoadStream(out);
  EXPECT_EQ(reloaded.Width(), 20);
}

}  // namespace
}  // namespace numora
