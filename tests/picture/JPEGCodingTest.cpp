// Decodes and encodes as they run: progress reports, stopping, handlers that try to change the
// picture, and the streams that are refused before the codec spends memory or time on them.
#include <gtest/gtest.h>
#include <jerror.h>

#include <QImage>
#include <stdexcept>
#include <vector>

#include "TestPictures.h"
#include "graphics/Picture.h"
#include "graphics/Screen.h"

namespace numora {
namespace {

using test::Loaded;
using test::TBytes;

struct TReport {
  TProgressStage stage;
  int percent;
  bool redrawNow;
  TRect rect;
};

const TBytes& Big() {
  static const TBytes bytes = test::EncodeWithLibjpeg(test::MakeTestBitmap(512, 384));
  return bytes;
}

class JPEGCodingTest : public ::testing::Test {
 protected:
  void Watch(TJPEGImage& picture) {
    picture.OnProgress = [this](TGraphic&, TProgressStage stage, std::uint8_t percent,
                                bool redrawNow, const TRect& rect, const std::string& message) {
      EXPECT_TRUE(message.empty());
      reports_.push_back({stage, percent, redrawNow, rect});
      if (onReport_) onReport_(reports_.back());
    };
  }
  std::vector<TReport> Running() const {
    std::vector<TReport> running;
    for (const TReport& r : reports_) {
      if (r.stage == psRunning) running.push_back(r);
    }
    return running;
  }
  std::unique_ptr<TJPEGImage> Encoding(bool progressive = true) {
    auto picture = std::make_unique<TJPEGImage>();
    TBitmap bitmap = test::MakeTestBitmap(512, 384);
    picture->Assign(bitmap);
    // All rows go in one call, which reports once (silently, the first call); the later scans
    // of a progressive encode report as they are written.
    picture->SetMultiScanEncoding(progressive);
    Watch(*picture);
    return picture;
  }

