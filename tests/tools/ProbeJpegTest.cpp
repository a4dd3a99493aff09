// numora-probe jpeg-info, jpeg-decode, jpeg-encode and picture-record end to end, against the
// reference tools of the same library (cjpeg, djpeg), and the files it must refuse.
#include <gtest/gtest.h>
#include <jerror.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "RunProbe.h"

namespace {

using TBytes = std::vector<unsigned char>;
using numora::testing::RunShell;
using numora::testing::TProbeResult;

TProbeResult Probe(const std::string& arguments) {
  return numora::testing::RunProbe(arguments, numora::testing::TProbeOutput::BothStreams);
}
TBytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void WriteFile(const std::string& path, const TBytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}
TBytes Record(const TBytes& jpeg, std::uint32_t length) {
  TBytes r = {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e'};
  for (int i = 0; i < 4; ++i) r.push_back(static_cast<unsigned char>(length >> (8 * i)));
  r.insert(r.end(), jpeg.begin(), jpeg.end());
  return r;
}
// The frame header's size replaced.
TBytes Declaring(TBytes b, int side) {
  for (std::size_t i = 0; i + 8 < b.size(); ++i) {
    if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {
      for (int k : {5, 7})
        b[i + k] = static_cast<unsigned char>(side >> 8), b[i + k + 1] = side & 255;
      break;
    }
  }
  return b;
}
// The last scan of a progressive stream repeated until the stream has `scans` scans.
TBytes WithScans(const TBytes& b, int have, int scans) {
  const std::string s(b.begin(), b.end());
  const std::size_t last = s.rfind("\xFF\xDA"), end = s.rfind("\xFF\xD9");
  std::string out = s.substr(0, end);
  for (int i = have; i < scans; ++i) out += s.substr(last, end - last);
  out += s.substr(end);
  return TBytes(out.begin(), out.end());
}

class ProbeJpegTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = "/tmp/numora-probe-jpeg-" + std::to_string(getpid());
    RunShell("mkdir -p " + dir_);
    const int w = 301, h = 203;
    const std::string header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    TBytes ppm(header.begin(), header.end());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        ppm.insert(ppm.end(),
                   {static_cast<unsigned char>(x * 255 / (w - 1)),
                    static_cast<unsigned char>(y * 255 / (h - 1)),
                    static_cast<unsigned char>(128 + 100 * std::sin(x * 0.1 + y * 0.05))});
      }
    }
    WriteFile(Path("in.ppm"), ppm);
    for (const auto& [name, flags] : {std::pair{"base", ""},
                                      {"prog", "-progressive"},
                                      {"gray", "-grayscale"},
                                      {"restart", "-restart 2"}}) {
      RunShell(std::string("cjpeg ") + flags + " -outfile " + Path(name) + ".jpg " +
               Path("in.ppm"));
    }
    const TBytes prog = ReadFile(Path("prog.jpg")), base = ReadFile(Path("base.jpg"));
    WriteFile(Path("cut.jpg"), TBytes(prog.begin(), prog.begin() + 2000));
    WriteFile(Path("scans500.jpg"), WithScans(prog, 10, 500));
    WriteFile(Path("scans501.jpg"), WithScans(prog, 10, 501));
    WriteFile(Path("huge.jpg"), Declaring(prog, 13000));
    WriteFile(Path("wide.jpg"), Declaring(prog, 65500));
    WriteFile(Path("Grüße-图.jpg"), base);  // a name outside every single-byte code page
    WriteFile(Path("base.rec"), Record(base, static_cast<std::uint32_t>(base.size())));
    WriteFile(Path("long.rec"), Record(base, static_cast<std::uint32_t>(base.size()) + 1));
    WriteFile(Path("negative.rec"), Record(base, 0xFFFFFFF0u));
    WriteFile(Path("empty.rec"), Record({}, 0));
    WriteFile(Path("garbage.jpg"), {0xFF, 0xD8, 0x12, 0x34, 0x56});
    WriteFile(Path("app.jpg"), {0xFF, 0xD8, 0xFF, 0xE1, 0x7F, 0xFF, 0, 0});  // cut inside APP1
  }
  static void TearDownTestSuite() { RunShell("rm -rf " + dir_); }
  static std::string Path(const std::string& name) { return dir_ + "/" + name; }
  // Reference output, gray (PGM) turned into PPM.
  static TBytes Djpeg(const std::string& jpeg, const std::string& flags) {
    RunShell("djpeg " + flags + " -outfile " + Path("ref.pnm") + " " + Path(jpeg) + " 2>/dev/null");
    TBytes pnm = ReadFile(Path("ref.pnm"));
    if (pnm.size() < 2 || pnm[1] != '5') return pnm;
    std::size_t at = 2;
    for (int fields = 0; fields < 3; ++fields) {
      while (std::isspace(pnm[at])) ++at;
      while (std::isdigit(pnm[at])) ++at;
    }
    TBytes ppm(pnm.begin(), pnm.begin() + static_cast<std::ptrdiff_t>(++at));
    ppm[1] = '6';
    for (std::size_t i = at; i < pnm.size(); ++i) ppm.insert(ppm.end(), 3, pnm[i]);
    return ppm;
  }
  static inline std::string dir_;
};

