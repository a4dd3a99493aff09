// The picture object: loading and stored records, copies, comparison, palettes, the clipboard,
// reduced sizes and what saving writes. Pixels against the reference tools: ProbeJpegTest.
#include <gtest/gtest.h>
#include <jerror.h>

#include <QImage>
#include <QPainter>

#include "TestPictures.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "graphics/PictureRegistry.h"
#include "graphics/Screen.h"

namespace numora {
namespace {

using test::Loaded;
using test::TBytes;

const TBytes& StreamA() {
  static const TBytes bytes = test::EncodeWithLibjpeg(test::MakeTestBitmap(96, 64));
  return bytes;
}

TBytes Saved(TJPEGImage& picture) {
  TMemoryStream out;
  picture.SaveStream(out);
  return TBytes(out.Bytes().begin(), out.Bytes().end());
}

// Every test leaves as many palette handles as it found, and deletes none twice.
class JPEGPictureTest : public ::testing::Test {
 protected:
  void SetUp() override { before_ = PaletteHandleStats(); }
  void TearDown() override {
    EXPECT_EQ(PaletteHandleStats().live, before_.live);
    EXPECT_EQ(PaletteHandleStats().badDeletes, before_.badDeletes);
  }
  TPaletteHandleStats before_;
  int changes_ = 0;
  void CountChanges(TJPEGImage& p) {
    p.OnChange = [this](TGraphic&) { ++changes_; };
  }
};

TEST_F(JPEGPictureTest, LoadStreamReadsTheHeaderFromThePositionAndTheSizeIsFixed) {
  TBytes bytes = {1, 2, 3};
  bytes.insert(bytes.end(), StreamA().begin(), StreamA().end());
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), bytes.size());
  stream.SetPosition(3);
  TJPEGImage picture;
  CountChanges(picture);
  picture.LoadStream(stream);
  EXPECT_EQ(picture.Data().Bytes->Size(), static_cast<std::int64_t>(StreamA().size()));
  EXPECT_EQ(picture.Width(), 96);
  EXPECT_FALSE(picture.HasBitmap());
  EXPECT_TRUE(picture.PaletteModified());
  EXPECT_EQ(changes_, 1);
  for (int value : {0, 96, -1}) {
    EXPECT_THROW(picture.ChangeWidth(value), EInvalidGraphicOperation);
    EXPECT_THROW(picture.ChangeHeight(value), EInvalidGraphicOperation);
  }
}

TEST_F(JPEGPictureTest, StoredRecordsGoThroughTheRegisteredClassWhileItIsRegistered) {
  TBytes record = {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 0, 0, 0, 0};
  const auto length = static_cast<std::uint32_t>(StreamA().size());
  for (int i = 0; i < 4; ++i) record[11 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  record.insert(record.end(), StreamA().begin(), StreamA().end());
  {
    const TJPEGImageRegistration registration;
    for (const char* extension : {"jpeg", "jpg"}) {
      ASSERT_TRUE(GlobalPictureRegistry().FindExtension(extension).has_value()) << extension;
    }
    EXPECT_EQ(GlobalPictureRegistry().Formats().back().Description, "JPEG Image File");
    TPicture holder;
    holder.LoadFromStoredRecord(record);
    ASSERT_NE(holder.GraphicAs<TJPEGImage>(), nullptr);
    EXPECT_EQ(holder.GraphicAs<TJPEGImage>()->Width(), 96);
    EXPECT_EQ(holder.StoredRecord(), record);
  }
  EXPECT_FALSE(FindGraphicClass("TJPEGImage").has_value());
  EXPECT_FALSE(GlobalPictureRegistry().FindExtension("jpg").has_value());
}

TEST_F(JPEGPictureTest, ADamagedLengthIsAClearErrorThatKeepsThePicture) {
  const TBytes records[] = {
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xD8},  // negative
      {3, 0, 0, 0, 0xFF, 0xD8},              // one byte longer than the data
      {5, 0},                                // cut inside the length
  };
  auto picture = Loaded(StreamA());
  const TJPEGData* before = &picture->Data();
  for (const TBytes& record : records) {
    TBytesReader stream(record);
    EXPECT_THROW(picture->ReadStored(stream), std::runtime_error);
    EXPECT_EQ(&picture->Data(), before);
  }
  const TBytes exact = {2, 0, 0, 0, 0xFF, 0xD8};
  TBytesReader stream(exact);
  EXPECT_THROW(picture->ReadStored(stream), EJPEG);  // the length is taken; the codec refuses
}

