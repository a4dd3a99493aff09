// The codec's data source over a memory stream, read in place, and its destination over any
// platform stream, through a 4096-byte buffer.
// Attach them inside a codec call: they allocate from the codec's pools.
#pragma once

#include "CodecRecord.h"

namespace numora {

class TStream;
class TMemoryStream;

constexpr std::size_t kStreamBufferSize = 4096;

// The codec reads the stream from its current position. When the stream has nothing at all the
// codec fails with JERR_INPUT_EMPTY; when it ends early the codec is warned (ignored) and sees
// an end-of-image marker, so truncated data decodes as far as it goes.
void AttachStreamSource(j_decompress_ptr codec, TMemoryStream& stream);
// The codec writes to the stream from its current position; a refused write is JERR_FILE_WRITE.
void AttachStreamDestination(j_compress_ptr codec, TStream& stream);

}  // namespace numora
