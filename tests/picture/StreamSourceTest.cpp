// The codec's stream source, driven directly: a memory stream is read in place, any other stream
// through the 4096-byte buffer, and both must give the codec the same bytes, the same fake
// end-of-image marker after a cut and the same failure for an empty stream.
#include <gtest/gtest.h>
#include <jerror.h>

#include <algorithm>
#include <memory>
#include <string>

#include "CodecRecord.h"
#include "JPEGError.h"
#include "StreamCodecIO.h"
#include "TestPictures.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

using test::TBytes;

enum class TStreamKind { Memory, Reader };

std::string NameOf(TStreamKind kind) { return kind == TStreamKind::Memory ? "Memory" : "Reader"; }

// Holds the bytes and the stream over them for one decode.
class TSourceStream {
 public:
  TSourceStream(TStreamKind kind, const TBytes& bytes) : bytes_(bytes) {
    if (kind == TStreamKind::Memory) {
      auto memory = std::make_unique<TMemoryStream>(bytes_.size());
      std::copy(bytes_.begin(), bytes_.end(), memory->Memory());
      stream_ = std::move(memory);
    } else {
      stream_ = std::make_unique<TBytesReader>(bytes_);
    }
  }
  TStream& Stream() { return *stream_; }

 private:
  TBytes bytes_;
  std::unique_ptr<TStream> stream_;
};

// Decodes all of the stream to RGB rows, the way the picture class drives the codec.
TBytes DecodeThrough(TStream& stream) {
  CodecRecord record;
  CreateDecompressor(record);
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  CodecCall(record, [&] {
    AttachStreamSource(&d, stream);
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
  });
  const std::size_t rowBytes = static_cast<std::size_t>(d.output_width) * d.output_components;
  TBytes pixels(rowBytes * d.output_height);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &pixels[d.output_scanline * rowBytes];
    CodecCall(record, [&] { jpeg_read_scanlines(&d, &row, 1); });
  }
  CodecCall(record, [&] { jpeg_finish_decompress(&d); });
  return pixels;
}

const TBytes& Baseline() {
  static const TBytes bytes = test::EncodeWithLibjpeg(test::MakeTestBitmap(96, 64));
  return bytes;
}

TBytes WithoutItsLastHalf(TBytes bytes) {
  bytes.resize(bytes.size() / 2);
  return bytes;
}

class StreamSourceTest : public testing::TestWithParam<TStreamKind> {};

TEST_P(StreamSourceTest, GivesTheCodecTheSamePixelsAsABareMemoryDecode) {
  TSourceStream source(GetParam(), Baseline());
  const TBytes pixels = DecodeThrough(source.Stream());
  // The bare decode reads the codec's own memory source, with the default (islow) DCT.
  const TBytes ppm = test::DecodeWithLibjpeg(Baseline(), {.blockSmoothing = true, .dctMethod = 0});
  ASSERT_GE(ppm.size(), pixels.size());
  EXPECT_EQ(pixels, TBytes(ppm.end() - static_cast<std::ptrdiff_t>(pixels.size()), ppm.end()));
  EXPECT_EQ(pixels.size(), 96u * 64u * 3u);
}

TEST_P(StreamSourceTest, CutStreamEndsInAFakeEndOfImageMarkerWithoutAnError) {
  const TBytes cut = WithoutItsLastHalf(Baseline());
  TSourceStream source(GetParam(), cut);
  TBytes pixels;
  ASSERT_NO_THROW(pixels = DecodeThrough(source.Stream()));
  TBytesReader reader(cut);
  EXPECT_EQ(pixels, DecodeThrough(reader)) << "both kinds of stream see the same cut";
}

TEST_P(StreamSourceTest, EmptyStreamIsTheCodecsInputEmptyError) {
  TSourceStream source(GetParam(), TBytes{});
  try {
    DecodeThrough(source.Stream());
    FAIL() << "an empty stream decoded";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code(), JERR_INPUT_EMPTY);
  }
}

TEST_P(StreamSourceTest, SkippingPastTheEndConsumesFakeMarkersWithoutFailing) {
  TSourceStream source(GetParam(), Baseline());
  CodecRecord record;
  CreateDecompressor(record);
  jpeg_decompress_struct& d = record.Codec.Decompressor;
  CodecCall(record, [&] {
    AttachStreamSource(&d, source.Stream());
    jpeg_read_header(&d, TRUE);
  });
  EXPECT_NO_THROW(CodecCall(record, [&] {
    (*d.src->skip_input_data)(&d, static_cast<long>(Baseline().size()) + 10000);
  }));
}

TEST_P(StreamSourceTest, ReadsFromTheStreamsPosition) {
  TBytes prefixed(17, 0x55);
  prefixed.insert(prefixed.end(), Baseline().begin(), Baseline().end());
  TSourceStream source(GetParam(), prefixed);
  source.Stream().SetPosition(17);
  TBytesReader plain(Baseline());
  EXPECT_EQ(DecodeThrough(source.Stream()), DecodeThrough(plain));
}

INSTANTIATE_TEST_SUITE_P(BothKindsOfStream, StreamSourceTest,
                         testing::Values(TStreamKind::Memory, TStreamKind::Reader),
                         [](const auto& info) { return NameOf(info.param); });

}  // namespace
}  // namespace numora
