// numora-probe jpeg-info, jpeg-decode, jpeg-encode and picture-record, end to end, against the
// reference decoder and encoder of the same library.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "RunProbe.h"

namespace {

using TBytes = std::vector<unsigned char>;

using numora::testing::TProbeResult;

// Standard output and standard error together.
TProbeResult RunShell(const std::string& command) {
  return numora::testing::RunShell(command + " 2>&1");
}

TProbeResult Probe(const std::string& arguments) {
  return RunShell(std::string(NUMORA_PROBE) + " " + arguments);
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

class ProbeJpegTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::string("/tmp/numora-probe-jpeg-") + std::to_string(getpid());
    RunShell("mkdir -p " + dir_);
    // A picture with gradients and texture, written as PPM and encoded by the probe.
    const int w = 301, h = 203;
    std::string header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    TBytes ppm(header.begin(), header.end());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        ppm.push_back(static_cast<unsigned char>(x * 255 / (w - 1)));
        ppm.push_back(static_cast<unsigned char>(y * 255 / (h - 1)));
        ppm.push_back(static_cast<unsigned char>(128 + 100 * std::sin(x * 0.1 + y * 0.05)));
      }
    }
    WriteFile(Path("in.ppm"), ppm);
    Probe("jpeg-encode " + Path("in.ppm") + " " + Path("base.jpg"));
    Probe("jpeg-encode " + Path("in.ppm") + " " + Path("prog.jpg") + " --progressive");
    Probe("jpeg-encode " + Path("in.ppm") + " " + Path("gray.jpg") + " --gray");
    const TBytes progressive = ReadFile(Path("prog.jpg"));
    WriteFile(Path("cut.jpg"), TBytes(progressive.begin(), progressive.begin() + 4000));
  }
  static void TearDownTestSuite() { RunShell("rm -rf " + dir_); }
  static std::string Path(const std::string& name) { return dir_ + "/" + name; }

  // djpeg's output for the same stream, PGM turned into PPM.
  static TBytes Djpeg(const std::string& jpeg, const std::string& arguments) {
    const std::string out = Path("djpeg.pnm");
    RunShell("djpeg " + arguments + " -outfile " + out + " " + Path(jpeg));
    TBytes pnm = ReadFile(out);
    if (pnm.size() > 2 && pnm[1] == '5') {
      std::size_t at = 2;
      for (int fields = 0; fields < 3; ++fields) {
        while (std::isspace(pnm[at])) ++at;
        while (std::isdigit(pnm[at])) ++at;
      }
      ++at;
      TBytes ppm(pnm.begin(), pnm.begin() + static_cast<std::ptrdiff_t>(at));
      ppm[1] = '6';
      for (std::size_t i = at; i < pnm.size(); ++i) ppm.insert(ppm.end(), 3, pnm[i]);
      return ppm;
    }
    return pnm;
  }

  static inline std::string dir_;
};

TEST_F(ProbeJpegTest, InfoReadsStreamsAndRecordsAlike) {
  EXPECT_EQ(Probe("jpeg-info " + Path("base.jpg")).out,
            "width 301\nheight 203\ngray false\nmultiscan false\n");
  EXPECT_EQ(Probe("jpeg-info " + Path("prog.jpg")).out,
            "width 301\nheight 203\ngray false\nmultiscan true\n");
  EXPECT_EQ(Probe("picture-record " + Path("gray.jpg") + " " + Path("gray.rec")).status, 0);
  EXPECT_EQ(Probe("jpeg-info " + Path("gray.rec")).out,
            "width 301\nheight 203\ngray true\nmultiscan false\n");
}

TEST_F(ProbeJpegTest, RecordAndExtractGiveBackTheSameStream) {
  const TProbeResult made = Probe("picture-record " + Path("base.jpg") + " " + Path("base.rec"));
  EXPECT_EQ(made.status, 0);
  const TBytes jpeg = ReadFile(Path("base.jpg"));
  const TBytes record = ReadFile(Path("base.rec"));
  ASSERT_EQ(record.size(), jpeg.size() + 15);
  EXPECT_EQ(std::string(record.begin() + 1, record.begin() + 11), "TJPEGImage");
  EXPECT_EQ(
      Probe("picture-record " + Path("base.rec") + " " + Path("back.jpg") + " --extract").status,
      0);
  EXPECT_EQ(ReadFile(Path("back.jpg")), jpeg);
}

