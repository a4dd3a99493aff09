#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Picture.h"
#include "graphics/PictureRegistry.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

// A picture class whose stored data is a 32-bit length and that many bytes, failing on anything
// shorter: the shape of a compressed-picture class.
class TBlob : public TGraphic {
 public:
  static constexpr std::string_view kClassName = "TBlob";
  std::string_view ClassName() const override { return kClassName; }
  std::vector<std::uint8_t> bytes;

  void DrawPicture(TCanvas& canvas, const TRect& rect) override {
    canvas.Painter().fillRect(ToQRect(rect), Qt::yellow);
  }
  bool IsEmpty() const override { return bytes.empty(); }
  int PictureWidth() override { return static_cast<int>(bytes.size()); }
  int PictureHeight() override { return 1; }
  void ChangeWidth(int) override {}
  void ChangeHeight(int) override {}
  void SaveStream(TStream& s) override { s.WriteBuffer(bytes.data(), bytes.size()); }
  void ReadStored(TStream& s) override {
    std::int32_t n = s.ReadInt32LE();
    if (n < 0 || n > s.Remaining()) throw EInvalidGraphic("blob truncated");
    bytes.resize(static_cast<std::size_t>(n));
    s.ReadBuffer(bytes.data(), bytes.size());
  }
  void WriteStored(TStream& s) override {
    s.WriteInt32LE(static_cast<std::int32_t>(bytes.size()));
    SaveStream(s);
  }
};

class Registry : public ::testing::Test {
 protected:
  TPictureRegistry registry;
  void SetUp() override {
    registry.RegisterFileFormat("blob", "Blobs", GraphicClassOf<TBlob>());
    registry.RegisterFileFormat(".BLB", "Blobs", GraphicClassOf<TBlob>());
    registry.RegisterFileFormat("bmp", "Bitmaps", GraphicClassOf<TBitmap>());
  }
};

TEST_F(Registry, FindsClassesByExactNameAndByExtensionIgnoringCaseAndDot) {
  ASSERT_TRUE(registry.FindClass("TBlob"));
  EXPECT_NE(dynamic_cast<TBlob*>(registry.FindClass("TBlob")->Create().get()), nullptr);
  EXPECT_FALSE(registry.FindClass("tblob"));
  EXPECT_FALSE(registry.FindClass(""));
  EXPECT_EQ(registry.FindExtension("BLOB")->Name, "TBlob");
  EXPECT_EQ(registry.FindExtension("blb")->Name, "TBlob");
  EXPECT_EQ(registry.FindExtension(".bmp")->Name, "TBitmap");
  EXPECT_FALSE(registry.FindExtension("jpg"));
}

TEST_F(Registry, ReRegisteringReplacesAndUnregisteringRemovesEveryExtensionOfTheClass) {
  registry.RegisterFileFormat("Blob", "Other", GraphicClassOf<TBitmap>());
  EXPECT_EQ(registry.FindExtension("blob")->Name, "TBitmap");
  EXPECT_EQ(registry.Formats().size(), 3u);
  registry.UnregisterGraphicClass(GraphicClassOf<TBlob>());
  EXPECT_FALSE(registry.FindClass("TBlob"));
  EXPECT_FALSE(registry.FindExtension("blb"));
  EXPECT_EQ(registry.Formats().size(), 2u);
}

std::vector<std::uint8_t> Record(std::string_view name, const std::vector<std::uint8_t>& rest) {
  std::vector<std::uint8_t> r;
  r.reserve(1 + name.size() + rest.size());
  r.push_back(static_cast<std::uint8_t>(name.size()));
  for (char c : name) r.push_back(static_cast<std::uint8_t>(c));
  for (std::uint8_t b : rest) r.push_back(b);
  return r;
}

