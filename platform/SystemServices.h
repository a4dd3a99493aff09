// The few operating-system services that differ between the POSIX and the Windows builds.
// Everything above the platform layer calls these instead of the system.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace numora::sys {

// Milliseconds of a monotonic clock with the resolution of a tick count (a few milliseconds).
std::uint64_t MonotonicMilliseconds();

// fopen with a UTF-8 path ("rb" or "w+b"); errno tells why it failed.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);

struct TFileKind {
  bool known = false;  // false: errno tells why the system could not say
  bool directory = false;
  bool regular = false;
  std::int64_t size = 0;
};
TFileKind FileKind(std::FILE* file);

// 64-bit positions whatever the C library's long is; -1 / false with errno on failure.
std::int64_t FilePosition(std::FILE* file);
bool SetFilePosition(std::FILE* file, std::int64_t position);

// Standard output and error carry bytes as written: no line-end translation.
void UseBinaryStandardStreams();

// Lets the installer and the uninstaller see that the program runs, until the process ends
// (Windows: a named mutex; elsewhere nothing).
void AnnounceRunning();

// The program's arguments in UTF-8, whatever code page the system hands main() (argv[1] on).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace numora::sys