TEST_F(ProbeJpegTest, EncodeMatchesTheReferenceEncoder) {
  RunShell("cjpeg -quality 75 -dct float -baseline -outfile " + Path("ref75.jpg") + " " +
           Path("in.ppm"));
  EXPECT_EQ(Probe("jpeg-encode " + Path("in.ppm") + " " + Path("q75.jpg") + " --quality 75").status,
            0);
  EXPECT_EQ(ReadFile(Path("q75.jpg")), ReadFile(Path("ref75.jpg")));
}

struct TDecodeCase {
  const char* name;
  const char* jpeg;
  const char* probeFlags;
  const char* djpegFlags;
  const char* summary;
};
void PrintTo(const TDecodeCase& c, std::ostream* os) { *os << c.name; }

class ProbeJpegDecodeTest : public ProbeJpegTest,
                            public ::testing::WithParamInterface<TDecodeCase> {};

TEST_P(ProbeJpegDecodeTest, MatchesTheReferenceDecoderWithTheSameSettings) {
  const TDecodeCase& c = GetParam();
  const std::string out = Path(std::string(c.name) + ".ppm");
  const TProbeResult r =
      Probe("jpeg-decode " + Path(c.jpeg) + " " + out + " " + std::string(c.probeFlags));
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, c.summary);
  EXPECT_TRUE(ReadFile(out) == Djpeg(c.jpeg, c.djpegFlags));
}

const TDecodeCase kDecodeCases[] = {
    {"Default", "base.jpg", "", "-dct float", "bitmap 301 x 203, 24 bits\n"},
    {"Depth8", "base.jpg", "--depth8", "-dct float -colors 236",
     "bitmap 301 x 203, 8 bits\npalette 236 entries\n"},
    {"Speed", "base.jpg", "--speed", "-dct fast", "bitmap 301 x 203, 24 bits\n"},
    {"SpeedDepth8", "base.jpg", "--speed --depth8",
     "-dct fast -colors 236 -onepass -dither ordered",
     "bitmap 301 x 203, 8 bits\n"
     "palette 216 entries\n"},
    {"HalfScale", "base.jpg", "--scale 1", "-dct float -scale 1/2", "bitmap 151 x 102, 24 bits\n"},
    {"EighthScale", "prog.jpg", "--scale 3", "-dct float -scale 1/8", "bitmap 38 x 26, 24 bits\n"},
    {"GrayOutput", "base.jpg", "--gray", "-dct float -grayscale -colors 236",
     "bitmap 301 x 203, 8 bits\npalette 236 entries\n"},
    {"GrayFile", "gray.jpg", "", "-dct float -colors 236",
     "bitmap 301 x 203, 8 bits\npalette 236 entries\n"},
    {"Progressive", "prog.jpg", "", "-dct float", "bitmap 301 x 203, 24 bits\n"},
    // Block smoothing only changes blocks whose coefficients are still incomplete.
    {"CompleteProgressiveNoSmoothing", "prog.jpg", "--no-smoothing", "-dct float",
     "bitmap 301 x 203, 24 bits\n"},
    {"TruncatedProgressive", "cut.jpg", "", "-dct float", "bitmap 301 x 203, 24 bits\n"},
    {"IncrementalFinalPass", "prog.jpg", "--incremental --depth8", "-dct float -colors 236",
     "bitmap 301 x 203, 8 bits\npalette 236 entries\n"},
    {"IncrementalSingleScan", "base.jpg", "--incremental", "-dct float",
     "bitmap 301 x 203, 24 bits\n"},
};
INSTANTIATE_TEST_SUITE_P(Settings, ProbeJpegDecodeTest, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProbeJpegTest, NoSmoothingChangesATruncatedProgressiveDecode) {
  EXPECT_EQ(Probe("jpeg-decode " + Path("cut.jpg") + " " + Path("s.ppm")).status, 0);
  EXPECT_EQ(
      Probe("jpeg-decode " + Path("cut.jpg") + " " + Path("ns.ppm") + " --no-smoothing").status, 0);
  EXPECT_NE(ReadFile(Path("s.ppm")), ReadFile(Path("ns.ppm")));
}