TEST_F(JPEGPictureTest, AnEmptyRecordFailsItsFirstDrawOnlyAndGarbageKeepsItsBytes) {
  const TBytes empty = {0, 0, 0, 0};
  TBytesReader stream(empty);
  TJPEGImage picture;
  picture.ReadStored(stream);
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_THROW(picture.DecodedBitmap(), EJPEG);
  EXPECT_TRUE(picture.DecodedBitmap().IsEmpty());

  const TBytes garbage = {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'};
  TBytesReader bad(garbage);
  CountChanges(picture);
  EXPECT_THROW(picture.LoadStream(bad), EJPEG);
  EXPECT_EQ(picture.Data().Bytes->Size(), 8);
  EXPECT_FALSE(picture.HasBitmap());
  EXPECT_EQ(changes_, 0);
}

TEST_F(JPEGPictureTest, DecodesOnceAtTheReducedSizeItReportsBeforeAndStretchesIt) {
  auto picture = Loaded(test::EncodeWithLibjpeg(test::MakeTestBitmap(1024, 768)));
  int starts = 0;
  picture->OnProgress = [&](TGraphic&, TProgressStage stage, std::uint8_t, bool, const TRect&,
                            const std::string&) { starts += stage == psStarting; };
  picture->SetScaleShift(2);
  EXPECT_EQ(picture->Width(), 256);
  EXPECT_EQ(picture->Height(), 192);
  picture->SetScaleShift(3);
  EXPECT_EQ(picture->Width(), 128);
  EXPECT_FALSE(picture->HasBitmap());
  QImage target(200, 100, QImage::Format_RGB32);
  target.fill(Qt::black);
  {
    QPainter painter(&target);
    TCanvas canvas(painter);
    picture->Draw(canvas, TRect{0, 0, 200, 100});
    picture->Draw(canvas, TRect{0, 0, 200, 100});
  }
  EXPECT_EQ(starts, 1);
  EXPECT_GT(target.pixelColor(198, 98).green(), 150);  // the far corner, not the background
  EXPECT_EQ(picture->DecodedBitmap().Height(), 96);
  EXPECT_EQ(picture->Data().ImageWidth, 1024);
  TBitmap copy;
  copy.Assign(*picture);
  EXPECT_TRUE(copy.SharesPixelsWith(picture->DecodedBitmap()));
}

TEST_F(JPEGPictureTest, AssignSharesTheDataAndNeverNotifies) {
  auto destination = Loaded(test::EncodeWithLibjpeg(test::MakeTestBitmap(40, 30)));
  destination->DecodedBitmap();
  CountChanges(*destination);
  {
    auto source = Loaded(StreamA());
    destination->Assign(*source);
    EXPECT_EQ(&destination->Data(), &source->Data());
    EXPECT_FALSE(destination->HasBitmap());
    source->DecodedBitmap();
    destination->Assign(*source);
    EXPECT_TRUE(destination->DecodedBitmap().SharesPixelsWith(source->DecodedBitmap()));
    destination->ChangePalette(CreateHalftonePalette(0));  // drops the bitmap
  }
  EXPECT_EQ(destination->Data().RefCount(), 1);
  EXPECT_TRUE(destination->DecodedBitmap().Equals(Loaded(StreamA())->DecodedBitmap()));
  EXPECT_EQ(changes_, 2);  // from ChangePalette and the decode after it only
}

TEST_F(JPEGPictureTest, ItsOwnDecodedBitmapAssignedBackIsEncodedAgainAtTheNewQuality) {
  auto picture = Loaded(StreamA());
  picture->SetEncodeQuality(20);
  picture->Assign(picture->DecodedBitmap());
  EXPECT_FALSE(picture->Data().Bytes);
  EXPECT_EQ(picture->Width(), 96);
  EXPECT_EQ(picture->Height(), 64);
  const TBytes again = Saved(*picture);
  EXPECT_LT(again.size(), StreamA().size());  // quality 20 against the stream's 90
  EXPECT_EQ(Loaded(again)->Width(), 96);
}

TEST_F(JPEGPictureTest, EqualsComparesStreamsOrSharedDataAndEmptinessFollowsThem) {
  auto a = Loaded(StreamA()), b = Loaded(StreamA());
  auto c = Loaded(test::EncodeWithLibjpeg(test::MakeTestBitmap(40, 30)));
  EXPECT_TRUE(a->Equals(*b));
  EXPECT_FALSE(a->Equals(*c));
  TBitmap bitmap = test::MakeTestBitmap(8, 8), empty;
  TJPEGImage x, y, z;
  EXPECT_TRUE(x.Empty());
  x.Assign(empty);
  EXPECT_TRUE(x.Empty());
  x.Assign(bitmap);
  EXPECT_FALSE(x.Empty());
  EXPECT_FALSE(x.Data().Bytes);
  y.Assign(bitmap);
  z.Assign(x);
  EXPECT_FALSE(x.Equals(y));  // same pixels, different data
  EXPECT_TRUE(x.Equals(z));
  EXPECT_FALSE(a->Equals(bitmap));
}

TEST_F(JPEGPictureTest, ANewPaletteDropsTheBitmapAndTheHeldOneChangesNothing) {
  auto picture =
      Loaded(StreamA(), [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); });
  picture->DecodedBitmap();
  CountChanges(*picture);
  picture->ChangePalette(picture->CurrentPalette());  // the bitmap's own
  EXPECT_TRUE(picture->HasBitmap());
  TLogPalette four;
  four.palNumEntries = 4;
  four.palPalEntry[1] = {255, 0, 0, 0};
  four.palPalEntry[3] = {255, 255, 255, 0};
  const HPALETTE palette = CreatePalette(four);
  picture->ChangePalette(palette);
  picture->ChangePalette(palette);
  EXPECT_FALSE(picture->HasBitmap());
  EXPECT_EQ(changes_, 1);
  const TBitmap& bitmap = picture->DecodedBitmap();
  EXPECT_NE(bitmap.Palette(), palette);  // a duplicate: the picture still owns the original
  EXPECT_EQ(GetPaletteEntries(bitmap.Palette(), 0, 0, nullptr), 4u);
  EXPECT_EQ(picture->PendingPaletteHandle(), palette);
}

