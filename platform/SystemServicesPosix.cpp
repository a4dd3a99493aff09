#include <sys/stat.h>
#include <time.h>

#include <algorithm>

#include "SystemServices.h"

namespace numora::sys {

std::uint64_t MonotonicMilliseconds() {
  // The coarse clock has the resolution of a tick count at a fraction of the precise clock's cost.
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
         static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
  return std::fopen(utf8Path.c_str(), mode);
}

TFileKind FileKind(std::FILE* file) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0) return {};
  return {true, S_ISDIR(info.st_mode), S_ISREG(info.st_mode),
          static_cast<std::int64_t>(info.st_size)};
}

std::int64_t FilePosition(std::FILE* file) { return static_cast<std::int64_t>(ftello(file)); }

bool SetFilePosition(std::FILE* file, std::int64_t position) {
  return fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0;
}

void UseBinaryStandardStreams() {}

// Debian's package manager replaces a running program safely: nothing to announce.
void AnnounceRunning() {}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

}  // namespace numora::sys
