#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

const std::uint8_t kAbcdef[] = {'a', 'b', 'c', 'd', 'e', 'f'};

TEST(Streams, EveryKindReadsFromThePositionAndReportsWhatIsLeft) {
  const std::string path = std::string(NUMORA_BINARY_DIR) + "/graphics-stream-test.bin";
  TMemoryStream memory;
  memory.WriteBuffer(kAbcdef, 6);
  memory.SaveToFile(path);
  TBytesReader reader(kAbcdef);
  TFileStream file(path, TFileStream::TMode::fmOpenRead);
  for (TStream* s : {static_cast<TStream*>(&memory), static_cast<TStream*>(&reader),
                     static_cast<TStream*>(&file)}) {
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
    EXPECT_THAT([&] { s->ReadBuffer(buf, 8); },
                ThrowsMessage<EReadError>(HasSubstr("8 bytes wanted, 3 available")));
  }
}

TEST(Streams, MemoryFillsWithZerosAndTheReaderRefusesWrites) {
  TMemoryStream s(3);
  s.SetPosition(5);
  s.WriteBuffer("x", 1);
  ASSERT_EQ(s.Size(), 6);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Memory()[i], 0) << i;
  EXPECT_EQ(s.Memory()[5], 'x');
  s.Clear();
  EXPECT_EQ(s.Size() + s.Position(), 0);
  TBytesReader r(kAbcdef);
  EXPECT_EQ(r.Write("x", 1), 0u);
  EXPECT_THROW(r.WriteBuffer("x", 1), EWriteError);
}

TEST(Streams, Int32RoundTripsWithTheLowByteFirst) {
  const struct {
    std::int32_t value;
    std::uint8_t bytes[4];
  } cases[] = {{454573, {0xAD, 0xEF, 0x06, 0x00}},
               {-2, {0xFE, 0xFF, 0xFF, 0xFF}},
               {INT32_MIN, {0, 0, 0, 0x80}}};
  for (const auto& c : cases) {
    TMemoryStream s;
    s.WriteInt32LE(c.value);
    ASSERT_EQ(s.Size(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Memory()[i], c.bytes[i]) << c.value << " byte " << i;
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32LE(), c.value);
  }
}

// Each fault is refused with the path and the reason before any byte moves: a directory opens
// for reading on this system and reports a size of 2^63 - 1.
TEST(Streams, FileFaultsAreRefusedNamingThePathAndTheReason) {
  using enum TFileStream::TMode;
  const struct {
    const char* path;
    TFileStream::TMode mode;
    const char* reason;
  } cases[] = {
      {"/nonexistent/dir/x.bin", fmOpenRead, "No such file or directory"},
      {"/tmp", fmOpenRead, "it is a directory"},
      {"/tmp", fmCreate, "Is a directory"},
      {"/dev/zero", fmOpenRead, "it is not a regular file"},
      {"/dev/full", fmCreate, "No space left on device"},
  };
  for (const auto& c : cases) {
    const auto use = [&] {
      TFileStream f(c.path, c.mode);
      if (c.mode == fmCreate) f.WriteBuffer("x", 1);
      f.Size();
    };
    EXPECT_THAT(use, ThrowsMessage<EStreamError>(
                         HasSubstr(std::string("\"") + c.path + "\": " + c.reason)));
  }
}

}  // namespace
}  // namespace numora
