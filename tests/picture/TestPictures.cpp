#include "TestPictures.h"

#include <unistd.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace numora::test {

TBitmap MakeTestBitmap(int width, int height) {
  TBitmap bitmap(width, height, TPixelFormat::pf24bit);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.GetScanline(y);
    for (int x = 0; x < width; ++x) {
      const int r = (x * 255) / std::max(1, width - 1);
      const int g = (y * 255) / std::max(1, height - 1);
      int b = static_cast<int>(128 + 100 * std::sin(x * 0.05) * std::cos(y * 0.07));
      if ((x / 32 + y / 32) % 5 == 0) b = 255 - b;  // hard edges
      row[3 * x + 0] = static_cast<std::uint8_t>(b);
      row[3 * x + 1] = static_cast<std::uint8_t>(g);
      row[3 * x + 2] = static_cast<std::uint8_t>(r ^ ((x * y) & 15));
    }
  }
  return bitmap;
}

namespace {

// A compressor writing into memory; Finish ends the stream and hands over its bytes.
struct TMemoryCompressor {
  jpeg_compress_struct c;
  jpeg_error_mgr error;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;

  TMemoryCompressor() {
    c.err = jpeg_std_error(&error);
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &buffer, &size);
  }
  ~TMemoryCompressor() {
    jpeg_destroy_compress(&c);
    std::free(buffer);
  }
  TBytes Finish() {
    jpeg_finish_compress(&c);
    return TBytes(buffer, buffer + size);
  }
};

}  // namespace

TBytes EncodeWithLibjpeg(const TBitmap& source, const TEncodeSettings& settings) {
  TBitmap bitmap(source);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  TMemoryCompressor compressor;
  jpeg_compress_struct& c = compressor.c;
  c.image_width = bitmap.Width();
  c.image_height = bitmap.Height();
  c.input_components = 3;
  c.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, settings.quality, TRUE);
  if (settings.gray) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
  if (settings.progressive) jpeg_simple_progression(&c);
  c.restart_in_rows = settings.restartRows;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(bitmap.ReadScanline(static_cast<int>(c.next_scanline)));
    jpeg_write_scanlines(&c, &row, 1);
  }
  return compressor.Finish();
}

TBytes EncodeCmykWithLibjpeg(int width, int height) {
  TMemoryCompressor compressor;
  jpeg_compress_struct& c = compressor.c;
  c.image_width = width;
  c.image_height = height;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4, 100);
  while (c.next_scanline < c.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&c, &p, 1);
  }
  return compressor.Finish();
}

namespace {
void Quiet(j_common_ptr, int) {}
}  // namespace

TBytes DecodeWithLibjpeg(const TBytes& jpeg, const TDecodeSettings& settings) {
  jpeg_decompress_struct d;
  jpeg_error_mgr error;
  d.err = jpeg_std_error(&error);
  error.emit_message = Quiet;
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, jpeg.data(), jpeg.size());
  jpeg_read_header(&d, TRUE);
  d.do_block_smoothing = settings.blockSmoothing;
  d.dct_method = static_cast<J_DCT_METHOD>(settings.dctMethod);
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  const std::string header =
      "P6\n" + std::to_string(d.output_width) + " " + std::to_string(d.output_height) + "\n255\n";
  TBytes out(header.begin(), header.end());
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(d.output_width) * d.output_height * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row =
        out.data() + at + static_cast<std::size_t>(d.output_scanline) * d.output_width * 3;
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return out;
}

TBytes PpmOf(const TBitmap& bitmap) {
  const std::string header =
      "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
  TBytes out(header.begin(), header.end());
  const bool eightBit = bitmap.PixelFormat() == TPixelFormat::pf8bit;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.ReadScanline(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (eightBit) {
        const PALETTEENTRY e = bitmap.ColorOfIndex(row[x]);
        out.insert(out.end(), {e.peRed, e.peGreen, e.peBlue});
      } else {
        out.insert(out.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
      }
    }
  }
  return out;
}

namespace {

// Skips a PNM header; returns the offset of the samples and the kind ('5' or '6').
std::size_t PnmSamples(const TBytes& pnm, char& kind) {
  if (pnm.size() < 2 || pnm[0] != 'P') throw std::runtime_error("not a PNM file");
  kind = static_cast<char>(pnm[1]);
  std::size_t at = 2;
  for (int fields = 0; fields < 3; ++fields) {
    while (at < pnm.size() && std::isspace(pnm[at])) ++at;
    while (at < pnm.size() && std::isdigit(pnm[at])) ++at;
  }
  return at + 1;
}

TBytes PgmToPpm(const TBytes& pgm) {
  char kind = 0;
  const std::size_t at = PnmSamples(pgm, kind);
  if (kind != '5') return pgm;
  TBytes out(pgm.begin(), pgm.begin() + static_cast<std::ptrdiff_t>(at));
  out[1] = '6';
  for (std::size_t i = at; i < pgm.size(); ++i) out.insert(out.end(), {pgm[i], pgm[i], pgm[i]});
  return out;
}

TBytes RunTool(const std::string& tool, const TBytes& input, const std::string& arguments) {
  static int serial = 0;
  const std::string in = TempPath("tool-in-" + std::to_string(++serial));
  const std::string out = in + ".out";
  WriteFile(in, input);
  const std::string command = tool + " " + arguments + " -outfile " + out + " " + in;
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
  TBytes result = ReadFile(out);
  std::remove(in.c_str());
  std::remove(out.c_str());
  return result;
}

}  // namespace

TBytes RunDjpeg(const TBytes& jpeg, const std::string& arguments) {
  return PgmToPpm(RunTool("djpeg", jpeg, arguments));
}

TBytes RunCjpeg(const TBytes& ppm, const std::string& arguments) {
  return RunTool("cjpeg", ppm, arguments);
}

TBytes StoredRecord(const TBytes& jpeg, const std::string& className) {
  TBytes record(1 + className.size() + 4 + jpeg.size());
  record[0] = static_cast<std::uint8_t>(className.size());
  std::copy(className.begin(), className.end(), record.begin() + 1);
  const auto length = static_cast<std::uint32_t>(jpeg.size());
  const std::size_t at = 1 + className.size();
  for (int i = 0; i < 4; ++i) record[at + i] = static_cast<std::uint8_t>(length >> (8 * i));
  std::copy(jpeg.begin(), jpeg.end(), record.begin() + static_cast<std::ptrdiff_t>(at + 4));
  return record;
}

std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/numora-picture-" + std::to_string(getpid()) + "-" +
         name;
}

void WriteFile(const std::string& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

TBytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace numora::test
