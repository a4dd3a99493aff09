// Loading JPEG pictures: header read, stored records, the picture container, and bad input.
#include <gtest/gtest.h>
#include <jerror.h>

#include "TestPictures.h"
#include "graphics/Picture.h"
#include "graphics/PictureRegistry.h"
#include "jpeg.h"

namespace numora {
namespace {

using test::TBytes;

TMemoryStream StreamOf(const TBytes& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), bytes.size());
  stream.SetPosition(0);
  return stream;
}

const TBytes& ColourStream() {
  static const TBytes bytes = test::EncodeWithLibjpeg(test::MakeTestBitmap(320, 200));
  return bytes;
}

TEST(JPEGLoadTest, LoadStreamReadsTheHeaderWithoutDecoding) {
  TMemoryStream stream = StreamOf(ColourStream());
  TJPEGImage picture;
  int changes = 0;
  picture.OnChange = [&](TGraphic&) { ++changes; };
  picture.LoadStream(stream);
  EXPECT_EQ(picture.Width(), 320);
  EXPECT_EQ(picture.Height(), 200);
  EXPECT_FALSE(picture.Data().IsGray);
  EXPECT_FALSE(picture.MultiScanEncoding());
  EXPECT_FALSE(picture.HasBitmap());
  EXPECT_FALSE(picture.Empty());
  EXPECT_TRUE(picture.PaletteModified());
  EXPECT_EQ(changes, 1);
}

TEST(JPEGLoadTest, HeaderTellsGrayAndProgressiveStreams) {
  const TBitmap bitmap = test::MakeTestBitmap(64, 48);
  TMemoryStream gray = StreamOf(test::EncodeWithLibjpeg(bitmap, {.gray = true}));
  TMemoryStream progressive = StreamOf(test::EncodeWithLibjpeg(bitmap, {.progressive = true}));
  TJPEGImage a, b;
  a.LoadStream(gray);
  b.LoadStream(progressive);
  EXPECT_TRUE(a.Data().IsGray);
  EXPECT_FALSE(a.MultiScanEncoding());
  EXPECT_FALSE(b.Data().IsGray);
  EXPECT_TRUE(b.MultiScanEncoding());
}

TEST(JPEGLoadTest, LoadStreamTakesTheBytesFromThePositionToTheEnd) {
  TBytes bytes = {1, 2, 3};
  bytes.insert(bytes.end(), ColourStream().begin(), ColourStream().end());
  TMemoryStream stream = StreamOf(bytes);
  stream.SetPosition(3);
  TJPEGImage picture;
  picture.LoadStream(stream);
  EXPECT_EQ(picture.Data().Bytes->Size(), static_cast<std::int64_t>(ColourStream().size()));
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(JPEGLoadTest, StoredRecordGoesThroughTheRegisteredClass) {
  RegisterJPEGImage();
  TPicture holder;
  holder.LoadFromStoredRecord(test::StoredRecord(ColourStream()));
  auto* picture = holder.GraphicAs<TJPEGImage>();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 320);
  EXPECT_EQ(holder.StoredRecord(), test::StoredRecord(ColourStream()));
  UnregisterJPEGImage();
  EXPECT_FALSE(FindGraphicClass("TJPEGImage").has_value());
}

TEST(JPEGLoadTest, RegistersForBothExtensionsWithItsDescription) {
  RegisterJPEGImage();
  for (const char* extension : {"jpeg", "jpg"}) {
    const auto found = GlobalPictureRegistry().FindExtension(extension);
    ASSERT_TRUE(found.has_value()) << extension;
    EXPECT_EQ(found->Name, "TJPEGImage");
  }
  bool described = false;
  for (const TFileFormat& f : GlobalPictureRegistry().Formats()) {
    if (f.Extension == "jpg") described = f.Description == "JPEG Image File";
  }
  EXPECT_TRUE(described);
  UnregisterJPEGImage();
  EXPECT_FALSE(GlobalPictureRegistry().FindExtension("jpg").has_value());
}

TEST(JPEGLoadTest, EmptyStoredRecordIsAnEmptyCompressedForm) {
  TMemoryStream stream = StreamOf({0, 0, 0, 0});
  TJPEGImage picture;
  picture.ReadStored(stream);
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  try {
    picture.DecodedBitmap();
    FAIL() << "an empty stream decodes without error";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code(), JERR_INPUT_EMPTY);
    EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(JERR_INPUT_EMPTY));
  }
  // The empty bitmap stays cached: no second error.
  EXPECT_NO_THROW(picture.DecodedBitmap());
  EXPECT_TRUE(picture.DecodedBitmap().IsEmpty());
}

