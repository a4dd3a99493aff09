// Turns the codec's progress counters into the owner's running progress notifications: at most
// one per 500 ms, never on the first call of a record, only when the whole percentage moved,
// each naming the band of output rows decoded since the previous report.
#include <jerror.h>

#include <string>

#include "CodecRecord.h"
#include "graphics/Graphic.h"
#include "graphics/Screen.h"

namespace numora {
namespace {

constexpr std::uint32_t kReportInterval = 500;
// Far more scans than any encoder writes (a progressive stream has about ten). Each scan costs
// a pass over the whole coefficient image, and with incremental display a pass over the bitmap
// too, so a small stream repeating one scan thousands of times keeps a decode busy for minutes.
constexpr int kMaxScans = 500;

int PercentOf(const jpeg_progress_mgr& p) {
  if (p.pass_limit <= 0 || p.total_passes <= 0) return 0;
  const double done = static_cast<double>(p.pass_counter) / static_cast<double>(p.pass_limit) +
                      static_cast<double>(p.completed_passes);
  const double percent = done * 100.0 / static_cast<double>(p.total_passes);
  if (!(percent > 0.0)) return 0;
  return percent >= 100.0 ? 100 : static_cast<int>(percent);
}

}  // namespace

void ProgressHook(j_common_ptr codec) noexcept {
  if (codec->progress == nullptr) return;
  // The hook runs before each unit of input the codec reads ahead and for every batch of output
  // rows, so a decode sees the count pass the limit within one scan.
  if (codec->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(codec)->input_scan_number > kMaxScans) {
    ERREXIT(codec, JERR_BAD_SCAN_SCRIPT);
  }
  // TProgressRecord begins with the codec's fields, so the two addresses are one.
  TProgressRecord& progress = *reinterpret_cast<TProgressRecord*>(codec->progress);
  if (progress.Owner == nullptr) return;

  const std::uint32_t now = GetTickCount();
  if (progress.LastTick != 0 && now - progress.LastTick < kReportInterval) return;
  const std::uint32_t previous = progress.LastTick;
  progress.LastTick = now;
  if (previous == 0) return;

  TRect rect;
  if (codec->is_decompressor) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(codec);
    rect = TRect{0, progress.LastRow, static_cast<int>(d->output_width),
                 static_cast<int>(d->output_scanline)};
    // A new output pass began: the band runs from the last reported row to the bottom.
    if (rect.Bottom < progress.LastRow) rect.Bottom = static_cast<int>(d->output_height);
  }

  const int percent = PercentOf(progress.Codec);
  if (percent == progress.LastPercent) return;
  progress.LastPercent = percent;
  if (codec->is_decompressor) {
    progress.LastRow = static_cast<int>(reinterpret_cast<j_decompress_ptr>(codec)->output_scanline);
  }

  // A handler may draw or copy the bitmap: it sees no undefined rows.
  ClearUnwrittenRows(RecordOf(codec).Target);
  bool failed = false;
  try {
    progress.Owner->Progress(*progress.Owner, psRunning, static_cast<std::uint8_t>(percent),
                             rect.Height() >= 4, rect, std::string());
  } catch (...) {
    KeepFailure(codec);
    failed = true;
  }
  if (failed) LeaveCodec(codec);
}

}  // namespace numora
