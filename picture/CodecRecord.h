// The record around one libjpeg codec object, local to one operation (header read, decode,
// reduced-size computation, encode), and the way codec failures get back into C++.
//
// libjpeg is C: an exception thrown through its frames relies on unwind data it need not have.
// So every codec call runs inside CodecCall, which sets a jump target; error_exit, and our own
// callbacks when C++ code inside them fails (a progress handler's EAbort, a stream error), jump
// back to it, and CodecCall then raises EJPEG with the codec's message code or rethrows the
// callback's exception. Between the jump target and the jump there are only codec frames and
// frames of ours without destructors.
#pragma once

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdint>
#include <exception>

namespace numora {

class TGraphic;

// The codec's progress fields, then ours. Standard layout: the codec sees only the first member.
struct TProgressRecord {
  jpeg_progress_mgr Codec;
  TGraphic* Owner;           // receives the notifications; none means no reports
  std::int32_t LastPercent;  // percentage of the last report
  std::uint32_t LastTick;    // tick count of the last report, 0 before the first hook call
  std::int32_t LastRow;      // output row reached at the last report (decoding)
};

// The rows a decode writes into (one bitmap's, row i at Row0 + i * Stride). Their values are
// undefined until the decoder writes them: rows from RowsWritten on are cleared before a progress
// handler could look at them, and when the decode ends.
struct TDecodeTarget {
  std::uint8_t* Row0 = nullptr;
  int Stride = 0;
  int Height = 0;
  int RowsWritten = 0;
};

// Zeroes the rows from RowsWritten on and counts them as written.
void ClearUnwrittenRows(TDecodeTarget& target) noexcept;

struct CodecRecord {
  // Zeroes every field, copies ErrorTemplate and points the codec object at both (its
  // error-manager link and its client data); the codec object itself is not created yet.
  CodecRecord();
  // Destroys the codec object when it is still live.
  ~CodecRecord();
  CodecRecord(const CodecRecord&) = delete;
  CodecRecord& operator=(const CodecRecord&) = delete;

  jpeg_error_mgr Error;
  TProgressRecord Progress;
  J_DCT_METHOD FullPassDct;
  bool FullPassTwoPass;
  J_DITHER_MODE FullPassDither;
  TDecodeTarget Target;
  union {
    jpeg_common_struct Common;
    jpeg_decompress_struct Decompressor;
    jpeg_compress_struct Compressor;
  } Codec;

  // Set while a codec call runs: where error_exit and failing callbacks jump to.
  std::jmp_buf* JumpTarget = nullptr;
  // A C++ exception caught inside a callback, rethrown once the codec call has been left.
  std::exception_ptr Pending;
};

// The error-manager record every CodecRecord starts from: our five routines, nothing else.
extern const jpeg_error_mgr ErrorTemplate;

[[noreturn]] void RaiseCodecFailure(CodecRecord& record);

// Runs `call` (codec calls only, and nothing with a destructor) with a jump target set.
// Raises EJPEG for a codec error and rethrows what a callback caught.
template <class Call>
[[gnu::noinline]] void CodecCall(CodecRecord& record, const Call& call) {
  std::jmp_buf target;
  std::jmp_buf* const outer = record.JumpTarget;
  record.JumpTarget = &target;
  if (setjmp(target) == 0) {
    call();
    record.JumpTarget = outer;
    return;
  }
  record.JumpTarget = outer;
  RaiseCodecFailure(record);
}

// For our callbacks that run C++ code: inside the catch block, KeepFailure stores the exception
// in flight; after the catch block (when nothing with a destructor is left in the callback),
// LeaveCodec jumps back to the codec call, which then rethrows it.
void KeepFailure(j_common_ptr codec) noexcept;
[[noreturn]] void LeaveCodec(j_common_ptr codec) noexcept;

// The record a codec object belongs to.
inline CodecRecord& RecordOf(j_common_ptr codec) {
  return *static_cast<CodecRecord*>(codec->client_data);
}

void CreateDecompressor(CodecRecord& record);
void CreateCompressor(CodecRecord& record);
// Reports go to owner's progress notification (see ProgressHook).
void InstallProgress(CodecRecord& record, TGraphic* owner);
// Destroys the codec object once; later calls do nothing.
void ReleaseCodec(CodecRecord& record);

// The codec's progress_monitor: throttled running reports to the record's Owner.
void ProgressHook(j_common_ptr codec) noexcept;

}  // namespace numora
