// The picture registry and the picture container's reading of stored records; records of real
// classes are read and written end to end by the JPEG picture's tests.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Picture.h"
#include "graphics/PictureRegistry.h"

namespace numora {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

class TBlob : public TGraphic {
 public:
  static constexpr std::string_view kClassName = "TBlob";
  std::string_view ClassName() const override { return kClassName; }
  int draws = 0;
  void DrawPicture(TCanvas&, const TRect&) override { ++draws; }
  bool IsEmpty() const override { return false; }
  int PictureWidth() override { return 7; }
  int PictureHeight() override { return 1; }
  void ChangeWidth(int) override {}
  void ChangeHeight(int) override {}
};

TPictureRegistry BlobsAndBitmaps() {
  TPictureRegistry registry;
  registry.RegisterFileFormat("blob", "Blobs", GraphicClassOf<TBlob>());
  registry.RegisterFileFormat(".BLB", "Blobs", GraphicClassOf<TBlob>());
  registry.RegisterFileFormat("bmp", "Bitmaps", GraphicClassOf<TBitmap>());
  return registry;
}

TEST(Registry, FindsByExactNameAndByExtensionIgnoringCaseAndDotAndForgetsAWholeClass) {
  TPictureRegistry registry = BlobsAndBitmaps();
  EXPECT_EQ(registry.FindClass("TBlob")->Create()->ClassName(), "TBlob");
  EXPECT_FALSE(registry.FindClass("tblob"));
  EXPECT_EQ(registry.FindExtension("BLOB")->Name, "TBlob");
  EXPECT_EQ(registry.FindExtension("blb")->Name, "TBlob");
  EXPECT_EQ(registry.FindExtension(".bmp")->Name, "TBitmap");
  registry.RegisterFileFormat("Blob", "Other", GraphicClassOf<TBitmap>());
  EXPECT_EQ(registry.FindExtension("blob")->Name, "TBitmap");
  registry.UnregisterGraphicClass(GraphicClassOf<TBlob>());
  EXPECT_FALSE(registry.FindClass("TBlob"));
  EXPECT_FALSE(registry.FindExtension("blb"));
  EXPECT_EQ(registry.Formats().size(), 2u);
}

// The C library's case mapping of a Turkish locale lowers "I" to a dotless i, which is no single
// byte, and so leaves it as it is. Only its character classes are made, from the system's
// locale definitions.
TEST(Registry, FoldsExtensionsAlikeInATurkishLocale) {
  const std::filesystem::path dir = NUMORA_BINARY_DIR "/test-locales";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "tr_ctype") << "LC_CTYPE\ncopy \"tr_TR\"\nEND LC_CTYPE\n";
  const std::string make = "localedef -c -i '" + (dir / "tr_ctype").string() + "' -f UTF-8 '" +
                           (dir / "tr_TR.UTF-8").string() + "' >/dev/null 2>&1";
  std::system(make.c_str());  // warns, and fails, about the categories it is not given
  setenv("LOCPATH", dir.c_str(), 1);
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  ASSERT_NE(std::setlocale(LC_CTYPE, "tr_TR.UTF-8"), nullptr) << "no Turkish locale: " << make;
  // Called through a pointer: the compiler takes tolower to mean the C locale's.
  int (*volatile lower)(int) = &std::tolower;
  const bool turkish = lower('I') == 'I';
  TPictureRegistry registry;
  registry.RegisterFileFormat("GIF", "Pictures", GraphicClassOf<TBlob>());
  const bool found = registry.FindExtension("gif").has_value();
  std::setlocale(LC_CTYPE, previous.c_str());
  unsetenv("LOCPATH");
  EXPECT_TRUE(turkish) << "the locale made lowers I as any other";
  EXPECT_TRUE(found);
}

std::vector<std::uint8_t> Record(const std::string& name, const std::string& rest) {
  const std::string record = static_cast<char>(name.size()) + name + rest;
  return {record.begin(), record.end()};
}

TEST(Picture, DrawsItsGraphicIntoARectangleAndReadsANameOfLengthZeroAsNoPicture) {
  const TPictureRegistry registry = BlobsAndBitmaps();
  TPicture picture(registry);
  picture.SetGraphic(std::make_unique<TBlob>());
  EXPECT_EQ(picture.Width(), 7);
  QImage image(4, 4, QImage::Format_RGB32);
  QPainter painter(&image);
  TCanvas canvas(painter);
  picture.StretchDraw(canvas, TRect{0, 0, 0, 4});
  picture.StretchDraw(canvas, TRect{0, 0, 4, 4});
  EXPECT_EQ(picture.GraphicAs<TBlob>()->draws, 1) << "an empty rectangle is not drawn";
  picture.LoadFromStoredRecord(std::vector<std::uint8_t>{0});
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width() + picture.Height(), 0);
  EXPECT_EQ(picture.StoredRecord(), std::vector<std::uint8_t>{0});
}

TEST(Picture, ABadStoredRecordIsAClearErrorAndKeepsThePreviousPicture) {
  const std::string kLength0(4, '\0');
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string message;  // part of the error text
  } cases[] = {
      {{}, "truncated: no class name"},
      {{10, 'T', 'J', 'P'}, "truncated inside its class name"},
      {Record("TJPEGImage", kLength0), "unknown picture class \"TJPEGImage\""},
      {Record("tblob", kLength0), "unknown picture class"},
      {Record("T\x01\"\xFF", kLength0), "unknown picture class \"T\\x01\\x22\\xFF\""},
      {Record(std::string(200, 'Q'), kLength0), "class \"" + std::string(40, 'Q') + "\"..."},
      {Record("TBitmap", kLength0), "A TBitmap has no file format"},  // the class's error
  };
  const TPictureRegistry registry = BlobsAndBitmaps();
  TPicture picture(registry);
  picture.SetGraphic(std::make_unique<TBlob>());
  const TGraphic* old = picture.Graphic();
  for (const auto& c : cases) {
    EXPECT_THAT([&] { picture.LoadFromStoredRecord(c.bytes); },
                ThrowsMessage<std::exception>(HasSubstr(c.message)));
    EXPECT_EQ(picture.Graphic(), old);
  }
}

}  // namespace
}  // namespace numora
