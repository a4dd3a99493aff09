#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

const std::uint8_t kAbcdef[] = {'a', 'b', 'c', 'd', 'e', 'f'};

std::string TempPath(const char* name) { return std::string(NUMORA_BINARY_DIR) + "/" + name; }

struct TStreamKind {
  const char* name;
  std::function<std::unique_ptr<TStream>()> make;  // a stream holding "abcdef" at position 0
};

class EveryStream : public ::testing::TestWithParam<TStreamKind> {};

TEST_P(EveryStream, ReadsFromThePositionAndReportsWhatIsLeft) {
  std::unique_ptr<TStream> s = GetParam().make();
  EXPECT_EQ(s->Size(), 6);
  s->SetPosition(2);
  char buf[10] = {};
  s->ReadBuffer(buf, 3);
  EXPECT_EQ(std::string(buf, 3), "cde");
  EXPECT_EQ(s->Position(), 5);
  EXPECT_EQ(s->Remaining(), 1);
  EXPECT_EQ(s->Read(buf, 10), 1u) << "a read past the end returns what is left";
  EXPECT_EQ(s->Read(buf, 10), 0u);
  s->SetPosition(100);
  EXPECT_EQ(s->Read(buf, 10), 0u);
  EXPECT_EQ(s->Remaining(), 0);
  s->SetPosition(3);
  EXPECT_THROW(s->SetPosition(-1), EStreamError);
  EXPECT_EQ(s->Position(), 3) << "a refused position changes nothing";
  try {
    s->ReadBuffer(buf, 8);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("8 bytes wanted, 3 available"), std::string::npos)
        << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryStream,
    ::testing::Values(TStreamKind{"Memory",
                                  [] {
                                    auto s = std::make_unique<TMemoryStream>();
                                    s->WriteBuffer(kAbcdef, 6);
                                    s->SetPosition(0);
                                    return s;
                                  }},
                      TStreamKind{"BytesReader",
                                  [] { return std::make_unique<TBytesReader>(kAbcdef); }},
                      TStreamKind{"File",
                                  [] {
                                    TMemoryStream out;
                                    out.WriteBuffer(kAbcdef, 6);
                                    out.SaveToFile(TempPath("graphics-stream-test.bin"));
                                    return std::make_unique<TFileStream>(
                                        TempPath("graphics-stream-test.bin"),
                                        TFileStream::TMode::fmOpenRead);
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryStream, StartsWithZerosAndFillsAGapWithZeros) {
  TMemoryStream s(3);
  EXPECT_EQ(s.Position(), 0);
  s.SetPosition(5);
  s.WriteBuffer("x", 1);
  ASSERT_EQ(s.Size(), 6);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Memory()[i], 0) << i;
  EXPECT_EQ(s.Memory()[5], 'x');
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(BytesReader, RefusesWrites) {
  TBytesReader r(kAbcdef);
  EXPECT_EQ(r.Write("x", 1), 0u);
  EXPECT_THROW(r.WriteBuffer("x", 1), EWriteError);
  EXPECT_EQ(r.Size(), 6);
}

struct Int32Case {
  std::int32_t value;
  std::uint8_t bytes[4];
};

class LittleEndian : public ::testing::TestWithParam<Int32Case> {};

TEST_P(LittleEndian, Int32RoundTripsWithLowByteFirst) {
  TMemoryStream s;
  s.WriteInt32LE(GetParam().value);
  ASSERT_EQ(s.Size(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Memory()[i], GetParam().bytes[i]) << i;
  s.SetPosition(0);
  EXPECT_EQ(s.ReadInt32LE(), GetParam().value);
  EXPECT_THROW(s.ReadInt32LE(), EReadError) << "nothing is left";
}

INSTANTIATE_TEST_SUITE_P(Values, LittleEndian,
                         ::testing::Values(Int32Case{0, {0, 0, 0, 0}},
                                           Int32Case{454573, {0xAD, 0xEF, 0x06, 0x00}},
                                           Int32Case{-1, {0xFF, 0xFF, 0xFF, 0xFF}},
                                           Int32Case{INT32_MIN, {0, 0, 0, 0x80}}));

struct TFileFault {
  const char* name;
  const char* path;
  TFileStream::TMode mode;
  const char* message;  // part of the error text, after the path
};

class FileStreamFault : public ::testing::TestWithParam<TFileFault> {};

// Each fault is refused with the path and the reason before any byte moves: a directory opens
// for reading on this system and reports a size of 2^63 - 1.
TEST_P(FileStreamFault, IsRefusedNamingThePathAndTheReason) {
  const TFileFault& c = GetParam();
  try {
    TFileStream f(c.path, c.mode);
    if (c.mode == TFileStream::TMode::fmCreate) f.WriteBuffer("x", 1);
    f.Size();
    FAIL() << "accepted";
  } catch (const EStreamError& e) {
    EXPECT_NE(std::string(e.what()).find(std::string("\"") + c.path + "\": " + c.message),
              std::string::npos)
        << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileStreamFault,
    ::testing::Values(
        TFileFault{"Missing", "/nonexistent/dir/x.bin", TFileStream::TMode::fmOpenRead,
                   "No such file or directory"},
        TFileFault{"DirectoryToRead", "/tmp", TFileStream::TMode::fmOpenRead, "it is a directory"},
        TFileFault{"DirectoryToWrite", "/tmp", TFileStream::TMode::fmCreate, "Is a directory"},
        TFileFault{"DeviceHasNoSize", "/dev/zero", TFileStream::TMode::fmOpenRead,
                   "it is not a regular file"},
        TFileFault{"DeviceRefusesAWrite", "/dev/full", TFileStream::TMode::fmCreate,
                   "No space left on device"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace numora