TEST_F(Registry, StoredRecordIsNameLengthNameThenTheClassDataAndReadsBack) {
  TPicture picture(registry);
  auto blob = std::make_unique<TBlob>();
  blob->bytes = {0xFF, 0xD8, 0xFF, 0xD9};
  picture.SetGraphic(std::move(blob));
  const std::vector<std::uint8_t> record = picture.StoredRecord();
  EXPECT_EQ(record, Record("TBlob", {4, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9}));
  TPicture back(registry);
  back.LoadFromStoredRecord(record);
  ASSERT_NE(back.GraphicAs<TBlob>(), nullptr);
  EXPECT_EQ(back.GraphicAs<TBlob>()->bytes, (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}));
  EXPECT_EQ(back.Width(), 4);
  back.LoadFromStoredRecord(std::vector<std::uint8_t>{0});
  EXPECT_EQ(back.Graphic(), nullptr) << "a name of length 0 is an empty picture";
  EXPECT_EQ(back.Height(), 0);
  EXPECT_EQ(back.StoredRecord(), std::vector<std::uint8_t>{0});
}

struct BadRecord {
  const char* name;
  std::vector<std::uint8_t> bytes;
  std::string message;  // part of the error text
};

class PictureBadRecord : public Registry, public ::testing::WithParamInterface<BadRecord> {};

TEST_P(PictureBadRecord, IsAClearErrorAndKeepsThePreviousPicture) {
  TPicture picture(registry);
  auto old = std::make_unique<TBlob>();
  TBlob* oldPtr = old.get();
  picture.SetGraphic(std::move(old));
  try {
    picture.LoadFromStoredRecord(GetParam().bytes);
    FAIL() << "accepted";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
  }
  EXPECT_EQ(picture.Graphic(), oldPtr);
}

INSTANTIATE_TEST_SUITE_P(
    Records, PictureBadRecord,
    ::testing::Values(
        BadRecord{"Nothing", {}, "truncated: no class name"},
        BadRecord{"NameCutShort", {10, 'T', 'J', 'P'}, "truncated inside its class name"},
        BadRecord{"UnknownClass", Record("TJPEGImage", {0, 0, 0, 0}),
                  "unknown picture class \"TJPEGImage\""},
        BadRecord{"NameOfOtherCase", Record("tblob", {0, 0, 0, 0}), "unknown picture class"},
        BadRecord{"UnprintableNameShownEscaped", Record("T\x01\"\xFF", {0, 0, 0, 0}),
                  "unknown picture class \"T\\x01\\x22\\xFF\""},
        BadRecord{"LongNameShownShortened", Record(std::string(200, 'Q'), {0, 0, 0, 0}),
                  "class \"" + std::string(40, 'Q') + "\"..."},
        BadRecord{"ClassDataMissing", Record("TBlob", {}), "Stream read error"},
        BadRecord{"ClassDataShort", Record("TBlob", {9, 0, 0, 0, 1, 2}), "blob truncated"},
        BadRecord{"ClassWithoutAStoredForm", Record("TBitmap", {0, 0, 0, 0}),
                  "A TBitmap has no file format"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Registry, PictureStretchDrawsItsGraphicIntoTheRectangle) {
  TPicture picture(registry);
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter painter(&img);
  TCanvas canvas(painter);
  picture.StretchDraw(canvas, TRect{0, 0, 10, 10});  // no picture: nothing
  auto blob = std::make_unique<TBlob>();
  blob->bytes = {1};
  picture.SetGraphic(std::move(blob));
  picture.StretchDraw(canvas, TRect{2, 2, 5, 5});
  painter.end();
  EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(3, 3), QColor(Qt::yellow).rgb());
  EXPECT_EQ(img.pixel(6, 6), qRgb(0, 0, 0));
}

TEST(GraphicBase, AssignBetweenUnrelatedClassesFailsNamingBoth) {
  TBlob blob;
  TBitmap bmp;
  try {
    static_cast<TGraphic&>(bmp).Assign(blob);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TBlob to a TBitmap");
  }
}

TEST(GraphicBase, EqualsComparesClassAndSavedStream) {
  TBlob a, b;
  TBitmap c;
  EXPECT_TRUE(a.Equals(b)) << "both empty";
  a.bytes = {1, 2};
  EXPECT_FALSE(a.Equals(b));
  b.bytes = {1, 3};
  EXPECT_FALSE(a.Equals(b));
  b.bytes = {1, 2};
  EXPECT_TRUE(a.Equals(b));
  EXPECT_FALSE(a.Equals(c));
}

}  // namespace
}  // namespace numora
