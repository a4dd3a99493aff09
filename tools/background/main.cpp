// numora-background: makes the drawer's artwork files.
//   numora-background glyph OUT.bmp      the 32 x 32 slow-motion glyph, a 24-bit bitmap
//   numora-background picture OUT.dat    the background as a stored TJPEGImage record
//   numora-background preview OUT.png    the background before JPEG encoding
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "Artwork.h"
#include "DrawerGeometry.h"
#include "graphics/Bitmap.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "jpeg.h"

namespace {

// The drawer's picture and origin, as its window description places them.
numora::artwork::TPlotPlacement DrawerPlacement() {
  const numora::TDrawerGeometry& geometry = numora::TDrawerGeometry::Drawer();
  return {geometry.picture.width, geometry.picture.height, geometry.x0 - geometry.picture.left,
          geometry.y0 - geometry.picture.top};
}

// The background compressed by the JPEG picture class with its defaults (quality 90, one
// baseline scan, three components), as the record the drawer's description carries. The
// record is read back through the picture registry before it is written.
bool WritePictureRecord(const char* path) {
  numora::RegisterJPEGImage();
  numora::TBitmap bitmap;
  bitmap.FromQImage(
      numora::artwork::DrawBackground(DrawerPlacement()).convertToFormat(QImage::Format_BGR888));
  auto jpeg = std::make_unique<numora::TJPEGImage>();
  jpeg->Assign(bitmap);
  // A stored record never encodes, so the stream is made first.
  numora::TMemoryStream encoded;
  jpeg->SaveStream(encoded);
  numora::TPicture picture;
  picture.SetGraphic(std::move(jpeg));
  const std::vector<std::uint8_t> record = picture.StoredRecord();

  numora::TPicture check;
  check.LoadFromStoredRecord(record);
  if (check.GraphicAs<numora::TJPEGImage>() == nullptr || check.Width() != 1024 ||
      check.Height() != 768) {
    std::fprintf(
        stderr, "numora-background: the record reads back as a %d x %d %s, not a 1024 x 768 JPEG\n",
        check.Width(), check.Height(),
        check.Graphic() != nullptr ? std::string(check.Graphic()->ClassName()).c_str() : "nothing");
    return false;
  }
  numora::TMemoryStream stream;
  stream.WriteBuffer(record.data(), record.size());
  stream.SaveToFile(path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: numora-background glyph|picture|preview OUT\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const char* what = argv[1];
  const QString out = QString::fromLocal8Bit(argv[2]);
  bool written = false;
  if (std::strcmp(what, "glyph") == 0) {
    written = numora::artwork::DrawSlowMotionGlyph().save(out, "BMP");
  } else if (std::strcmp(what, "picture") == 0) {
    written = WritePictureRecord(argv[2]);
  } else if (std::strcmp(what, "preview") == 0) {
    written = numora::artwork::DrawBackground(DrawerPlacement()).save(out, "PNG");
  } else {
    std::fputs("numora-background: unknown artwork\n", stderr);
    return 2;
  }
  if (!written) {
    std::fprintf(stderr, "numora-background: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
