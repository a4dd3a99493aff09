// The clipboard round trip needs a GUI application, so this is a Qt Test program.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include "graphics/Bitmap.h"
#include "graphics/Clipboard.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Palette.h"
#include "graphics/Screen.h"

using namespace numora;

class ClipboardTest : public QObject {
  Q_OBJECT

  TPaletteHandleStats before_;

 private slots:
  void init() { before_ = PaletteHandleStats(); }
  void cleanup() {
    QCOMPARE(PaletteHandleStats().live, before_.live);
    QCOMPARE(PaletteHandleStats().badDeletes, before_.badDeletes);
  }

  void twentyFourBitBitmapRoundTripsThroughTheClipboard() {
    TBitmap a(3, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 9; ++x) a.GetScanline(y)[x] = static_cast<std::uint8_t>(y * 30 + x * 7);
    CopyPictureToClipboard(a);
    QVERIFY(ClipboardHasPicture());
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TGraphic&) { ++changes; };
    PastePictureFromClipboard(b);
    QCOMPARE(changes, 1);
    QCOMPARE(b.Width(), 3);
    QCOMPARE(b.Height(), 2);
    QVERIFY(a.Equals(b));
  }

  void eightBitBitmapKeepsItsColoursThroughTheClipboard() {
    TBitmap a(2, 2, TPixelFormat::pf8bit);
    TLogPalette log;
    log.palNumEntries = 2;
    log.palPalEntry[0] = {10, 20, 30, 0};
    log.palPalEntry[1] = {200, 100, 50, 0};
    a.SetPalette(CreatePalette(log));
    a.GetScanline(0)[1] = 1;
    a.GetScanline(1)[0] = 1;
    CopyPictureToClipboard(a);
    TBitmap b;
    PastePictureFromClipboard(b);
    // The clipboard may hand the image back indexed or in true colour; the colours must hold.
    b.SetPixelFormat(TPixelFormat::pf24bit);
    TBitmap expected;
    expected.Assign(a);
    expected.SetPixelFormat(TPixelFormat::pf24bit);
    QVERIFY(expected.Equals(b));
  }

  void emptyPicturesAreNotCopied() {
    TBitmap empty;
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphicOperation, CopyPictureToClipboard(empty));
  }

  void textOnTheClipboardIsNoPicture() {
    QGuiApplication::clipboard()->setText("12,5");
    QVERIFY(!ClipboardHasPicture());
    TBitmap b(1, 1);
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, PastePictureFromClipboard(b));
    QCOMPARE(b.Width(), 1);
  }

  void otherClipboardFormatsAreRefused() {
    TBitmap b;
    QImage img(1, 1, QImage::Format_RGB32);
    QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, b.LoadClipboard(1, img, 0));
  }

  void theScreenIsQueriedFromQt() {
    int bits = ScreenColorBits();
    QVERIFY(bits >= 1);
    TScreenCapsOverride eightBit({8, 1});
    QCOMPARE(ScreenColorBits(), 8);
  }
};

QTEST_MAIN(ClipboardTest)
#include "ClipboardTest.moc"
