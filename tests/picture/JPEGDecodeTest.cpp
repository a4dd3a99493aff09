// Decoding into the cached bitmap, compared byte for byte with the reference decoder of the same
// library run with the same settings.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "TestPictures.h"
#include "graphics/Canvas.h"
#include "jpeg.h"

namespace numora {
namespace {

using test::TBytes;

std::unique_ptr<TJPEGImage> Load(const TBytes& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), bytes.size());
  stream.SetPosition(0);
  auto picture = std::make_unique<TJPEGImage>();
  picture->LoadStream(stream);
  return picture;
}

const TBitmap& Source() {
  static const TBitmap bitmap = test::MakeTestBitmap(333, 217);
  return bitmap;
}

TEST(JPEGDecodeTest, DefaultDecodeIs24BitAndMatchesTheFloatReferenceDecode) {
  const TBytes jpeg = test::EncodeWithLibjpeg(Source());
  auto picture = Load(jpeg);
  const TBitmap& bitmap = picture->DecodedBitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.Palette(), 0u);
  EXPECT_EQ(test::PpmOf(bitmap), test::RunDjpeg(jpeg, "-dct float"));
}

TEST(JPEGDecodeTest, DecodesOnceAndDrawsTheCachedBitmapAgain) {
  auto picture = Load(test::EncodeWithLibjpeg(Source()));
  int starts = 0;
  picture->OnProgress = [&](TGraphic&, TProgressStage stage, std::uint8_t, bool, const TRect&,
                            const std::string&) { starts += stage == psStarting; };
  QImage target(100, 50, QImage::Format_RGB32);
  target.fill(Qt::black);
  {
    QPainter painter(&target);
    TCanvas canvas(painter);
    picture->Draw(canvas, TRect{0, 0, 100, 50});
    picture->Draw(canvas, TRect{0, 0, 100, 50});
  }
  EXPECT_EQ(starts, 1);
  // Stretched over the whole rectangle: the far corner shows the picture's far corner (red high,
  // green high in the test picture), not the black background.
  const QColor corner = target.pixelColor(98, 48);
  EXPECT_GT(corner.red(), 150);
  EXPECT_GT(corner.green(), 150);
}

TEST(JPEGDecodeTest, AssignToABitmapGivesTheDecodedPixels) {
  const TBytes jpeg = test::EncodeWithLibjpeg(Source());
  auto picture = Load(jpeg);
  TBitmap bitmap;
  bitmap.Assign(*picture);
  EXPECT_EQ(test::PpmOf(bitmap), test::RunDjpeg(jpeg, "-dct float"));
}

}  // namespace
}  // namespace numora
