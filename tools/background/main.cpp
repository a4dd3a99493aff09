// numora-background: makes the drawer's artwork files.
//   numora-background glyph OUT.bmp      the 32 x 32 slow-motion glyph, a 24-bit bitmap
//   numora-background picture OUT.rec    the background as a stored TJPEGImage record
//   numora-background preview OUT.png    the background before JPEG encoding
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "Artwork.h"
#include "graphics/Bitmap.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"

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
    // A small bitmap stands in until the JPEG picture class can encode the real one.
    auto bitmap = std::make_unique<numora::TBitmap>();
    bitmap->FromQImage(
        numora::artwork::DrawBackground().scaled(256, 192).convertToFormat(QImage::Format_BGR888));
    numora::TPicture picture;
    picture.SetGraphic(std::move(bitmap));
    const std::vector<std::uint8_t> record = picture.StoredRecord();
    numora::TMemoryStream stream;
    stream.WriteBuffer(record.data(), record.size());
    stream.SaveToFile(argv[2]);
    written = true;
  } else if (std::strcmp(what, "preview") == 0) {
    written = numora::artwork::DrawBackground().save(out, "PNG");
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
