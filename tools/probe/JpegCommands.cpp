// numora-probe jpeg-info, jpeg-decode, jpeg-encode and picture-record: the JPEG picture class
// driven from files, with binary PPM as the uncompressed form.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Arguments.h"
#include "Commands.h"
#include "Timing.h"
#include "graphics/Bitmap.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "jpeg.h"

namespace numora::probe {
namespace {

constexpr std::string_view kInfoUsage =
    "usage: numora-probe jpeg-info FILE\n"
    "FILE is a JPEG stream or a stored picture record; prints width, height, gray, multiscan.\n";
constexpr std::string_view kDecodeUsage =
    "usage: numora-probe jpeg-decode FILE OUT.ppm [--scale 0..3] [--gray] [--depth8] [--speed]\n"
    "       [--incremental] [--no-smoothing] [--palette-from REF.ppm] [--repeat N]\n"
    "Decodes FILE (JPEG stream or stored picture record) through TJPEGImage into OUT.ppm.\n";
constexpr std::string_view kEncodeUsage =
    "usage: numora-probe jpeg-encode IN.ppm OUT.jpg [--quality Q] [--gray] [--progressive]\n"
    "       [--repeat N]\n";
constexpr std::string_view kRecordUsage =
    "usage: numora-probe picture-record IN.jpg OUT.rec\n"
    "       numora-probe picture-record IN.rec OUT.jpg --extract\n";

int Usage(std::string_view usage) {
  std::fwrite(usage.data(), 1, usage.size(), stderr);
  return 2;
}

int Fail(const std::string& text) {
  std::fprintf(stderr, "error: %s\n", text.c_str());
  return 1;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  TFileStream file(path, TFileStream::TMode::fmOpenRead);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  if (!bytes.empty()) file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::uint8_t* bytes, std::size_t size) {
  TFileStream file(path, TFileStream::TMode::fmCreate);
  if (size > 0) file.WriteBuffer(bytes, size);
}

// --- PPM ---------------------------------------------------------------------------------

// Binary PPM (P6) or PGM (P5) with 8-bit samples, as a 24-bit bitmap.
TBitmap ReadPnm(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  std::size_t at = 0;
  auto skipSpace = [&] {
    while (at < bytes.size() && (std::isspace(bytes[at]) || bytes[at] == '#')) {
      if (bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n') ++at;
      } else {
        ++at;
      }
    }
  };
  auto number = [&] {
    skipSpace();
    long value = 0;
    const std::size_t start = at;
    while (at < bytes.size() && std::isdigit(bytes[at]) && value < 1000000) {
      value = value * 10 + (bytes[at++] - '0');
    }
    if (at == start) throw std::runtime_error(path + ": not a binary PPM or PGM file");
    return value;
  };
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '6' && bytes[1] != '5')) {
    throw std::runtime_error(path + ": not a binary PPM or PGM file");
  }
  const int channels = bytes[1] == '6' ? 3 : 1;
  at = 2;
  const long width = number(), height = number(), maxval = number();
  ++at;  // the single white-space character before the samples
  if (maxval != 255) throw std::runtime_error(path + ": only 8-bit samples are supported");
  if (width < 1 || height < 1 || width > 65535 || height > 65535 ||
      bytes.size() < at + static_cast<std::size_t>(width * height * channels)) {
    throw std::runtime_error(path + ": the pixel data is incomplete");
  }
  TBitmap bitmap(static_cast<int>(width), static_cast<int>(height), TPixelFormat::pf24bit);
  const std::uint8_t* p = bytes.data() + at;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.GetScanline(y);
    for (int x = 0; x < width; ++x, p += channels) {
      row[3 * x + 0] = p[channels == 3 ? 2 : 0];
      row[3 * x + 1] = p[channels == 3 ? 1 : 0];
      row[3 * x + 2] = p[0];
    }
  }
  return bitmap;
}

void WritePpm(const std::string& path, const TBitmap& bitmap) {
  const std::string header =
      "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
  std::vector<std::uint8_t> out(header.begin(), header.end());
  out.reserve(out.size() + static_cast<std::size_t>(bitmap.Width()) * bitmap.Height() * 3);
  const bool eightBit = bitmap.PixelFormat() == TPixelFormat::pf8bit;
  std::vector<PALETTEENTRY> colours(256);
  if (eightBit) {
    for (int i = 0; i < 256; ++i) colours[i] = bitmap.ColorOfIndex(static_cast<std::uint8_t>(i));
  }
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.ReadScanline(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (eightBit) {
        const PALETTEENTRY& c = colours[row[x]];
        out.insert(out.end(), {c.peRed, c.peGreen, c.peBlue});
      } else {
        out.insert(out.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
      }
    }
  }
  WriteWholeFile(path, out.data(), out.size());
}