TEST_F(ProbeJpegTest, InfoReadsStreamsAndRecordsAndRecordsKeepTheStream) {
  const std::pair<const char*, const char*> cases[] = {
      {"base.jpg", "width 301\nheight 203\ngray false\nmultiscan false\n"},
      {"Grüße-图.jpg", "width 301\nheight 203\ngray false\nmultiscan false\n"},
      {"prog.jpg", "width 301\nheight 203\ngray false\nmultiscan true\n"},
      {"gray.jpg", "width 301\nheight 203\ngray true\nmultiscan false\n"},
      {"base.rec", "width 301\nheight 203\ngray false\nmultiscan false\n"},
      {"empty.rec", "width 0\nheight 0\ngray false\nmultiscan false\n"},
      {"huge.jpg", "width 13000\nheight 13000\ngray false\nmultiscan true\n"},
  };
  for (const auto& [file, out] : cases)
    EXPECT_EQ(Probe("jpeg-info " + Path(file)).out, out) << file;
}

TEST_F(ProbeJpegTest, EncodeMatchesTheReferenceEncoder) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "-quality 90"},
      {"--quality 75", "-quality 75"},
      {"--gray", "-quality 90 -grayscale"},
      {"--progressive", "-quality 90 -progressive"}};
  for (const auto& [probe, cjpeg] : cases) {
    RunShell(std::string("cjpeg -dct float -baseline ") + cjpeg + " -outfile " + Path("ref.jpg") +
             " " + Path("in.ppm"));
    EXPECT_EQ(Probe("jpeg-encode " + Path("in.ppm") + " " + Path("out.jpg") + " " + probe).status,
              0);
    EXPECT_TRUE(ReadFile(Path("out.jpg")) == ReadFile(Path("ref.jpg"))) << probe;
  }
}

TEST_F(ProbeJpegTest, DecodeMatchesTheReferenceDecoderWithTheSameSettings) {
  const std::string full = "bitmap 301 x 203, 24 bits\n";
  const std::string indexed = "bitmap 301 x 203, 8 bits\npalette 236 entries\n";
  struct TCase {
    const char *jpeg, *probe, *djpeg;
    std::string summary;
  };
  const TCase cases[] = {
      {"base.jpg", "", "", full},
      {"base.jpg", "--depth8", "-colors 236", indexed},
      {"prog.jpg", "--depth8", "-colors 236", indexed},
      {"base.jpg", "--speed", "-dct fast", full},
      {"base.jpg", "--speed --depth8", "-dct fast -colors 236 -onepass -dither ordered",
       "bitmap 301 x 203, 8 bits\npalette 216 entries\n"},
      {"base.jpg", "--scale 1", "-scale 1/2", "bitmap 151 x 102, 24 bits\n"},
      {"prog.jpg", "--scale 2", "-scale 1/4", "bitmap 76 x 51, 24 bits\n"},
      {"gray.jpg", "--scale 3", "-scale 1/8 -colors 236",
       "bitmap 38 x 26, 8 bits\npalette 236 entries\n"},
      {"base.jpg", "--gray", "-grayscale -colors 236", indexed},
      {"gray.jpg", "", "-colors 236", indexed},
      {"prog.jpg", "", "", full},
      {"restart.jpg", "", "", full},
      {"prog.jpg", "--no-smoothing", "", full},  // smoothing only touches incomplete blocks
      {"cut.jpg", "", "", full},
      {"prog.jpg", "--incremental", "", full},
      {"prog.jpg", "--incremental --depth8", "-colors 236", indexed},
      {"prog.jpg", "--incremental --gray", "-grayscale -colors 236", indexed},
      {"base.jpg", "--incremental", "", full},
      {"scans500.jpg", "--incremental", "", full},
  };
  for (const TCase& c : cases) {
    const std::string name = std::string(c.jpeg) + " " + c.probe;
    const TProbeResult r =
        Probe("jpeg-decode " + Path(c.jpeg) + " " + Path("out.ppm") + " " + c.probe);
    EXPECT_EQ(r.out, c.summary) << name;
    EXPECT_TRUE(ReadFile(Path("out.ppm")) == Djpeg(c.jpeg, std::string("-dct float ") + c.djpeg))
        << name;
  }
  // Without block smoothing the blocks still missing coefficients come out otherwise.
  Probe("jpeg-decode " + Path("cut.jpg") + " " + Path("out.ppm") + " --no-smoothing");
  EXPECT_NE(ReadFile(Path("out.ppm")), Djpeg("cut.jpg", "-dct float"));
}

