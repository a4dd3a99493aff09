// Progress notifications of decodes and encodes: throttling, bands of rows, the ending report on
// every exit, and stopping by EAbort from a handler.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "TestPictures.h"
#include "graphics/Screen.h"
#include "jpeg.h"

namespace numora {
namespace {

using test::TBytes;

struct TReport {
  TProgressStage stage;
  int percent;
  bool redrawNow;
  TRect rect;
};

class JPEGProgressTest : public ::testing::Test {
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
  static void Load(TJPEGImage& picture, const TBytes& bytes) {
    TBytesReader stream(bytes);
    picture.LoadStream(stream);
  }
  static const TBytes& Big() {
    static const TBytes bytes = test::EncodeWithLibjpeg(test::MakeTestBitmap(512, 384));
    return bytes;
  }

  // Every call of the clock is 600 ms after the previous one: no report is throttled away.
  std::uint32_t tick_ = 1000;
  TTickCountOverride fastClock_{[this] { return tick_ += 600; }};
  std::vector<TReport> reports_;
  std::function<void(const TReport&)> onReport_;
};

TEST_F(JPEGProgressTest, WithinHalfASecondOnlyTheStartAndTheEndAreReported) {
  TTickCountOverride stoppedClock([] { return 5000u; });
  TJPEGImage picture;
  Load(picture, Big());
  Watch(picture);
  int changes = 0;
  picture.OnChange = [&](TGraphic&) { ++changes; };
  picture.DecodedBitmap();
  ASSERT_EQ(reports_.size(), 2u);
  EXPECT_EQ(reports_[0].stage, psStarting);
  EXPECT_EQ(reports_[0].percent, 0);
  EXPECT_FALSE(reports_[0].redrawNow);
  EXPECT_EQ(reports_[1].stage, psEnding);
  EXPECT_EQ(reports_[1].percent, 100);
  // Loading set the palette-modified flag: the end asks for a redraw and notifies a change.
  EXPECT_TRUE(reports_[1].redrawNow);
  EXPECT_EQ(reports_[1].rect, TRect{});
  EXPECT_EQ(changes, 1);
}

TEST_F(JPEGProgressTest, RunningReportsNameConsecutiveBandsOfRows) {
  TJPEGImage picture;
  Load(picture, Big());
  Watch(picture);
  picture.DecodedBitmap();
  const std::vector<TReport> running = Running();
  ASSERT_GT(running.size(), 3u);
  EXPECT_EQ(running.front().rect.Top, 0);
  int previousPercent = -1, previousBottom = 0;
  for (const TReport& r : running) {
    EXPECT_GT(r.percent, previousPercent);
    EXPECT_LE(r.percent, 100);
    EXPECT_EQ(r.rect.Left, 0);
    EXPECT_EQ(r.rect.Right, 512);
    EXPECT_EQ(r.rect.Top, previousBottom);
    EXPECT_EQ(r.redrawNow, r.rect.Height() >= 4);
    previousPercent = r.percent;
    previousBottom = r.rect.Bottom;
  }
  EXPECT_EQ(reports_.back().stage, psEnding);
}

TEST_F(JPEGProgressTest, ANewOutputPassReportsTheRestOfTheImageFirst) {
  TJPEGImage picture;
  picture.SetBitmapDepth(TJPEGPixelFormat::Depth8);  // two-pass quantization: two passes
  Load(picture, Big());
  Watch(picture);
  picture.DecodedBitmap();
  const std::vector<TReport> running = Running();
  bool sawPassChange = false;
  for (std::size_t i = 1; i < running.size(); ++i) {
    const TReport& previous = running[i - 1];
    const TReport& r = running[i];
    if (r.rect.Top != previous.rect.Bottom) {
      // Only right after a band that was carried to the bottom of a finished pass.
      EXPECT_EQ(previous.rect.Bottom, 384);
      sawPassChange = true;
    }
  }
  bool carried = false;
  for (const TReport& r : running) carried |= r.rect.Bottom == 384 && r.rect.Top > 0;
  EXPECT_TRUE(carried);
  EXPECT_TRUE(sawPassChange || running.back().rect.Bottom == 384);
}

TEST_F(JPEGProgressTest, EncodeReportsNeverAskForARedraw) {
  TBitmap bitmap = test::MakeTestBitmap(512, 384);
  TJPEGImage picture;
  picture.Assign(bitmap);
  // All rows go to the codec in one call, which reports once (silently, the first call); the
  // later scans of a progressive encode report as they are written.
  picture.SetMultiScanEncoding(true);
  Watch(picture);
  TMemoryStream out;
  picture.SaveStream(out);
  ASSERT_GE(reports_.size(), 3u);
  EXPECT_EQ(reports_.front().stage, psStarting);
  EXPECT_EQ(reports_.back().stage, psEnding);
  EXPECT_EQ(reports_.back().percent, 100);
  for (const TReport& r : reports_) {
    EXPECT_FALSE(r.redrawNow);
    EXPECT_EQ(r.rect, TRect{});
  }
}

TEST_F(JPEGProgressTest, AbortEndsTheDecodeSilentlyWithTheRowsDoneSoFar) {
  TJPEGImage picture;
  Load(picture, Big());
  Watch(picture);
  int running = 0;
  onReport_ = [&](const TReport& r) {
    if (r.stage == psRunning && ++running == 2) throw EAbort();
  };
  const TBitmap& bitmap = picture.DecodedBitmap();
  EXPECT_EQ(bitmap.Width(), 512);
  EXPECT_EQ(bitmap.Height(), 384);
  EXPECT_EQ(reports_.back().stage, psEnding);
  EXPECT_EQ(reports_.back().percent, 0);
  // The top rows are decoded, the bottom row is still untouched.
  const std::uint8_t* top = bitmap.ReadScanline(0);
  const std::uint8_t* bottom = bitmap.ReadScanline(383);
  EXPECT_NE(std::count(top, top + 3 * 512, 0), 3 * 512);
  EXPECT_EQ(std::count(bottom, bottom + 3 * 512, 0), 3 * 512);
  // The partial bitmap stays: no second decode.
  const std::size_t count = reports_.size();
  picture.DecodedBitmap();
  EXPECT_EQ(reports_.size(), count);
}

TEST_F(JPEGProgressTest, AbortAtTheStartLeavesAnEmptyBitmapAndNoEndingReport) {
  TJPEGImage picture;
  Load(picture, Big());
  Watch(picture);
  onReport_ = [](const TReport& r) {
    if (r.stage == psStarting) throw EAbort();
  };
  EXPECT_TRUE(picture.DecodedBitmap().IsEmpty());
  EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(JPEGProgressTest, OtherHandlerErrorsPassThroughAfterTheEndingReport) {
  TJPEGImage picture;
  Load(picture, Big());
  Watch(picture);
  onReport_ = [](const TReport& r) {
    if (r.stage == psRunning) throw std::logic_error("handler failed");
  };
  try {
    picture.DecodedBitmap();
    FAIL() << "the handler's error was swallowed";
  } catch (const EJPEG&) {
    FAIL() << "the handler's error became a codec error";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "handler failed");
  }
  EXPECT_EQ(reports_.back().stage, psEnding);
  EXPECT_EQ(reports_.back().percent, 0);
  EXPECT_TRUE(picture.HasBitmap());
}

TEST_F(JPEGProgressTest, AbortDuringAnEncodeDropsThePartialStream) {
  TBitmap bitmap = test::MakeTestBitmap(512, 384);
  TJPEGImage picture;
  picture.Assign(bitmap);
  // All rows go to the codec in one call, which reports once (silently, the first call); the
  // later scans of a progressive encode report as they are written.
  picture.SetMultiScanEncoding(true);
  Watch(picture);
  onReport_ = [](const TReport& r) {
    if (r.stage == psRunning) throw EAbort();
  };
  TMemoryStream out;
  picture.SaveStream(out);
  EXPECT_EQ(out.Size(), 0);
  EXPECT_FALSE(picture.Data().Bytes);
  EXPECT_TRUE(picture.HasBitmap());
  EXPECT_EQ(reports_.back().stage, psEnding);
  EXPECT_EQ(reports_.back().percent, 0);
  // Without the handler the next save encodes in full.
  onReport_ = nullptr;
  picture.SaveStream(out);
  EXPECT_GT(out.Size(), 0);
}

TEST_F(JPEGProgressTest, ReducedSizeIsComputedWithoutReports) {
  TJPEGImage picture;
  picture.SetScaleShift(2);
  Load(picture, Big());
  Watch(picture);
  EXPECT_EQ(picture.Width(), 128);
  EXPECT_EQ(picture.Height(), 96);
  EXPECT_TRUE(reports_.empty());
}

}  // namespace
}  // namespace numora