// The distinct colours of a picture, in order of first appearance, at most 256.
HPALETTE PaletteOf(const TBitmap& bitmap) {
  TLogPalette palette;
  std::map<std::uint32_t, bool> seen;
  for (int y = 0; y < bitmap.Height() && palette.palNumEntries < kMaxPaletteEntries; ++y) {
    const std::uint8_t* row = bitmap.ReadScanline(y);
    for (int x = 0; x < bitmap.Width() && palette.palNumEntries < kMaxPaletteEntries; ++x) {
      const std::uint8_t* p = row + 3 * x;
      const std::uint32_t key = p[2] << 16 | p[1] << 8 | p[0];
      if (!seen.emplace(key, true).second) continue;
      palette.palPalEntry[palette.palNumEntries++] = PALETTEENTRY{p[2], p[1], p[0], 0};
    }
  }
  return CreatePalette(palette);
}

// --- loading -------------------------------------------------------------------------------

// A JPEG picture from a JPEG stream or a stored picture record (read by the picture container,
// which finds the class by the record's name).
struct TLoadedPicture {
  TPicture holder;
  TJPEGImage* picture = nullptr;
};

bool IsJpegStream(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

std::unique_ptr<TLoadedPicture> LoadPicture(const std::vector<std::uint8_t>& bytes) {
  auto loaded = std::make_unique<TLoadedPicture>();
  if (IsJpegStream(bytes)) {
    auto picture = std::make_unique<TJPEGImage>();
    TBytesReader stream(bytes);
    picture->LoadStream(stream);
    loaded->picture = picture.get();
    loaded->holder.SetGraphic(std::move(picture));
    return loaded;
  }
  loaded->holder.LoadFromStoredRecord(bytes);
  loaded->picture = loaded->holder.GraphicAs<TJPEGImage>();
  if (loaded->picture == nullptr) {
    throw std::runtime_error("the file is neither a JPEG stream nor a TJPEGImage record");
  }
  return loaded;
}

// Runs a command body; every failure becomes "error: <text>" and exit status 1.
template <class Body>
int Guarded(const Body& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}

struct TDecodeOptions {
  std::string in, out, paletteFrom;
  int repeat = 0;
};

}  // namespace

int RunJpegInfo(const TArgs& args) {
  if (args.size() != 1) return Usage(kInfoUsage);
  return Guarded([&] {
    const TJPEGImageRegistration registration;
    const auto loaded = LoadPicture(ReadWholeFile(args[0]));
    TJPEGImage& picture = *loaded->picture;
    std::printf("width %d\nheight %d\ngray %s\nmultiscan %s\n", picture.Data().ImageWidth,
                picture.Data().ImageHeight, picture.Data().IsGray ? "true" : "false",
                picture.MultiScanEncoding() ? "true" : "false");
    return 0;
  });
}

