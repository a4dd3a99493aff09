// Decoding with each option, compared byte for byte with the reference decoder of the same
// library under the same settings, and the rules for palettes and damaged streams.
#include <gtest/gtest.h>
#include <jerror.h>

#include "TestPictures.h"
#include "graphics/Screen.h"
#include "jpeg.h"

namespace numora {
namespace {

using test::TBytes;

std::unique_ptr<TJPEGImage> Load(const TBytes& bytes,
                                 const std::function<void(TJPEGImage&)>& options = {}) {
  auto picture = std::make_unique<TJPEGImage>();
  if (options) options(*picture);
  TBytesReader stream(bytes);
  picture->LoadStream(stream);
  return picture;
}

const TBitmap& Source() {
  static const TBitmap bitmap = test::MakeTestBitmap(250, 170);
  return bitmap;
}
const TBytes& Baseline() {
  static const TBytes bytes = test::EncodeWithLibjpeg(Source());
  return bytes;
}
const TBytes& Progressive() {
  static const TBytes bytes = test::EncodeWithLibjpeg(Source(), {.progressive = true});
  return bytes;
}
const TBytes& Gray() {
  static const TBytes bytes = test::EncodeWithLibjpeg(Source(), {.gray = true});
  return bytes;
}
const TBytes& Restarts() {
  static const TBytes bytes = test::EncodeWithLibjpeg(Source(), {.restartRows = 2});
  return bytes;
}

unsigned PaletteSize(const TBitmap& bitmap) {
  return GetPaletteEntries(bitmap.Palette(), 0, 0, nullptr);
}

struct TReferenceCase {
  const char* name;
  const TBytes& (*stream)();
  void (*options)(TJPEGImage&);
  const char* djpeg;
  int bits;
};
void PrintTo(const TReferenceCase& c, std::ostream* os) { *os << c.name; }

class JPEGReferenceDecodeTest : public ::testing::TestWithParam<TReferenceCase> {};

TEST_P(JPEGReferenceDecodeTest, MatchesDjpegByteForByte) {
  const TReferenceCase& c = GetParam();
  auto picture = Load(c.stream(), c.options);
  const TBitmap& bitmap = picture->DecodedBitmap();
  EXPECT_EQ(bitmap.BitsPerPixel(), c.bits);
  if (c.bits == 8) {
    EXPECT_LE(PaletteSize(bitmap), 236u);
  }
  EXPECT_TRUE(test::PpmOf(bitmap) == test::RunDjpeg(c.stream(), c.djpeg));
}

const TReferenceCase kReferenceCases[] = {
    {"Baseline", Baseline, [](TJPEGImage&) {}, "-dct float", 24},
    {"Progressive", Progressive, [](TJPEGImage&) {}, "-dct float", 24},
    {"RestartIntervals", Restarts, [](TJPEGImage&) {}, "-dct float", 24},
    {"Depth8", Baseline, [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); },
     "-dct float -colors 236", 8},
    {"Depth8Progressive", Progressive,
     [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); }, "-dct float -colors 236",
     8},
    {"GrayFileWithDepth24", Gray, [](TJPEGImage&) {}, "-dct float -colors 236", 8},
    {"GrayOutput", Baseline, [](TJPEGImage& p) { p.SetGrayOutput(true); },
     "-dct float -grayscale -colors 236", 8},
    {"SpeedFirst", Baseline, [](TJPEGImage& p) { p.SetDecodeSpeed(TJPEGPerformance::SpeedFirst); },
     "-dct fast", 24},
    {"SpeedFirstDepth8", Baseline,
     [](TJPEGImage& p) {
       p.SetDecodeSpeed(TJPEGPerformance::SpeedFirst);
       p.SetBitmapDepth(TJPEGPixelFormat::Depth8);
     },
     "-dct fast -colors 236 -onepass -dither ordered", 8},
    {"Half", Baseline, [](TJPEGImage& p) { p.SetScaleShift(1); }, "-dct float -scale 1/2", 24},
    {"Quarter", Progressive, [](TJPEGImage& p) { p.SetScaleShift(2); }, "-dct float -scale 1/4",
     24},
    {"Eighth", Gray, [](TJPEGImage& p) { p.SetScaleShift(3); }, "-dct float -scale 1/8 -colors 236",
     8},
    {"IncrementalFinalPass", Progressive, [](TJPEGImage& p) { p.SetIncrementalDisplay(true); },
     "-dct float", 24},
    {"IncrementalFinalPassDepth8", Progressive,
     [](TJPEGImage& p) {
       p.SetIncrementalDisplay(true);
       p.SetBitmapDepth(TJPEGPixelFormat::Depth8);
     },
     "-dct float -colors 236", 8},
    {"IncrementalGray", Progressive,
     [](TJPEGImage& p) {
       p.SetIncrementalDisplay(true);
       p.SetGrayOutput(true);
     },
     "-dct float -grayscale -colors 236", 8},
    {"IncrementalSingleScan", Baseline, [](TJPEGImage& p) { p.SetIncrementalDisplay(true); },
     "-dct float", 24},
};
INSTANTIATE_TEST_SUITE_P(Options, JPEGReferenceDecodeTest, ::testing::ValuesIn(kReferenceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JPEGDecodeOptionsTest, Depth8DecodeSetsThePaletteFlagAndEndsWithAChange) {
  auto picture =
      Load(Baseline(), [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); });
  picture->SetPaletteModified(false);
  int changes = 0;
  picture->OnChange = [&](TGraphic&) { ++changes; };
  const TBitmap& bitmap = picture->DecodedBitmap();
  EXPECT_NE(bitmap.Palette(), 0u);
  EXPECT_TRUE(picture->PaletteModified());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture->CurrentPalette(), bitmap.Palette());
}