TEST_F(JPEGPictureTest, PalettesFollowTheDepthTheScreenAndTheStream) {
  const TJPEGDefaults saved = PictureDefaults;
  for (const auto& [bits, planes, depth] :
       {std::tuple{8, 1, TJPEGPixelFormat::Depth8}, std::tuple{4, 4, TJPEGPixelFormat::Depth24},
        std::tuple{16, 1, TJPEGPixelFormat::Depth24}}) {
    TScreenCapsOverride screen({.bitsPerPixel = bits, .planes = planes});
    ReadDisplayDefaults();
    EXPECT_EQ(TJPEGImage().BitmapDepth(), depth) << bits << " x " << planes;
  }
  EXPECT_EQ(LiveDeviceContexts(), 0);
  PictureDefaults = saved;

  auto colour = Loaded(StreamA());
  colour->SetPaletteModified(false);
  CountChanges(*colour);
  EXPECT_EQ(colour->DecodedBitmap().Palette(), 0u);
  EXPECT_EQ(changes_, 0);
  auto eightBit =
      Loaded(StreamA(), [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); });
  eightBit->SetPaletteModified(false);
  CountChanges(*eightBit);
  EXPECT_EQ(eightBit->CurrentPalette(), 0u);
  EXPECT_EQ(eightBit->CurrentPalette(), eightBit->DecodedBitmap().Palette());
  EXPECT_TRUE(eightBit->PaletteModified());
  EXPECT_EQ(changes_, 1);

  auto pending = Loaded(StreamA());
  EXPECT_EQ(pending->CurrentPalette(), 0u);
  TScreenCapsOverride screen({.bitsPerPixel = 8, .planes = 1});
  const HPALETTE halftone = pending->CurrentPalette();
  EXPECT_NE(halftone, 0u);
  EXPECT_EQ(pending->CurrentPalette(), halftone);
  pending->DecodedBitmap();  // at 24 bits the pending palette goes
  EXPECT_EQ(pending->PendingPaletteHandle(), 0u);

  // Gray output keeps its own ramp even with a palette given.
  const TBytes gray = test::EncodeWithLibjpeg(test::MakeTestBitmap(40, 30), {.gray = true});
  auto a = Loaded(gray),
       b = Loaded(gray, [](TJPEGImage&p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); });
  b->ChangePalette(CreateHalftonePalette(0));
  EXPECT_TRUE(a->DecodedBitmap().Equals(b->DecodedBitmap()));
}

