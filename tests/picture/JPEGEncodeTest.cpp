// Encoding a picture's bitmap and saving it.
#include <gtest/gtest.h>

#include "TestPictures.h"
#include "jpeg.h"

namespace numora {
namespace {

using test::TBytes;

TBytes Saved(TJPEGImage& picture) {
  TMemoryStream out;
  picture.SaveStream(out);
  return TBytes(out.Bytes().begin(), out.Bytes().end());
}

TEST(JPEGEncodeTest, DefaultsMatchTheReferenceEncoderAtQuality90Baseline) {
  const TBitmap bitmap = test::MakeTestBitmap(200, 150);
  TJPEGImage picture;
  picture.Assign(const_cast<TBitmap&>(bitmap));
  const TBytes jpeg = Saved(picture);
  EXPECT_EQ(jpeg, test::RunCjpeg(test::PpmOf(bitmap), "-quality 90 -dct float -baseline"));
  EXPECT_EQ(picture.Data().ImageWidth, 200);
  EXPECT_EQ(picture.Data().ImageHeight, 150);
  EXPECT_FALSE(picture.Data().IsGray);
  EXPECT_TRUE(picture.HasBitmap());
}

TEST(JPEGEncodeTest, WriteStoredOfABitmapOnlyPictureNeverEncodes) {
  TBitmap bitmap = test::MakeTestBitmap(20, 10);
  TJPEGImage picture;
  picture.Assign(bitmap);
  TMemoryStream out;
  picture.WriteStored(out);
  EXPECT_EQ(out.Bytes().size(), 4u);
  EXPECT_EQ(out.Bytes()[0], 0);
  EXPECT_FALSE(picture.Data().Bytes);
}

TEST(JPEGEncodeTest, StoredRecordRoundTripKeepsTheBytes) {
  TBitmap bitmap = test::MakeTestBitmap(40, 30);
  TJPEGImage picture;
  picture.Assign(bitmap);
  const TBytes jpeg = Saved(picture);
  TMemoryStream stored;
  picture.WriteStored(stored);
  const TBytes record = test::StoredRecord(jpeg);
  // The record without the class name, which belongs to the picture container.
  EXPECT_EQ(TBytes(stored.Bytes().begin(), stored.Bytes().end()),
            TBytes(record.begin() + 11, record.end()));
  stored.SetPosition(0);
  TJPEGImage copy;
  copy.ReadStored(stored);
  EXPECT_EQ(copy.Width(), 40);
  EXPECT_EQ(Saved(copy), jpeg);
}

TEST(JPEGEncodeTest, SavingAnEmptyPictureWritesNothingAndLeavesAnEmptyCompressedForm) {
  TJPEGImage picture;
  EXPECT_TRUE(picture.Empty());
  EXPECT_TRUE(Saved(picture).empty());
  EXPECT_FALSE(picture.Empty());
  ASSERT_TRUE(picture.Data().Bytes);
  EXPECT_EQ(picture.Data().Bytes->Size(), 0);
}

TEST(JPEGEncodeTest, ABitmapOfZeroSizeWritesNoBytes) {
  TBitmap bitmap(0, 5);
  TJPEGImage picture;
  picture.Assign(bitmap);
  EXPECT_TRUE(Saved(picture).empty());
}

TEST(JPEGEncodeTest, EightBitBitmapsAreEncodedThroughTheirPalette) {
  TBitmap bitmap = test::MakeTestBitmap(64, 64);
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  TBitmap expanded(bitmap);
  expanded.SetPixelFormat(TPixelFormat::pf24bit);
  TJPEGImage a, b;
  a.Assign(bitmap);
  b.Assign(expanded);
  EXPECT_EQ(Saved(a), Saved(b));
}

}  // namespace
}  // namespace numora