TEST(JPEGDecodeOptionsTest, Depth24DecodeOfAColourStreamHasNoPaletteAndNoChange) {
  auto picture = Load(Baseline());
  picture->SetPaletteModified(false);
  int changes = 0;
  picture->OnChange = [&](TGraphic&) { ++changes; };
  EXPECT_EQ(picture->DecodedBitmap().Palette(), 0u);
  EXPECT_EQ(changes, 0);
}

TEST(JPEGDecodeOptionsTest, GrayStreamsGetAGrayPalette) {
  auto picture = Load(Gray());
  const TBitmap& bitmap = picture->DecodedBitmap();
  ASSERT_EQ(bitmap.BitsPerPixel(), 8);
  const unsigned n = PaletteSize(bitmap);
  ASSERT_GT(n, 0u);
  ASSERT_LE(n, 236u);
  std::vector<PALETTEENTRY> entries(n);
  GetPaletteEntries(bitmap.Palette(), 0, n, entries.data());
  for (const PALETTEENTRY& e : entries) {
    EXPECT_EQ(e.peRed, e.peGreen);
    EXPECT_EQ(e.peGreen, e.peBlue);
  }
}

TEST(JPEGDecodeOptionsTest, ReducedSizeIsTheSameBeforeAndAfterDecoding) {
  static const TBytes big = test::EncodeWithLibjpeg(test::MakeTestBitmap(1024, 768));
  auto picture = Load(big, [](TJPEGImage& p) { p.SetScaleShift(2); });
  EXPECT_EQ(picture->Width(), 256);
  EXPECT_EQ(picture->Height(), 192);
  EXPECT_FALSE(picture->HasBitmap());
  EXPECT_EQ(picture->DecodedBitmap().Width(), 256);
  EXPECT_EQ(picture->DecodedBitmap().Height(), 192);
  EXPECT_EQ(picture->Width(), 256);
  // The full size stays what the header says.
  EXPECT_EQ(picture->Data().ImageWidth, 1024);
}

TEST(JPEGDecodeOptionsTest, ReducedSizeFollowsANewScale) {
  auto picture = Load(Baseline());
  EXPECT_EQ(picture->Width(), 250);
  picture->SetScaleShift(1);
  EXPECT_EQ(picture->Width(), 125);
  picture->SetScaleShift(3);
  EXPECT_EQ(picture->Width(), 32);
  EXPECT_EQ(picture->Height(), 22);
}

