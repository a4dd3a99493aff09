#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

TEST(MemoryStream, ReadsWhatWasWrittenAfterRewinding) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Position(), 6);
  s.SetPosition(2);
  char buf[4] = {};
  s.ReadBuffer(buf, 3);
  EXPECT_EQ(std::string(buf, 3), "cde");
}

TEST(MemoryStream, ReadPastTheEndReturnsOnlyWhatIsLeft) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  s.SetPosition(1);
  char buf[10];
  EXPECT_EQ(s.Read(buf, 10), 2u);
  EXPECT_EQ(s.Read(buf, 10), 0u);
  s.SetPosition(100);
  EXPECT_EQ(s.Read(buf, 10), 0u);
  EXPECT_EQ(s.Remaining(), 0);
}

TEST(MemoryStream, ReadBufferPastTheEndThrowsAndNamesTheCounts) {
  TMemoryStream s(3);
  char buf[8];
  try {
    s.ReadBuffer(buf, 8);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("8 bytes wanted, 3 available"), std::string::npos)
        << e.what();
  }
}

TEST(MemoryStream, CreatedWithASizeHoldsZerosAtPositionZero) {
  TMemoryStream s(5);
  EXPECT_EQ(s.Size(), 5);
  EXPECT_EQ(s.Position(), 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Memory()[i], 0);
}

TEST(MemoryStream, WritingBeyondTheEndFillsTheGapWithZeros) {
  TMemoryStream s;
  s.SetPosition(4);
  s.WriteBuffer("x", 1);
  ASSERT_EQ(s.Size(), 5);
  EXPECT_EQ(s.Memory()[0], 0);
  EXPECT_EQ(s.Memory()[4], 'x');
}

TEST(MemoryStream, SeekBeforeTheStartFailsAndKeepsThePosition) {
  TMemoryStream s(4);
  s.SetPosition(2);
  EXPECT_THROW(s.Seek(-3, TSeekOrigin::soCurrent), EStreamError);
  EXPECT_EQ(s.Position(), 2);
  EXPECT_EQ(s.Seek(-1, TSeekOrigin::soEnd), 3);
}

TEST(MemoryStream, ShrinkingPullsThePositionBackToTheEnd) {
  TMemoryStream s(10);
  s.SetPosition(8);
  s.SetSize(4);
  EXPECT_EQ(s.Position(), 4);
  EXPECT_THROW(s.SetSize(-1), EStreamError);
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
}

INSTANTIATE_TEST_SUITE_P(Values, LittleEndian,
                         ::testing::Values(Int32Case{0, {0, 0, 0, 0}},
                                           Int32Case{454573, {0xAD, 0xEF, 0x06, 0x00}},
                                           Int32Case{-1, {0xFF, 0xFF, 0xFF, 0xFF}},
                                           Int32Case{INT32_MIN, {0, 0, 0, 0x80}}));

TEST(Streams, AShortInt32IsAReadError) {
  TMemoryStream s(3);
  EXPECT_THROW(s.ReadInt32LE(), EReadError);
}

TEST(BytesReader, ReadsWithoutCopyingAndRefusesWrites) {
  const std::uint8_t data[] = {1, 2, 3};
  TBytesReader r(data);
  std::uint8_t b = 0;
  EXPECT_EQ(r.Write(&b, 1), 0u);
  EXPECT_THROW(r.WriteBuffer(&b, 1), EWriteError);
  r.ReadBuffer(&b, 1);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(r.Remaining(), 2);
  EXPECT_THROW(r.SetSize(1), EStreamError);
}

TEST(Streams, CopyFromTakesTheRestWhenTheCountIsZero) {
  TMemoryStream src, dst;
  src.WriteBuffer("hello world", 11);
  src.SetPosition(6);
  EXPECT_EQ(dst.CopyFrom(src, 0), 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dst.Memory()), 5), "world");
  src.SetPosition(6);
  EXPECT_THROW(dst.CopyFrom(src, 6), EReadError);
}

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
                   "it is not a regular file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileStream, MemoryStreamRoundTripsThroughAFile) {
  std::string path = std::string(NUMORA_BINARY_DIR) + "/graphics-stream-test.bin";
  TMemoryStream out;
  out.WriteBuffer("0123456789", 10);
  out.SaveToFile(path);
  TMemoryStream in;
  in.LoadFromFile(path);
  EXPECT_EQ(in.Size(), 10);
  EXPECT_EQ(in.Memory()[9], '9');
  TFileStream f(path, TFileStream::TMode::fmOpenRead);
  EXPECT_EQ(f.Size(), 10);
  f.SetPosition(7);
  EXPECT_EQ(f.Remaining(), 3);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace numora
