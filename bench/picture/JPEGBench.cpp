// The JPEG picture class against bare libjpeg-turbo loops with the same settings, on a
// 1024 x 768 colour picture at quality 90: a 24-bit decode, an 8-bit (236-colour) decode and an
// encode from a 24-bit bitmap. After the runs it prints, for each pair, the class's median time
// over the bare loop's, and whether blue-green-red rows come faster straight from the codec or
// as red-green-blue rows swapped per pixel.
// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "jpeg.h"

namespace numora {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kQuality = 90;
constexpr int kColors = 236;  // what the class quantizes 8-bit decodes to

using TBytes = std::vector<std::uint8_t>;

// Smooth gradients with a ripple, a few hard-edged discs and a little fixed noise, so the
// encoder's output is neither trivial nor noise.
TBitmap MakePicture() {
  TBitmap bitmap(kWidth, kHeight, TPixelFormat::pf24bit);
  std::uint32_t seed = 12345;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = bitmap.GetScanline(y);
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>(seed >> 28) - 8;
      double r = 255.0 * x / (kWidth - 1);
      double g = 255.0 * y / (kHeight - 1);
      double b = 128 + 90 * std::sin(x / 23.0) * std::cos(y / 17.0);
      for (int disc = 0; disc < 5; ++disc) {
        const int cx = 150 + disc * 180, cy = 200 + (disc % 2) * 350;
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < 60 * 60) {
          r = 255 - r;
          b = 40.0 * disc;
        }
      }
      auto clamp = [noise](double v) {
        const int c = static_cast<int>(v) + noise;
        return static_cast<std::uint8_t>(c < 0 ? 0 : c > 255 ? 255 : c);
      };
      row[3 * x + 0] = clamp(b);
      row[3 * x + 1] = clamp(g);
      row[3 * x + 2] = clamp(r);
    }
  }
  return bitmap;
}

const TBitmap& Picture() {
  static const TBitmap bitmap = MakePicture();
  return bitmap;
}

// The bare encoder, with the class's settings: defaults, float DCT, quality 90, baseline,
// blue-green-red input rows, all rows in one call.
TBytes BareEncode(const TBitmap& bitmap) {
  jpeg_compress_struct c;
  jpeg_error_mgr error;
  c.err = jpeg_std_error(&error);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(bitmap.Width());
  c.image_height = static_cast<JDIMENSION>(bitmap.Height());
  c.input_components = 3;
  c.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&c);
  c.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&c, kQuality, TRUE);
  std::vector<JSAMPROW> rows(static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    rows[y] = const_cast<JSAMPROW>(bitmap.ReadScanline(y));
  }
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    jpeg_write_scanlines(&c, rows.data() + c.next_scanline, c.image_height - c.next_scanline);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  TBytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

const TBytes& Stream() {
  static const TBytes bytes = BareEncode(Picture());
  return bytes;
}

enum class TBareOutput { Bgr, RgbSwapped, Quantized };

// The bare decoder, with the class's settings for the output asked for: float DCT, block
// smoothing on, rows straight into one 4-byte-aligned buffer, several rows per call.
std::size_t BareDecode(const TBytes& stream, TBareOutput output) {
  jpeg_decompress_struct d;
  jpeg_error_mgr error;
  d.err = jpeg_std_error(&error);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, stream.data(), stream.size());
  jpeg_read_header(&d, TRUE);
  d.dct_method = JDCT_FLOAT;
  d.do_block_smoothing = TRUE;
  switch (output) {
    case TBareOutput::Bgr:
      d.out_color_space = JCS_EXT_BGR;
      break;
    case TBareOutput::RgbSwapped:
      d.out_color_space = JCS_RGB;
      break;
    case TBareOutput::Quantized:
      d.quantize_colors = TRUE;
      d.desired_number_of_colors = kColors;
      break;
  }
  jpeg_start_decompress(&d);
  const std::size_t stride = (d.output_width * d.output_components + 3u) & ~std::size_t{3};
  std::vector<std::uint8_t> pixels(stride * d.output_height);
  JSAMPLE palette[3][256];
  if (output == TBareOutput::Quantized) {
    for (int i = 0; i < d.actual_number_of_colors; ++i) {
      for (int c = 0; c < 3; ++c) palette[c][i] = d.colormap[c][i];
    }
    benchmark::DoNotOptimize(palette);
  }
  JSAMPROW rows[16];
  while (d.output_scanline < d.output_height) {
    const JDIMENSION count =
        std::min<JDIMENSION>(d.rec_outbuf_height, d.output_height - d.output_scanline);
    for (JDIMENSION k = 0; k < count; ++k) rows[k] = &pixels[(d.output_scanline + k) * stride];
    const JDIMENSION got = jpeg_read_scanlines(&d, rows, count);
    // Swapped while the rows are still in the cache.
    if (output == TBareOutput::RgbSwapped) {
      for (JDIMENSION k = 0; k < got; ++k) {
        std::uint8_t* p = rows[k];
        for (JDIMENSION x = 0; x < d.output_width; ++x, p += 3) std::swap(p[0], p[2]);
      }
    }
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  benchmark::DoNotOptimize(pixels.data());
  return pixels.size();
}

