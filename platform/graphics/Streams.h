// Byte streams: the abstract TStream, a growable TMemoryStream with direct access to its bytes,
// a read-only view over bytes owned elsewhere, and a file-backed stream.
//
// Read and Write move as many bytes as they can and return the count; ReadBuffer and WriteBuffer
// demand all of them and throw EReadError / EWriteError otherwise. Positions and sizes are
// 64-bit and never negative; a position past the end is allowed (a later write fills with zeros).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace numora {

class TStream {
 public:
  virtual ~TStream() = default;

  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Size() = 0;
  virtual std::int64_t Position() = 0;
  // Throws EStreamError for a position before the start.
  virtual void SetPosition(std::int64_t position) = 0;

  // Bytes from the position to the end (0 when positioned past the end).
  std::int64_t Remaining();

  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);

  // Little-endian 32-bit values, the byte order of stored records.
  std::int32_t ReadInt32LE();
  void WriteInt32LE(std::int32_t value);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  // A stream of `size` zero bytes at position 0.
  explicit TMemoryStream(std::size_t size);

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t Position() override { return static_cast<std::int64_t>(position_); }
  void SetPosition(std::int64_t position) override;

  // Direct access to the bytes; valid until the next size change.
  std::uint8_t* Memory() { return bytes_.data(); }
  const std::uint8_t* Memory() const { return bytes_.data(); }
  std::span<const std::uint8_t> Bytes() const { return bytes_; }
  void Clear();

  void SaveToFile(const std::string& path) const;

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Reads bytes that somebody else keeps alive (a window description's stored picture) without
// copying them. Writes are refused.
class TBytesReader : public TStream {
 public:
  explicit TBytesReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t Position() override { return static_cast<std::int64_t>(position_); }
  void SetPosition(std::int64_t position) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// A file. Every failure names the path and the system's reason: EFOpenError when it cannot be
// opened or is a directory (which opens for reading but has no bytes and a meaningless size),
// EReadError / EWriteError / EStreamError when a read, a write, a seek or a size query fails.
// Only a regular file has a size.
class TFileStream : public TStream {
 public:
  enum class TMode { fmOpenRead, fmCreate };
  TFileStream(const std::string& path, TMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Size() override;
  std::int64_t Position() override;
  void SetPosition(std::int64_t position) override;

 private:
  std::string Failure(const char* what, int error) const;

  std::string path_;
  std::FILE* file_ = nullptr;
  bool regular_ = false;
};

}  // namespace numora
