#include "CodecRecord.h"

#include <cstdlib>
#include <cstring>

#include "JPEGError.h"

namespace numora {
namespace {

void ErrorExit(j_common_ptr codec) {
  CodecRecord* record = static_cast<CodecRecord*>(codec->client_data);
  // Returning would let the codec run on in a broken state; every codec call has a target.
  if (record == nullptr || record->JumpTarget == nullptr) std::abort();
  std::longjmp(*record->JumpTarget, 1);
}

// Warnings and trace messages are neither counted nor shown.
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}
void FormatMessage(j_common_ptr, char* buffer) { buffer[0] = '\0'; }

void ResetErrorManager(j_common_ptr codec) {
  codec->err->num_warnings = 0;
  codec->err->msg_code = 0;
}

jpeg_error_mgr MakeErrorTemplate() {
  jpeg_error_mgr e;
  std::memset(&e, 0, sizeof e);
  e.error_exit = ErrorExit;
  e.emit_message = EmitMessage;
  e.output_message = OutputMessage;
  e.format_message = FormatMessage;
  e.reset_error_mgr = ResetErrorManager;
  return e;
}

}  // namespace

const jpeg_error_mgr ErrorTemplate = MakeErrorTemplate();

CodecRecord::CodecRecord() {
  std::memset(&Error, 0, sizeof Error);
  std::memset(&Progress, 0, sizeof Progress);
  FullPassDct = JDCT_ISLOW;
  FullPassTwoPass = false;
  FullPassDither = JDITHER_NONE;
  std::memset(&Codec, 0, sizeof Codec);
  Error = ErrorTemplate;
  Codec.Common.err = &Error;
  Codec.Common.client_data = this;
}

CodecRecord::~CodecRecord() { ReleaseCodec(*this); }

void ClearUnwrittenRows(TDecodeTarget& target) noexcept {
  if (target.Row0 == nullptr || target.RowsWritten >= target.Height) return;
  const auto first = static_cast<std::size_t>(target.RowsWritten) * target.Stride;
  const auto count = static_cast<std::size_t>(target.Height - target.RowsWritten) * target.Stride;
  std::memset(target.Row0 + first, 0, count);
  target.RowsWritten = target.Height;
}

void RaiseCodecFailure(CodecRecord& record) {
  if (record.Pending) {
    std::exception_ptr failure = nullptr;
    std::swap(failure, record.Pending);
    std::rethrow_exception(failure);
  }
  throw EJPEG(record.Error.msg_code);
}

void KeepFailure(j_common_ptr codec) noexcept {
  static_cast<CodecRecord*>(codec->client_data)->Pending = std::current_exception();
}

void LeaveCodec(j_common_ptr codec) noexcept {
  CodecRecord* record = static_cast<CodecRecord*>(codec->client_data);
  if (record == nullptr || record->JumpTarget == nullptr) std::abort();
  std::longjmp(*record->JumpTarget, 1);
}

void CreateDecompressor(CodecRecord& record) {
  CodecCall(record, [&] { jpeg_create_decompress(&record.Codec.Decompressor); });
}

void CreateCompressor(CodecRecord& record) {
  CodecCall(record, [&] { jpeg_create_compress(&record.Codec.Compressor); });
}

void InstallProgress(CodecRecord& record, TGraphic* owner) {
  record.Progress.Codec.progress_monitor = ProgressHook;
  record.Progress.Owner = owner;
  record.Codec.Common.progress = &record.Progress.Codec;
}

void ReleaseCodec(CodecRecord& record) {
  if (record.Codec.Common.err == nullptr) return;
  jpeg_destroy(&record.Codec.Common);
  record.Codec.Common.err = nullptr;
}

}  // namespace numora
