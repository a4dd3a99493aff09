#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "PaletteGuard.h"
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
  void ChangeWidth(int) override { throw EInvalidGraphicOperation("fixed"); }
  void ChangeHeight(int) override { throw EInvalidGraphicOperation("fixed"); }
  void LoadStream(TStream& s) override {
    bytes.resize(static_cast<std::size_t>(s.Remaining()));
    s.ReadBuffer(bytes.data(), bytes.size());
    Changed();
  }
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

class Registry : public PaletteLeakCheck {
 protected:
  TPictureRegistry registry;
  void SetUp() override {
    PaletteLeakCheck::SetUp();
    registry.RegisterFileFormat("blob", "Blobs", GraphicClassOf<TBlob>());
    registry.RegisterFileFormat(".BLB", "Blobs", GraphicClassOf<TBlob>());
    registry.RegisterFileFormat("bmp", "Bitmaps", GraphicClassOf<TBitmap>());
  }
};

TEST_F(Registry, FindsClassesByNameExactlyAndByExtensionIgnoringCaseAndDot) {
  ASSERT_TRUE(registry.FindClass("TBlob"));
  EXPECT_EQ(registry.FindClass("TBlob")->Name, "TBlob");
  EXPECT_FALSE(registry.FindClass("tblob"));
  EXPECT_FALSE(registry.FindClass(""));
  EXPECT_EQ(registry.FindExtension("BLOB")->Name, "TBlob");
  EXPECT_EQ(registry.FindExtension("blb")->Name, "TBlob");
  EXPECT_EQ(registry.FindExtension(".bmp")->Name, "TBitmap");
  EXPECT_FALSE(registry.FindExtension("jpg"));
}

TEST_F(Registry, ReRegisteringAnExtensionReplacesItsEntry) {
  registry.RegisterFileFormat("blob", "Other", GraphicClassOf<TBitmap>());
  EXPECT_EQ(registry.FindExtension("blob")->Name, "TBitmap");
  EXPECT_EQ(registry.Formats().size(), 3u);
}

TEST_F(Registry, UnregisteringAClassRemovesAllItsExtensions) {
  registry.UnregisterGraphicClass(GraphicClassOf<TBlob>());
  EXPECT_FALSE(registry.FindClass("TBlob"));
  EXPECT_FALSE(registry.FindExtension("blob"));
  EXPECT_FALSE(registry.FindExtension("blb"));
  EXPECT_TRUE(registry.FindClass("TBitmap"));
}

TEST_F(Registry, CreatedInstancesAreOfTheRegisteredClass) {
  std::unique_ptr<TGraphic> g = registry.FindClass("TBlob")->Create();
  EXPECT_NE(dynamic_cast<TBlob*>(g.get()), nullptr);
}

TEST(GlobalRegistry, KnowsBitmapsAndTakesRegistrations) {
  EXPECT_TRUE(FindGraphicClass("TBitmap"));
  RegisterFileFormat("blobx", "Blobs", GraphicClassOf<TBlob>());
  EXPECT_TRUE(FindGraphicClass("TBlob"));
  UnregisterGraphicClass(GraphicClassOf<TBlob>());
  EXPECT_FALSE(FindGraphicClass("TBlob"));
}

std::vector<std::uint8_t> Record(std::string_view name, const std::vector<std::uint8_t>& rest) {
  std::vector<std::uint8_t> r;
  r.reserve(1 + name.size() + rest.size());
  r.push_back(static_cast<std::uint8_t>(name.size()));
  for (char c : name) r.push_back(static_cast<std::uint8_t>(c));
  for (std::uint8_t b : rest) r.push_back(b);
  return r;
}

TEST_F(Registry, StoredRecordIsNameLengthNameThenTheClassData) {
  TPicture picture(registry);
  auto blob = std::make_unique<TBlob>();
  blob->bytes = {0xFF, 0xD8, 0xFF, 0xD9};
  picture.SetGraphic(std::move(blob));
  std::vector<std::uint8_t> record = picture.StoredRecord();
  EXPECT_EQ(record, Record("TBlob", {4, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9}));

  TPicture back(registry);
  back.LoadFromStoredRecord(record);
  ASSERT_NE(back.GraphicAs<TBlob>(), nullptr);
  EXPECT_EQ(back.GraphicAs<TBlob>()->bytes, (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}));
  EXPECT_EQ(back.Width(), 4);
}

TEST_F(Registry, ReadingARecordNotifiesTheHolder) {
  TPicture picture(registry);
  int changes = 0;
  picture.OnChange = [&](TGraphic&) { ++changes; };
  picture.LoadFromStoredRecord(Record("TBlob", {0, 0, 0, 0}));
  EXPECT_EQ(changes, 1);
}