TEST_F(ProbeJpegTest, RefusedFilesPrintTheErrorAndExitWithOne) {
  const std::string code = "error: JPEG error #";
  const std::string damaged = "error: Stored JPEG picture is damaged.*";
  const std::pair<const char*, std::string> cases[] = {
      {"garbage.jpg", code + "[0-9]+"},
      {"app.jpg", code + std::to_string(JERR_NO_IMAGE)},
      {"long.rec", damaged},
      {"negative.rec", damaged},
      {"empty.rec", code + std::to_string(JERR_INPUT_EMPTY)},
      {"huge.jpg", code + std::to_string(JERR_IMAGE_TOO_BIG)},
      {"wide.jpg --scale 3", code + std::to_string(JERR_IMAGE_TOO_BIG)},
      {"scans501.jpg", code + std::to_string(JERR_BAD_SCAN_SCRIPT)},
      {"scans501.jpg --incremental", code + std::to_string(JERR_BAD_SCAN_SCRIPT)},
  };
  for (const auto& [file, message] : cases) {
    const TProbeResult r = Probe("jpeg-decode " + Path(file) + " " + Path("bad.ppm"));
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_TRUE(std::regex_match(r.out, std::regex(message + "\n"))) << file << ": " << r.out;
  }
}

TEST_F(ProbeJpegTest, PaletteFromAReferenceMapsOntoItsColours) {
  const std::string header = "P6\n8 1\n255\n";
  TBytes ref(header.begin(), header.end());
  for (int i = 0; i < 8; ++i) {
    for (int bit : {1, 2, 4}) ref.push_back(i & bit ? 255 : 0);
  }
  WriteFile(Path("ref.ppm"), ref);
  const TProbeResult r = Probe("jpeg-decode " + Path("base.jpg") + " " + Path("pal.ppm") +
                               " --depth8 --palette-from " + Path("ref.ppm"));
  EXPECT_EQ(r.out, "bitmap 301 x 203, 8 bits\npalette 8 entries\n");
  const TBytes out = ReadFile(Path("pal.ppm"));
  for (std::size_t i = out.size() - 301 * 203 * 3; i < out.size(); ++i) {
    ASSERT_TRUE(out[i] == 0 || out[i] == 255) << i;
  }
}

TEST_F(ProbeJpegTest, RepeatTimesTheDecodeAndBadUsageExitsWithTwo) {
  const TProbeResult r =
      Probe("jpeg-decode " + Path("base.jpg") + " " + Path("r.ppm") + " --repeat 3");
  EXPECT_TRUE(std::regex_search(r.out, std::regex("decode median [0-9.]+ ms\n"))) << r.out;
  EXPECT_EQ(Probe("jpeg-info " + Path("nothing.jpg")).status, 1);
  for (const char* usage : {"jpeg-decode base.jpg", "jpeg-decode base.jpg x.ppm --scale 4",
                            "jpeg-encode in.ppm x.jpg --quality 0", "picture-record base.jpg"}) {
    EXPECT_EQ(Probe(usage).status, 2) << usage;
  }
}

}  // namespace