struct TBadRecord {
  const char* name;
  TBytes record;  // after the class name
};
void PrintTo(const TBadRecord& r, std::ostream* os) { *os << r.name; }

class JPEGStoredLengthTest : public ::testing::TestWithParam<TBadRecord> {};

TEST_P(JPEGStoredLengthTest, IsAClearErrorThatKeepsThePicture) {
  TMemoryStream good = StreamOf(ColourStream());
  TJPEGImage picture;
  picture.LoadStream(good);
  const TJPEGData* before = &picture.Data();
  TMemoryStream stream = StreamOf(GetParam().record);
  // A length cut short is the stream's own read error; a wrong length is ours.
  EXPECT_THROW(picture.ReadStored(stream), std::runtime_error);
  EXPECT_EQ(&picture.Data(), before);
  EXPECT_EQ(picture.Width(), 320);
}

INSTANTIATE_TEST_SUITE_P(
    Records, JPEGStoredLengthTest,
    ::testing::Values(TBadRecord{"NegativeLength", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xD8}},
                      TBadRecord{"LongerThanTheBytes", {10, 0, 0, 0, 0xFF, 0xD8, 0xFF}},
                      TBadRecord{"HugeLength", {0xFF, 0xFF, 0xFF, 0x7F}},
                      TBadRecord{"CutInsideTheLength", {5, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JPEGLoadTest, GarbageFailsAtTheHeaderWithTheCodecCode) {
  TMemoryStream stream = StreamOf({'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
  TJPEGImage picture;
  int changes = 0;
  picture.OnChange = [&](TGraphic&) { ++changes; };
  try {
    picture.LoadStream(stream);
    FAIL() << "garbage loads";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code(), JERR_NO_SOI);
  }
  // The new bytes stay, without a bitmap and without a change notification.
  EXPECT_EQ(picture.Data().Bytes->Size(), 10);
  EXPECT_FALSE(picture.HasBitmap());
  EXPECT_EQ(changes, 0);
}

TEST(JPEGLoadTest, StreamCutAfterTheHeaderDecodesWithoutAnError) {
  const TBytes& full = ColourStream();
  const TBytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(full.size() / 3));
  TMemoryStream stream = StreamOf(cut);
  TJPEGImage picture;
  picture.LoadStream(stream);
  const TBitmap& bitmap = picture.DecodedBitmap();
  EXPECT_EQ(bitmap.Width(), 320);
  EXPECT_EQ(bitmap.Height(), 200);
}

// The stream with the frame header's height and width replaced: a few hundred bytes that
// declare a picture of any size.
TBytes WithDeclaredSize(TBytes bytes, int width, int height) {
  for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
      bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
      bytes[i + 6] = static_cast<std::uint8_t>(height);
      bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
      bytes[i + 8] = static_cast<std::uint8_t>(width);
      return bytes;
    }
  }
  ADD_FAILURE() << "no frame header";
  return bytes;
}

TEST(JPEGLoadTest, TinyStreamDeclaringAHugePictureIsRefusedBeforeDecoding) {
  const TBytes tiny = test::EncodeWithLibjpeg(test::MakeTestBitmap(16, 16), {.progressive = true});
  TMemoryStream stream = StreamOf(WithDeclaredSize(tiny, 30000, 30000));
  TJPEGImage picture;
  picture.LoadStream(stream);
  EXPECT_EQ(picture.PictureWidth(), 30000);
  try {
    picture.DecodedBitmap();
    FAIL() << "a 30000 x 30000 bitmap was made";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code(), JERR_IMAGE_TOO_BIG);
  }
}

TEST(JPEGLoadTest, ChangingTheSizeAlwaysFails) {
  TMemoryStream stream = StreamOf(ColourStream());
  TJPEGImage picture;
  picture.LoadStream(stream);
  for (int value : {0, 320, 200, -1, 1000}) {
    try {
      picture.ChangeWidth(value);
      FAIL();
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_STREQ(e.what(), "Cannot change the size of a JPEG image");
    }
    EXPECT_THROW(picture.ChangeHeight(value), EInvalidGraphicOperation);
  }
}

}  // namespace
}  // namespace numora
