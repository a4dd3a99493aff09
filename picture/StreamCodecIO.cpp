#include "StreamCodecIO.h"

#include <jerror.h>

#include <cstring>

#include "graphics/Streams.h"

namespace numora {
namespace {

struct StreamSource {
  jpeg_source_mgr Codec;  // first, so the codec's src pointer is this record
  TMemoryStream* Stream;
  bool StartOfFile;
};

// What the codec sees after the end of a stream cut short.
constexpr JOCTET kFakeEndOfImage[2] = {0xFF, JPEG_EOI};

struct StreamDestination {
  jpeg_destination_mgr Codec;
  TStream* Stream;
  JOCTET* Buffer;
};

StreamSource& SourceOf(j_decompress_ptr codec) {
  return *reinterpret_cast<StreamSource*>(codec->src);
}
StreamDestination& DestinationOf(j_compress_ptr codec) {
  return *reinterpret_cast<StreamDestination*>(codec->dest);
}

// Stream calls are C++ and may throw; the exception must not cross the codec's frames.
std::size_t WriteStream(j_compress_ptr codec, TStream& stream, const void* buffer,
                        std::size_t count) {
  std::size_t put = 0;
  bool failed = false;
  try {
    put = stream.Write(buffer, count);
  } catch (...) {
    KeepFailure(reinterpret_cast<j_common_ptr>(codec));
    failed = true;
  }
  if (failed) LeaveCodec(reinterpret_cast<j_common_ptr>(codec));
  return put;
}

void InitSource(j_decompress_ptr codec) { SourceOf(codec).StartOfFile = true; }

// libjpeg-turbo decodes an MCU on its fast Huffman path only while 512 bytes per block of the
// MCU are in the buffer (3072 for 4:2:0 colour), which a 4096-byte buffer rarely has: a
// decode through it costs about 5% more. So all the remaining bytes of the memory stream are
// one fill, read in place; the stream's position moves past them as if they had been read.
std::size_t TakeInPlace(TMemoryStream& stream, const JOCTET*& bytes) {
  const std::int64_t position = stream.Position();
  const std::int64_t size = stream.Size();
  if (position >= size) return 0;
  bytes = stream.Memory() + position;
  stream.SetPosition(size);
  return static_cast<std::size_t>(size - position);
}

boolean FillInputBuffer(j_decompress_ptr codec) {
  StreamSource& source = SourceOf(codec);
  const JOCTET* bytes = nullptr;
  std::size_t count = TakeInPlace(*source.Stream, bytes);
  if (count == 0) {
    if (source.StartOfFile) ERREXIT(codec, JERR_INPUT_EMPTY);
    WARNMS(codec, JWRN_JPEG_EOF);
    bytes = kFakeEndOfImage;
    count = sizeof kFakeEndOfImage;
  }
  source.Codec.next_input_byte = bytes;
  source.Codec.bytes_in_buffer = count;
  source.StartOfFile = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr codec, long count) {
  if (count <= 0) return;
  StreamSource& source = SourceOf(codec);
  std::size_t n = static_cast<std::size_t>(count);
  while (n > source.Codec.bytes_in_buffer) {
    n -= source.Codec.bytes_in_buffer;
    FillInputBuffer(codec);
  }
  source.Codec.next_input_byte += n;
  source.Codec.bytes_in_buffer -= n;
}

void TermSource(j_decompress_ptr) {}

void InitDestination(j_compress_ptr codec) {
  StreamDestination& destination = DestinationOf(codec);
  destination.Buffer = static_cast<JOCTET*>((*codec->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(codec), JPOOL_IMAGE, kStreamBufferSize));
  destination.Codec.next_output_byte = destination.Buffer;
  destination.Codec.free_in_buffer = kStreamBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr codec) {
  StreamDestination& destination = DestinationOf(codec);
  if (WriteStream(codec, *destination.Stream, destination.Buffer, kStreamBufferSize) !=
      kStreamBufferSize) {
    ERREXIT(codec, JERR_FILE_WRITE);
  }
  destination.Codec.next_output_byte = destination.Buffer;
  destination.Codec.free_in_buffer = kStreamBufferSize;
  return TRUE;
}

void TermDestination(j_compress_ptr codec) {
  StreamDestination& destination = DestinationOf(codec);
  const std::size_t count = kStreamBufferSize - destination.Codec.free_in_buffer;
  if (count > 0 && WriteStream(codec, *destination.Stream, destination.Buffer, count) != count) {
    ERREXIT(codec, JERR_FILE_WRITE);
  }
}

}  // namespace

void AttachStreamSource(j_decompress_ptr codec, TMemoryStream& stream) {
  if (codec->src == nullptr) {
    auto* source = static_cast<StreamSource*>((*codec->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(codec), JPOOL_PERMANENT, sizeof(StreamSource)));
    std::memset(source, 0, sizeof *source);
    codec->src = &source->Codec;
  }
  StreamSource& source = SourceOf(codec);
  source.Codec.init_source = InitSource;
  source.Codec.fill_input_buffer = FillInputBuffer;
  source.Codec.skip_input_data = SkipInputData;
  source.Codec.resync_to_restart = jpeg_resync_to_restart;
  source.Codec.term_source = TermSource;
  source.Stream = &stream;
  source.Codec.bytes_in_buffer = 0;
  source.Codec.next_input_byte = nullptr;
}

void AttachStreamDestination(j_compress_ptr codec, TStream& stream) {
  if (codec->dest == nullptr) {
    auto* destination = static_cast<StreamDestination*>((*codec->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(codec), JPOOL_PERMANENT, sizeof(StreamDestination)));
    std::memset(destination, 0, sizeof *destination);
    codec->dest = &destination->Codec;
  }
  StreamDestination& destination = DestinationOf(codec);
  destination.Codec.init_destination = InitDestination;
  destination.Codec.empty_output_buffer = EmptyOutputBuffer;
  destination.Codec.term_destination = TermDestination;
  destination.Stream = &stream;
}

}  // namespace numora