std::size_t ClassDecode(const TBytes& stream, TJPEGPixelFormat depth) {
  TJPEGImage picture;
  picture.SetBitmapDepth(depth);
  TBytesReader reader(stream);
  picture.LoadStream(reader);
  const TBitmap& bitmap = picture.DecodedBitmap();
  benchmark::DoNotOptimize(bitmap.ReadScanline(0));
  return static_cast<std::size_t>(bitmap.Stride()) * bitmap.Height();
}

std::size_t ClassEncode(const TBitmap& bitmap) {
  TJPEGImage picture;
  TBitmap source(bitmap);
  picture.Assign(source);
  TMemoryStream out;
  picture.SaveStream(out);
  benchmark::DoNotOptimize(out.Memory());
  return out.Bytes().size();
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One iteration runs both sides, in alternating order, so a busy machine, a frequency change
// or a warm cache weighs on both alike; the counters are the medians of each side.
template <class Mine, class Bare>
void Pair(benchmark::State& state, const Mine& mine, const Bare& bare) {
  std::vector<double> mineTimes, bareTimes;
  bool mineFirst = true;
  for (auto _ : state) {
    for (int side = 0; side < 2; ++side) {
      const bool runMine = (side == 0) == mineFirst;
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(runMine ? mine() : bare());
      (runMine ? mineTimes : bareTimes)
          .push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }
    mineFirst = !mineFirst;
  }
  const double a = Median(mineTimes), b = Median(bareTimes);
  state.counters["class_ms"] = a;
  state.counters["bare_ms"] = b;
  state.counters["ratio"] = a / b;
}

void Decode24(benchmark::State& state) {
  Pair(
      state, [] { return ClassDecode(Stream(), TJPEGPixelFormat::Depth24); },
      [] { return BareDecode(Stream(), TBareOutput::Bgr); });
}
void Decode8(benchmark::State& state) {
  Pair(
      state, [] { return ClassDecode(Stream(), TJPEGPixelFormat::Depth8); },
      [] { return BareDecode(Stream(), TBareOutput::Quantized); });
}
void Encode24(benchmark::State& state) {
  Pair(
      state, [] { return ClassEncode(Picture()); }, [] { return BareEncode(Picture()).size(); });
}
// Here "class" is the codec's own blue-green-red output and "bare" red-green-blue swapped.
void BgrStraightOverSwapped(benchmark::State& state) {
  Pair(
      state, [] { return BareDecode(Stream(), TBareOutput::Bgr); },
      [] { return BareDecode(Stream(), TBareOutput::RgbSwapped); });
}

BENCHMARK(Decode24)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(Decode8)->Unit(benchmark::kMillisecond)->MinTime(5);
BENCHMARK(Encode24)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BgrStraightOverSwapped)->Unit(benchmark::kMillisecond)->MinTime(3);

// Keeps the counters of every benchmark for the summary.
class TCounterReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto& kept = counters[run.run_name.function_name];
      for (const auto& [name, counter] : run.counters) kept[name] = counter.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, std::map<std::string, double>> counters;
};

void PrintPair(TCounterReporter& reporter, const char* benchmark, const char* what) {
  const auto found = reporter.counters.find(benchmark);
  if (found == reporter.counters.end()) return;
  auto& c = found->second;
  std::printf("%-28s class %7.3f ms  bare %7.3f ms  ratio %.3f\n", what, c["class_ms"],
              c["bare_ms"], c["ratio"]);
}

}  // namespace
}  // namespace numora

int main(int argc, char** argv) {
  using namespace numora;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::printf("picture %d x %d, quality %d, stream %zu bytes\n", kWidth, kHeight, kQuality,
              Stream().size());
  TCounterReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nmedians, each pair run interleaved (target: ratio at most 1.05)\n");
  PrintPair(reporter, "Decode24", "decode 24-bit");
  PrintPair(reporter, "Decode8", "decode 8-bit, 236 colours");
  PrintPair(reporter, "Encode24", "encode from a 24-bit bitmap");
  const auto bgr = reporter.counters.find("BgrStraightOverSwapped");
  if (bgr != reporter.counters.end()) {
    auto& c = bgr->second;
    std::printf(
        "blue-green-red rows: straight from the codec %.3f ms, red-green-blue swapped %.3f "
        "ms, straight/swapped %.3f: %s\n",
        c["class_ms"], c["bare_ms"], c["ratio"],
        c["ratio"] <= 1.0 ? "straight is faster" : "swapping is faster");
  }
  benchmark::Shutdown();
  return 0;
}
