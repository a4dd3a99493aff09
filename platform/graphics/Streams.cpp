#include "graphics/Streams.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "graphics/GraphicsErrors.h"

namespace numora {

namespace {

std::int64_t ResolveSeek(std::int64_t offset, TSeekOrigin origin, std::int64_t position,
                         std::int64_t size) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                      : origin == TSeekOrigin::soCurrent ? position
                                                         : size;
  if ((offset < 0 && base + offset < 0) ||
      (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset)) {
    throw EStreamError("Stream seek before the start or beyond the largest position");
  }
  return base + offset;
}

}  // namespace

std::int64_t TStream::Size() {
  std::int64_t position = Position();
  std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) { throw EStreamError("Stream size cannot be changed"); }

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

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) count = source.Remaining();
  if (count < 0) throw EStreamError("Stream copy of a negative byte count");
  std::uint8_t chunk[64 * 1024];
  std::int64_t left = count;
  while (left > 0) {
    std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(left, sizeof chunk));
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    left -= static_cast<std::int64_t>(n);
  }
  return count;
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
  if (position_ >= bytes_.size()) return 0;
  std::size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
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

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t p = ResolveSeek(offset, origin, static_cast<std::int64_t>(position_), Size());
  position_ = static_cast<std::size_t>(p);
  return p;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EStreamError("Stream size cannot be negative");
  bytes_.resize(static_cast<std::size_t>(size));
  position_ = std::min(position_, bytes_.size());
}

void TMemoryStream::Clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  TFileStream file(path, TFileStream::TMode::fmOpenRead);
  std::int64_t size = file.Size();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  file.ReadBuffer(bytes.data(), bytes.size());
  bytes_ = std::move(bytes);
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  TFileStream file(path, TFileStream::TMode::fmCreate);
  file.WriteBuffer(bytes_.data(), bytes_.size());
}

// TBytesReader

std::size_t TBytesReader::Read(void* buffer, std::size_t count) {
  if (position_ >= bytes_.size()) return 0;
  std::size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t TBytesReader::Write(const void*, std::size_t) { return 0; }

std::int64_t TBytesReader::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t p = ResolveSeek(offset, origin, static_cast<std::int64_t>(position_), Size());
  position_ = static_cast<std::size_t>(p);
  return p;
}

// TFileStream

TFileStream::TFileStream(const std::string& path, TMode mode) : path_(path) {
  file_ = std::fopen(path.c_str(), mode == TMode::fmCreate ? "w+b" : "rb");
  if (!file_) {
    throw EFOpenError("Cannot open file \"" + path + "\": " + std::strerror(errno));
  }
  struct stat info {};
  const bool known = fstat(fileno(file_), &info) == 0;
  const int error = errno;
  if (!known || S_ISDIR(info.st_mode)) {
    std::fclose(file_);
    file_ = nullptr;
    throw EFOpenError("Cannot open file \"" + path +
                      "\": " + (known ? "it is a directory" : std::strerror(error)));
  }
  regular_ = S_ISREG(info.st_mode);
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

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  if (!(origin == TSeekOrigin::soCurrent && offset == 0) &&
      fseeko(file_, static_cast<off_t>(offset), whence) != 0) {
    throw EStreamError(Failure("Cannot seek in file", errno));
  }
  const off_t position = ftello(file_);
  if (position < 0) throw EStreamError(Failure("Cannot seek in file", errno));
  return static_cast<std::int64_t>(position);
}

std::int64_t TFileStream::Size() {
  // A pipe or a device reports a size of 0 whatever it will deliver.
  if (!regular_) {
    throw EStreamError("Cannot read the size of file \"" + path_ + "\": it is not a regular file");
  }
  // Buffered writes are not in the file yet; the size must count them.
  struct stat info {};
  if (std::fflush(file_) != 0 || fstat(fileno(file_), &info) != 0) {
    throw EStreamError(Failure("Cannot read the size of file", errno));
  }
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace numora