int RunJpegDecode(const TArgs& args) {
  const TJPEGImageRegistration registration;
  TDecodeOptions o;
  TJPEGDefaults& d = PictureDefaults;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--scale" && hasValue) {
      const std::optional<int> n = ParseInt(args[++i]);
      if (!n || *n < 0 || *n > 3) return Usage(kDecodeUsage);
      d.ScaleShift = static_cast<std::uint8_t>(*n);
    } else if (a == "--gray") {
      d.GrayOutput = true;
    } else if (a == "--depth8") {
      d.BitmapDepth = TJPEGPixelFormat::Depth8;
    } else if (a == "--speed") {
      d.DecodeSpeed = TJPEGPerformance::SpeedFirst;
    } else if (a == "--incremental") {
      d.IncrementalDisplay = true;
    } else if (a == "--no-smoothing") {
      d.BlockSmoothing = false;
    } else if (a == "--palette-from" && hasValue) {
      o.paletteFrom = args[++i];
    } else if (a == "--repeat" && hasValue) {
      const std::optional<int> n = ParseInt(args[++i]);
      if (!n || *n < 1) return Usage(kDecodeUsage);
      o.repeat = *n;
    } else if (a.starts_with("--")) {
      return Usage(kDecodeUsage);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Usage(kDecodeUsage);
  return Guarded([&] {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(files[0]);
    std::optional<TBitmap> reference;
    if (!o.paletteFrom.empty()) reference.emplace(ReadPnm(o.paletteFrom));
    auto decode = [&] {
      auto loaded = LoadPicture(bytes);
      if (reference) loaded->picture->ChangePalette(PaletteOf(*reference));
      loaded->picture->DecodedBitmap();
      return loaded;
    };
    std::unique_ptr<TLoadedPicture> loaded;
    double median = 0;
    if (o.repeat > 0)
      median = MedianMilliseconds(o.repeat, [&] { loaded = decode(); });
    else
      loaded = decode();
    const TBitmap& bitmap = loaded->picture->DecodedBitmap();
    WritePpm(files[1], bitmap);
    std::printf("bitmap %d x %d, %d bits\n", bitmap.Width(), bitmap.Height(),
                bitmap.BitsPerPixel());
    if (bitmap.BitsPerPixel() == 8) {
      std::printf("palette %u entries\n", GetPaletteEntries(bitmap.Palette(), 0, 0, nullptr));
    }
    if (o.repeat > 0) std::printf("decode median %.3f ms\n", median);
    return 0;
  });
}

int RunJpegEncode(const TArgs& args) {
  TJPEGDefaults& d = PictureDefaults;
  int repeat = 0;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--quality" && hasValue) {
      const std::optional<int> q = ParseInt(args[++i]);
      if (!q || *q < 1 || *q > 100) return Usage(kEncodeUsage);
      d.EncodeQuality = static_cast<std::uint8_t>(*q);
    } else if (a == "--gray") {
      d.GrayOutput = true;
    } else if (a == "--progressive") {
      d.MultiScanEncoding = true;
    } else if (a == "--repeat" && hasValue) {
      const std::optional<int> n = ParseInt(args[++i]);
      if (!n || *n < 1) return Usage(kEncodeUsage);
      repeat = *n;
    } else if (a.starts_with("--")) {
      return Usage(kEncodeUsage);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Usage(kEncodeUsage);
  return Guarded([&] {
    TBitmap bitmap = ReadPnm(files[0]);
    TMemoryStream out;
    auto encode = [&] {
      TJPEGImage picture;
      picture.Assign(bitmap);
      out.Clear();
      picture.SaveStream(out);
    };
    double median = 0;
    if (repeat > 0)
      median = MedianMilliseconds(repeat, encode);
    else
      encode();
    WriteWholeFile(files[1], out.Memory(), out.Bytes().size());
    std::printf("jpeg %zu bytes\n", out.Bytes().size());
    if (repeat > 0) std::printf("encode median %.3f ms\n", median);
    return 0;
  });
}

int RunPictureRecord(const TArgs& args) {
  std::vector<std::string> files;
  bool extract = false;
  for (const std::string& a : args) {
    if (a == "--extract")
      extract = true;
    else if (a.starts_with("--"))
      return Usage(kRecordUsage);
    else
      files.push_back(a);
  }
  if (files.size() != 2) return Usage(kRecordUsage);
  return Guarded([&] {
    const TJPEGImageRegistration registration;
    TPicture holder;
    if (extract) {
      holder.LoadFromStoredRecord(ReadWholeFile(files[0]));
      auto* picture = holder.GraphicAs<TJPEGImage>();
      if (picture == nullptr) throw std::runtime_error("the record does not hold a TJPEGImage");
      TMemoryStream out;
      picture->SaveStream(out);
      WriteWholeFile(files[1], out.Memory(), out.Bytes().size());
      std::printf("jpeg %zu bytes\n", out.Bytes().size());
    } else {
      const std::vector<std::uint8_t> bytes = ReadWholeFile(files[0]);
      auto picture = std::make_unique<TJPEGImage>();
      TBytesReader stream(bytes);
      picture->LoadStream(stream);
      holder.SetGraphic(std::move(picture));
      const std::vector<std::uint8_t> record = holder.StoredRecord();
      WriteWholeFile(files[1], record.data(), record.size());
      std::printf("record %zu bytes\n", record.size());
    }
    return 0;
  });
}

}  // namespace numora::probe