  // Every clock reading is 600 ms after the one before: no report is throttled away.
  std::uint32_t tick_ = 1000;
  TTickCountOverride clock_{[this] { return tick_ += 600; }};
  std::vector<TReport> reports_;
  std::function<void(const TReport&)> onReport_;
};

TEST_F(JPEGCodingTest, RunningReportsComeOnlyWhenHalfASecondHasPassed) {
  // The first 20 hook calls read 1000, the later ones 1000 + gap: one report or none.
  for (const auto& [gap, running] : {std::pair{0u, 0u}, {499u, 0u}, {500u, 1u}}) {
    int calls = 0;
    TTickCountOverride clock([&, gap = gap] { return ++calls <= 20 ? 1000u : 1000u + gap; });
    reports_.clear();
    auto picture = Loaded(Big());
    Watch(*picture);
    picture->DecodedBitmap();
    EXPECT_EQ(Running().size(), running) << gap;
    ASSERT_GE(reports_.size(), 2u);
    EXPECT_EQ(reports_.back().stage, psEnding);
    EXPECT_EQ(reports_.back().percent, 100);
    EXPECT_TRUE(reports_.back().redrawNow);  // loading set the palette-modified flag
  }
}

TEST_F(JPEGCodingTest, RunningReportsNameConsecutiveBandsOfRows) {
  auto picture = Loaded(Big());
  Watch(*picture);
  picture->DecodedBitmap();
  const std::vector<TReport> running = Running();
  ASSERT_GT(running.size(), 3u);
  int previousPercent = -1, previousBottom = 0;
  for (const TReport& r : running) {
    EXPECT_GT(r.percent, previousPercent);
    EXPECT_LE(r.percent, 100);
    EXPECT_EQ(r.rect, (TRect{0, previousBottom, 512, r.rect.Bottom}));
    EXPECT_EQ(r.redrawNow, r.rect.Height() >= 4);
    previousPercent = r.percent;
    previousBottom = r.rect.Bottom;
  }
}

TEST_F(JPEGCodingTest, ANewOutputPassReportsTheRestOfTheImageFirst) {
  // Two-pass quantization makes two output passes; so does incremental display, many.
  for (auto options : {+[](TJPEGImage& p) { p.SetBitmapDepth(TJPEGPixelFormat::Depth8); },
                       +[](TJPEGImage& p) { p.SetIncrementalDisplay(true); }}) {
    reports_.clear();
    auto picture = Loaded(
        test::EncodeWithLibjpeg(test::MakeTestBitmap(512, 384), {.progressive = true}), options);
    Watch(*picture);
    picture->DecodedBitmap();
    int carried = 0;
    const std::vector<TReport> running = Running();
    for (std::size_t i = 1; i < running.size(); ++i) {
      if (running[i].rect.Top != running[i - 1].rect.Bottom) {
        EXPECT_EQ(running[i - 1].rect.Bottom, 384);
      }
      carried += running[i].rect.Bottom == 384 && running[i].rect.Top > 0;
    }
    EXPECT_GE(carried, 1);
  }
}

TEST_F(JPEGCodingTest, AbortEndsADecodeWithTheRowsDoneSoFar) {
  auto picture = Loaded(Big());
  Watch(*picture);
  onReport_ = [](const TReport& r) {
    if (r.stage == psRunning && r.percent > 20) throw EAbort();
  };
  const TBitmap& bitmap = picture->DecodedBitmap();
  EXPECT_EQ(reports_.back().stage, psEnding);
  EXPECT_EQ(reports_.back().percent, 0);
  const std::uint8_t* top = bitmap.ReadScanline(0);
  const std::uint8_t* bottom = bitmap.ReadScanline(383);
  EXPECT_NE(std::count(top, top + 3 * 512, 0), 3 * 512);
  EXPECT_EQ(std::count(bottom, bottom + 3 * 512, 0), 3 * 512);
  const std::size_t count = reports_.size();
  picture->DecodedBitmap();  // kept: no second decode
  EXPECT_EQ(reports_.size(), count);

  auto atStart = Loaded(Big());
  reports_.clear();
  Watch(*atStart);
  onReport_ = [](const TReport& r) {
    if (r.stage == psStarting) throw EAbort();
  };
  EXPECT_TRUE(atStart->DecodedBitmap().IsEmpty());
  EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(JPEGCodingTest, AbortDropsAPartialEncodeAndOtherErrorsPassAfterTheEndingReport) {
  auto picture = Encoding();
  onReport_ = [](const TReport& r) {
    if (r.stage == psRunning) throw EAbort();
  };
  TMemoryStream out;
  picture->SaveStream(out);
  EXPECT_EQ(out.Size(), 0);
  EXPECT_FALSE(picture->Data().Bytes);
  EXPECT_EQ(reports_.back().percent, 0);
  onReport_ = [](const TReport& r) {
    if (r.stage == psRunning) throw std::logic_error("handler failed");
  };
  EXPECT_THROW(picture->SaveStream(out), std::logic_error);
  EXPECT_FALSE(picture->Data().Bytes);  // no truncated stream for a later save
  EXPECT_EQ(out.Size(), 0);
  onReport_ = nullptr;
  picture->SaveStream(out);
  EXPECT_GT(out.Size(), 0);
  EXPECT_EQ(Loaded(TBytes(out.Bytes().begin(), out.Bytes().end()))->Height(), 384);
  EXPECT_EQ(reports_.back().percent, 100);
  EXPECT_GT(Running().size(), 1u);
  for (const TReport& r : reports_) {
    EXPECT_FALSE(r.redrawNow);  // encode reports never ask for a redraw
    EXPECT_EQ(r.rect, TRect{});
  }

  auto decoding = Loaded(Big());
  Watch(*decoding);
  onReport_ = [](const TReport& r) {
    if (r.stage == psRunning) throw std::logic_error("handler failed");
  };
  EXPECT_THROW(decoding->DecodedBitmap(), std::logic_error);
  EXPECT_EQ(reports_.back().stage, psEnding);
  EXPECT_EQ(reports_.back().percent, 0);
  EXPECT_TRUE(decoding->HasBitmap());
}

TEST_F(JPEGCodingTest, HandlersCannotChangeOrReplaceThePictureWhileItIsDecodedOrEncoded) {
  TBitmap other = test::MakeTestBitmap(8, 8);
  using TChange = std::function<void(TPicture & holder, TJPEGImage & picture)>;
  const std::pair<const char*, TChange> changes[] = {
      {"loading a stream",
       [](TPicture&, TJPEGImage& p) { p.LoadStream(*std::make_unique<TBytesReader>(Big())); }},
      {"reading a stored record",
       [](TPicture&, TJPEGImage& p) {
         p.ReadStored(*std::make_unique<TBytesReader>(TBytes{0, 0, 0, 0}));
       }},
      {"assigning a bitmap", [&](TPicture&, TJPEGImage& p) { p.Assign(other); }},
      {"giving a palette",
       [](TPicture&, TJPEGImage& p) { p.ChangePalette(CreateHalftonePalette(0)); }},
      {"pasting",
       [&](TPicture&, TJPEGImage& p) { p.LoadClipboard(CF_BITMAP, other.ToQImage(), 0); }},
      {"resizing the bitmap", [](TPicture&, TJPEGImage& p) { p.DecodedBitmap().SetSize(8, 8); }},
      {"reformatting the bitmap",
       [](TPicture&, TJPEGImage& p) { p.DecodedBitmap().SetPixelFormat(TPixelFormat::pf8bit); }},
      {"assigning to the bitmap",
       [&](TPicture&, TJPEGImage& p) { p.DecodedBitmap().Assign(other); }},
      {"replacing the picture in its holder",
       [](TPicture& holder, TJPEGImage&) { holder.SetGraphic(std::make_unique<TJPEGImage>()); }},
      {"loading an empty record into its holder",
       [](TPicture& holder, TJPEGImage&) { holder.LoadFromStoredRecord(TBytes{0}); }},
  };
  for (const bool decode : {true, false}) {
    for (const auto& [name, change] : changes) {
      SCOPED_TRACE(std::string(decode ? "decoding, " : "encoding, ") + name);
      reports_.clear();
      TPicture holder;
      holder.SetGraphic(decode ? Loaded(Big()) : Encoding());
      TJPEGImage& picture = *holder.GraphicAs<TJPEGImage>();
      if (decode) Watch(picture);
      const TJPEGData* data = &picture.Data();
      onReport_ = [&](const TReport& r) {
        if (r.stage == psRunning) change(holder, picture);
      };
      TMemoryStream out;
      if (decode) {
        EXPECT_THROW(picture.DecodedBitmap(), EInvalidGraphicOperation);
      } else {
        EXPECT_THROW(picture.SaveStream(out), EInvalidGraphicOperation);
      }
      EXPECT_EQ(out.Size(), 0);
      if (!decode) {
        EXPECT_FALSE(picture.Data().Bytes) << "a truncated stream was kept";
      }
      EXPECT_EQ(&picture.Data(), data);
      EXPECT_EQ(picture.DecodedBitmap().Width(), 512);
      onReport_ = nullptr;
      change(holder, picture);  // allowed again afterwards
    }
  }
}

TEST_F(JPEGCodingTest, FourComponentStreamsFailAtBothDepths) {
  const TBytes cmyk = test::EncodeWithLibjpeg(test::MakeTestBitmap(64, 32), {.components = 4});
  for (const auto depth : {TJPEGPixelFormat::Depth24, TJPEGPixelFormat::Depth8}) {
    auto picture = Loaded(cmyk);
    picture->SetBitmapDepth(depth);
    try {
      picture->DecodedBitmap();
      ADD_FAILURE() << "a CMYK stream decoded";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Code(), JERR_CONVERSION_NOTIMPL);
    }
  }
}

TEST_F(JPEGCodingTest, DecodesAboveTheMemoryBudgetAreRefusedBeforeTheyStart) {
  const TBitmap tile = test::MakeTestBitmap(16, 16);
  const TBytes baseline = test::EncodeWithLibjpeg(tile);
  const TBytes progressive = test::EncodeWithLibjpeg(tile, {.progressive = true});
  struct TCase {
    const TBytes& stream;
    int side, scaleShift;
    bool depth8, speed, refused;
  };
  // 300 MB budget. A 2x2-sampled multi-scan stream keeps 3 bytes of coefficients per pixel.
  const TCase cases[] = {
      {progressive, 7000, 0, false, false, false},  // 147 MB bitmap + 147 MB coefficients
      {progressive, 7100, 0, false, false, true},   // 151 + 151
      {baseline, 7100, 0, false, false, false},     // the bitmap alone
      {baseline, 10000, 0, true, true, false},      // 100 MB of indices
      {baseline, 10000, 0, true, false, true},      // two-pass quantization: 300 MB of colour more
      {progressive, 65500, 3, false, false, true},  // 201 MB bitmap + 12.9 GB coefficients
  };
  for (const TCase& c : cases) {
    auto picture = Loaded(test::WithDeclaredSize(c.stream, c.side, c.side));
    picture->SetScaleShift(c.scaleShift);
    if (c.depth8) picture->SetBitmapDepth(TJPEGPixelFormat::Depth8);
    if (c.speed) picture->SetDecodeSpeed(TJPEGPerformance::SpeedFirst);
    bool started = false;
    picture->OnProgress = [&](TGraphic&, TProgressStage, std::uint8_t, bool, const TRect&,
                              const std::string&) {
      started = true;
      throw EAbort();
    };
    try {
      picture->DecodedBitmap();
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Code(), JERR_IMAGE_TOO_BIG);
    }
    EXPECT_EQ(started, !c.refused) << c.side;
  }
}

}  // namespace
}  // namespace numora