TEST(JPEGDecodeOptionsTest, BlockSmoothingMattersOnlyForIncompleteScans) {
  const TBytes& full = Progressive();
  const TBytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(full.size() / 4));
  for (bool smoothing : {true, false}) {
    auto picture = Load(cut, [&](TJPEGImage& p) { p.SetBlockSmoothing(smoothing); });
    EXPECT_TRUE(test::PpmOf(picture->DecodedBitmap()) ==
                test::DecodeWithLibjpeg(cut, {.blockSmoothing = smoothing}))
        << smoothing;
  }
  EXPECT_NE(test::DecodeWithLibjpeg(cut, {.blockSmoothing = true}),
            test::DecodeWithLibjpeg(cut, {.blockSmoothing = false}));
}

// Output passes seen through the progress reports: the first report of each new pass carries
// the band on to the bottom of the image.
int OutputPassesSeen(const TBytes& stream, bool incremental) {
  std::uint32_t tick = 1000;
  TTickCountOverride fastClock([&] { return tick += 600; });
  auto picture = Load(stream, [&](TJPEGImage& p) { p.SetIncrementalDisplay(incremental); });
  int starts = 0, ends = 0, passes = 1;
  picture->OnProgress = [&](TGraphic&, TProgressStage stage, std::uint8_t, bool, const TRect& r,
                            const std::string&) {
    starts += stage == psStarting;
    ends += stage == psEnding;
    if (stage == psRunning && r.Bottom == 170) ++passes;
  };
  picture->DecodedBitmap();
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(ends, 1);
  return passes;
}

TEST(JPEGDecodeOptionsTest, IncrementalDisplayRefillsTheBitmapAfterEachUnitOfInput) {
  // A progressive stream of 10 scans over 11 rows of blocks gives many complete output passes
  // (not every one is reported: reports follow whole-percent steps), a plain decode one.
  EXPECT_EQ(OutputPassesSeen(Progressive(), false), 1);
  EXPECT_GT(OutputPassesSeen(Progressive(), true), 10);
  EXPECT_EQ(OutputPassesSeen(Baseline(), true), 1);
}

TEST(JPEGDecodeOptionsTest, DamagedEntropyDataDecodesWithoutAnError) {
  TBytes damaged = Baseline();
  for (std::size_t i = damaged.size() / 2; i < damaged.size() / 2 + 64; ++i) damaged[i] ^= 0x5A;
  auto picture = Load(damaged);
  EXPECT_NO_THROW(picture->DecodedBitmap());
  EXPECT_EQ(picture->DecodedBitmap().Height(), 170);
}

TEST(JPEGDecodeOptionsTest, AStreamEndingInsideItsHeadersFailsWithTheCodecCode) {
  const TBytes cut(Baseline().begin(), Baseline().begin() + 30);
  try {
    Load(cut);
    FAIL() << "a stream without a frame loaded";
  } catch (const EJPEG& e) {
    EXPECT_GT(e.Code(), 0);
  }
}

TEST(JPEGDecodeOptionsTest, FourComponentStreamsFailAt24BitsInsteadOfOverrunningRows) {
  const TBytes cmyk = test::EncodeCmykWithLibjpeg(64, 32);
  auto picture = Load(cmyk);
  try {
    picture->DecodedBitmap();
    FAIL() << "a CMYK stream decoded into three-byte pixels";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code(), JERR_CONVERSION_NOTIMPL);
  }
  auto eightBit = Load(cmyk, [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); });
  EXPECT_NO_THROW(eightBit->DecodedBitmap());
  EXPECT_EQ(eightBit->DecodedBitmap().BitsPerPixel(), 8);
}

TEST(JPEGDecodeOptionsTest, APendingPaletteDoesNotRecolourGrayOutput) {
  const TPaletteHandleStats before = PaletteHandleStats();
  {
    auto picture = Load(Gray(), [](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); });
    const HPALETTE halftone = CreateHalftonePalette(0);
    picture->ChangePalette(halftone);
    const TBitmap& bitmap = picture->DecodedBitmap();
    EXPECT_TRUE(test::PpmOf(bitmap) == test::RunDjpeg(Gray(), "-dct float -colors 236"));
    EXPECT_EQ(picture->PendingPaletteHandle(), halftone);
  }
  EXPECT_EQ(PaletteHandleStats().live, before.live);
  EXPECT_EQ(PaletteHandleStats().badDeletes, before.badDeletes);
}

}  // namespace
}  // namespace numora