TEST_F(ProbeJpegTest, RepeatPrintsTheMedianDecodeTime) {
  const TProbeResult r =
      Probe("jpeg-decode " + Path("base.jpg") + " " + Path("rep.ppm") + " --repeat 3");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::regex_search(r.out, std::regex("decode median [0-9.]+ ms\n"))) << r.out;
}

TEST_F(ProbeJpegTest, PaletteFromAReferenceMapsOntoItsColours) {
  // Eight colours: every decoded pixel must be one of them.
  const std::string header = "P6\n8 1\n255\n";
  TBytes ref(header.begin(), header.end());
  for (int i = 0; i < 8; ++i) {
    ref.insert(ref.end(), {static_cast<unsigned char>(i & 1 ? 255 : 0),
                           static_cast<unsigned char>(i & 2 ? 255 : 0),
                           static_cast<unsigned char>(i & 4 ? 255 : 0)});
  }
  WriteFile(Path("ref.ppm"), ref);
  const TProbeResult r = Probe("jpeg-decode " + Path("base.jpg") + " " + Path("pal.ppm") +
                               " --depth8 --palette-from " + Path("ref.ppm"));
  EXPECT_EQ(r.out, "bitmap 301 x 203, 8 bits\npalette 8 entries\n");
  const TBytes out = ReadFile(Path("pal.ppm"));
  const std::size_t samples = out.size() - 301 * 203 * 3;
  bool onlyPrimaries = true;
  for (std::size_t i = samples; i < out.size(); ++i) onlyPrimaries &= out[i] == 0 || out[i] == 255;
  EXPECT_TRUE(onlyPrimaries);
}

struct TErrorCase {
  const char* name;
  TBytes file;
  const char* message;  // regular expression of the whole output
};
void PrintTo(const TErrorCase& c, std::ostream* os) { *os << c.name; }

class ProbeJpegErrorTest : public ProbeJpegTest,
                           public ::testing::WithParamInterface<TErrorCase> {};

TEST_P(ProbeJpegErrorTest, PrintsTheErrorAndExitsWithOne) {
  const std::string file = Path(std::string(GetParam().name) + ".bad");
  WriteFile(file, GetParam().file);
  for (const std::string& command :
       {"jpeg-info " + file, "jpeg-decode " + file + " " + file + ".ppm"}) {
    const TProbeResult r = Probe(command);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_TRUE(std::regex_match(r.out, std::regex(GetParam().message))) << r.out;
  }
}

const TErrorCase kErrorCases[] = {
    {"Garbage", {0xFF, 0xD8, 0x12, 0x34, 0x56}, "error: JPEG error #[0-9]+\n"},
    {"NotAJpeg", {'h', 'e', 'l', 'l', 'o'}, "error: .+\n"},
    {"RecordLongerThanItsBytes",
     {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 100, 0, 0, 0, 0xFF, 0xD8},
     "error: Stored JPEG picture is damaged.*\n"},
    {"NegativeRecordLength",
     {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 0xF0, 0xFF, 0xFF, 0xFF},
     "error: Stored JPEG picture is damaged.*\n"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProbeJpegErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProbeJpegTest, EmptyRecordFailsToDecodeWithTheInputEmptyCode) {
  WriteFile(Path("empty.rec"), {10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e', 0, 0, 0, 0});
  EXPECT_EQ(Probe("jpeg-info " + Path("empty.rec")).out,
            "width 0\nheight 0\ngray false\nmultiscan false\n");
  const TProbeResult r = Probe("jpeg-decode " + Path("empty.rec") + " " + Path("empty.ppm"));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(std::regex_match(r.out, std::regex("error: JPEG error #[0-9]+\n"))) << r.out;
}

TEST_F(ProbeJpegTest, MissingFilesAndBadUsage) {
  EXPECT_EQ(Probe("jpeg-info " + Path("nothing.jpg")).status, 1);
  EXPECT_EQ(Probe("jpeg-decode " + Path("base.jpg")).status, 2);
  EXPECT_EQ(Probe("jpeg-decode " + Path("base.jpg") + " x.ppm --scale 4").status, 2);
  EXPECT_EQ(Probe("jpeg-encode " + Path("in.ppm") + " x.jpg --quality 0").status, 2);
  EXPECT_EQ(Probe("picture-record " + Path("base.jpg")).status, 2);
}

}  // namespace
