#include "graphics/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "SystemServices.h"
#include "graphics/GraphicsErrors.h"

namespace numora {

namespace {

std::size_t CheckedPosition(std::int64_t position) {
  if (position < 0) throw EStreamError("Stream position before the start");
  return static_cast<std::size_t>(position);
}

std::size_t ReadBytes(std::span<const std::uint8_t> bytes, std::size_t& position, void* buffer,
                      std::size_t count) {
  if (position >= bytes.size()) return 0;
  std::size_t n = std::min(count, bytes.size() - position);
  std::memcpy(buffer, bytes.data() + position, n);
  position += n;
  return n;
}

}  // namespace

std::int64_t TStream::Remaining() { return std::max<std::int64_t>(0, Size() - Position()); }

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  std::size_t got = count == 0 ? 0 : Read(buffer, count);
  if (got != count) {
    throw EReadError("Stream read error: " + std::to_string(count) + " bytes wanted, " +
                     std::to_string(got) + " available");
  }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  std::size_t put = count == 0 ? 0 : Write(buffer, count);
  if (put != count) {
    throw EWriteError("Stream write error: " + std::to_string(put) + " of " +
                      std::to_string(count) + " bytes written");
  }
}

std::int32_t TStream::ReadInt32LE() {
  std::uint8_t b[4];
  ReadBuffer(b, 4);
  std::uint32_t v = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                    std::uint32_t{b[3]} << 24;
  return static_cast<std::int32_t>(v);
}

void TStream::WriteInt32LE(std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                       static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  WriteBuffer(b, 4);
}

// TMemoryStream

TMemoryStream::TMemoryStream(std::size_t size) : bytes_(size) {}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  return ReadBytes(bytes_, position_, buffer, count);
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (count > bytes_.max_size() - position_) return 0;
  std::size_t end = position_ + count;
  if (end > bytes_.size()) {
    if (end > bytes_.capacity()) bytes_.reserve(std::max(end, bytes_.capacity() * 2));
    bytes_.resize(end);
  }
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ = end;
  return count;
}

void TMemoryStream::SetPosition(std::int64_t position) { position_ = CheckedPosition(position); }

void TMemoryStream::Clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  TFileStream file(path, TFileStream::TMode::fmCreate);
  file.WriteBuffer(bytes_.data(), bytes_.size());
}

// TBytesReader

std::size_t TBytesReader::Read(void* buffer, std::size_t count) {
  return ReadBytes(bytes_, position_, buffer, count);
}

std::size_t TBytesReader::Write(const void*, std::size_t) { return 0; }

void TBytesReader::SetPosition(std::int64_t position) { position_ = CheckedPosition(position); }

// TFileStream

TFileStream::TFileStream(const std::string& path, TMode mode) : path_(path) {
  file_ = sys::OpenFile(path, mode == TMode::fmCreate ? "w+b" : "rb");
  if (!file_) {
    throw EFOpenError("Cannot open file \"" + path + "\": " + std::strerror(errno));
  }
  const sys::TFileKind kind = sys::FileKind(file_);
  const int error = errno;
  if (!kind.known || kind.directory) {
    std::fclose(file_);
    file_ = nullptr;
    throw EFOpenError("Cannot open file \"" + path +
                      "\": " + (kind.known ? "it is a directory" : std::strerror(error)));
  }
  regular_ = kind.regular;
  // Unbuffered, so that a failing write is seen by the call that made it and never lost in a
  // flush at closing time. Whole files go in one call, so this costs nothing.
  if (mode == TMode::fmCreate) std::setvbuf(file_, nullptr, _IONBF, 0);
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

std::string TFileStream::Failure(const char* what, int error) const {
  return std::string(what) + " \"" + path_ + "\": " + std::strerror(error);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  const std::size_t got = std::fread(buffer, 1, count, file_);
  if (got < count && std::ferror(file_)) throw EReadError(Failure("Cannot read file", errno));
  return got;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  const std::size_t put = std::fwrite(buffer, 1, count, file_);
  if (put < count) throw EWriteError(Failure("Cannot write file", errno));
  return put;
}

std::int64_t TFileStream::Position() {
  const std::int64_t position = sys::FilePosition(file_);
  if (position < 0) throw EStreamError(Failure("Cannot seek in file", errno));
  return position;
}

void TFileStream::SetPosition(std::int64_t position) {
  if (!sys::SetFilePosition(file_, CheckedPosition(position))) {
    throw EStreamError(Failure("Cannot seek in file", errno));
  }
}

std::int64_t TFileStream::Size() {
  // A pipe or a device reports a size of 0 whatever it will deliver.
  if (!regular_) {
    throw EStreamError("Cannot read the size of file \"" + path_ + "\": it is not a regular file");
  }
  const sys::TFileKind kind = sys::FileKind(file_);
  if (!kind.known) throw EStreamError(Failure("Cannot read the size of file", errno));
  return kind.size;
}

}  // namespace numora