TEST_F(Registry, ABitmapRecordRoundTrips) {
  TPicture picture(registry);
  auto bmp = std::make_unique<TBitmap>(3, 2);
  bmp->GetScanline(1)[2] = 99;
  picture.SetGraphic(std::move(bmp));
  TPicture back(registry);
  back.LoadFromStoredRecord(picture.StoredRecord());
  ASSERT_NE(back.GraphicAs<TBitmap>(), nullptr);
  EXPECT_TRUE(back.Graphic()->Equals(*picture.Graphic()));
}

TEST_F(Registry, AZeroLengthNameIsAnEmptyPicture) {
  TPicture picture(registry);
  picture.SetGraphic(std::make_unique<TBlob>());
  picture.LoadFromStoredRecord(std::vector<std::uint8_t>{0});
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.StoredRecord(), std::vector<std::uint8_t>{0});
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
  old->bytes = {1, 2, 3};
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
        BadRecord{"Nothing", {}, "truncated"},
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
        BadRecord{"NegativeLength", Record("TBlob", {0xFF, 0xFF, 0xFF, 0xFF}), "blob truncated"},
        BadRecord{"BitmapGarbage", Record("TBitmap", {3, 0, 0, 0, 'x', 'y', 'z'}),
                  "Bitmap image is not valid"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Registry, GarbageRecordsNeverCrash) {
  std::uint32_t rng = 99;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes = Record(round % 2 ? "TBlob" : "TBitmap", {});
    int extra = round % 40;
    for (int i = 0; i < extra; ++i) {
      rng = rng * 1664525u + 1013904223u;
      bytes.push_back(static_cast<std::uint8_t>(rng >> 24));
    }
    if (round % 5 == 0) bytes[0] = static_cast<std::uint8_t>(rng >> 16);
    TPicture picture(registry);
    try {
      picture.LoadFromStoredRecord(bytes);
    } catch (const EInvalidGraphic&) {
    } catch (const EStreamError&) {
    }
  }
}

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
  picture.StretchDraw(painter, QRect(7, 7, 2, 2));
  painter.end();
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(3, 3), QColor(Qt::yellow).rgb());
  EXPECT_EQ(img.pixel(6, 6), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(8, 8), QColor(Qt::yellow).rgb());
}

TEST_F(Registry, ProgressOfTheGraphicReachesTheHolder) {
  TPicture picture(registry);
  picture.SetGraphic(std::make_unique<TBlob>());
  std::vector<int> stages;
  picture.OnProgress = [&](TGraphic& sender, TProgressStage stage, std::uint8_t percent, bool,
                           const TRect&, const std::string&) {
    EXPECT_EQ(&sender, picture.Graphic());
    stages.push_back(stage * 1000 + percent);
  };
  TGraphic& g = *picture.Graphic();
  g.Progress(g, psStarting, 0, false, {}, "");
  g.Progress(g, psEnding, 100, false, {}, "");
  EXPECT_EQ(stages, (std::vector<int>{0, 2100}));
}

TEST_F(Registry, AssignIntoThePictureMakesACopyOfTheSourceClass) {
  TPicture picture(registry);
  TBitmap bmp(2, 2);
  picture.Assign(&bmp);
  ASSERT_NE(picture.GraphicAs<TBitmap>(), nullptr);
  EXPECT_TRUE(picture.GraphicAs<TBitmap>()->SharesPixelsWith(bmp));
  picture.Assign(nullptr);
  EXPECT_EQ(picture.Graphic(), nullptr);
  registry.UnregisterGraphicClass("TBitmap");
  EXPECT_THROW(picture.Assign(&bmp), EInvalidGraphic);
}

TEST_F(Registry, LoadFromFilePicksTheClassByExtension) {
  std::string path = std::string(NUMORA_BINARY_DIR) + "/graphics-picture-test.bmp";
  TBitmap bmp(4, 4);
  bmp.SaveToFile(path);
  TPicture picture(registry);
  picture.LoadFromFile(path);
  ASSERT_NE(picture.GraphicAs<TBitmap>(), nullptr);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_THROW(picture.LoadFromFile("/tmp/x.unknownext"), EInvalidGraphic);
  std::remove(path.c_str());
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
  b.bytes = {1, 2};
  EXPECT_TRUE(a.Equals(b));
  EXPECT_FALSE(a.Equals(c));
}

TEST(GraphicBase, ChangedSetsModifiedAndNotifies) {
  TBlob a;
  int n = 0;
  a.OnChange = [&](TGraphic& s) {
    EXPECT_EQ(&s, &a);
    ++n;
  };
  EXPECT_FALSE(a.Modified());
  a.Changed();
  EXPECT_TRUE(a.Modified());
  EXPECT_EQ(n, 1);
}

}  // namespace
}  // namespace numora