TEST_F(JPEGPictureTest, TheClipboardGivesDecodedPixelsAndTakesPastedOnes) {
  auto picture = Loaded(StreamA());
  TClipboardFormat format = 0;
  QImage image;
  HPALETTE palette = 0;
  picture->SaveClipboard(format, image, palette);
  EXPECT_EQ(format, CF_BITMAP);
  EXPECT_EQ(image.width(), 96);
  if (palette != 0) DeleteObject(palette);
  picture->LoadClipboard(CF_BITMAP, test::MakeTestBitmap(20, 10).ToQImage(), 0);
  EXPECT_FALSE(picture->Data().Bytes);
  const TBytes saved = Saved(*picture);
  EXPECT_EQ(test::Loaded(saved)->Width(), 20);  // what was pasted, not the stream before
}

TEST_F(JPEGPictureTest, SavingEncodesOnlyWhenThereAreNoBytes) {
  TBitmap bitmap = test::MakeTestBitmap(64, 48), zero(0, 5);
  TJPEGImage picture, none, empty;
  picture.Assign(bitmap);
  TMemoryStream stored;
  picture.WriteStored(stored);
  EXPECT_EQ(TBytes(stored.Bytes().begin(), stored.Bytes().end()), (TBytes{0, 0, 0, 0}));
  EXPECT_FALSE(picture.Data().Bytes);
  const TBytes jpeg = Saved(picture);
  EXPECT_EQ(picture.Data().ImageWidth, 64);
  EXPECT_TRUE(picture.HasBitmap());
  EXPECT_EQ(Saved(picture), jpeg);  // no second encode
  TJPEGImage low, copy;
  low.Assign(bitmap);
  copy.Assign(low);  // shares data that has no stream yet
  low.SetEncodeQuality(10);
  const TBytes lowStream = Saved(low);
  EXPECT_FALSE(copy.Data().Bytes);  // the copy encodes with its own quality
  EXPECT_EQ(Saved(copy), jpeg);
  EXPECT_LT(lowStream.size(), jpeg.size());
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  TBitmap expanded(bitmap);
  expanded.SetPixelFormat(TPixelFormat::pf24bit);
  TJPEGImage a, b;
  a.Assign(bitmap);
  b.Assign(expanded);
  EXPECT_EQ(Saved(a), Saved(b));  // 8-bit bitmaps go through their palette
  none.Assign(zero);
  EXPECT_TRUE(Saved(none).empty());
  EXPECT_TRUE(Saved(empty).empty());
  EXPECT_FALSE(empty.Empty());
}

}  // namespace
}  // namespace numora
