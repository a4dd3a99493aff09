// windows.h first: shellapi.h builds on its types.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
//
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <sys/stat.h>

#include <cerrno>

#include "RunningMutex.h"
#include "SystemServices.h"

namespace numora::sys {

namespace {

// The narrow file functions read a path in the ANSI code page, which cannot name every file:
// paths are UTF-8 inside the program and UTF-16 at the system.
std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      wide.data(), length);
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string utf8(static_cast<std::size_t>(length - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::uint64_t MonotonicMilliseconds() { return GetTickCount64(); }

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
  const std::wstring path = Wide(utf8Path);
  if (path.empty()) {
    errno = utf8Path.empty() ? ENOENT : EILSEQ;
    return nullptr;
  }
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
}

TFileKind FileKind(std::FILE* file) {
  struct _stat64 info {};
  if (_fstat64(_fileno(file), &info) != 0) return {};
  return {true, (info.st_mode & _S_IFMT) == _S_IFDIR, (info.st_mode & _S_IFMT) == _S_IFREG,
          static_cast<std::int64_t>(info.st_size)};
}

std::int64_t FilePosition(std::FILE* file) { return _ftelli64(file); }

bool SetFilePosition(std::FILE* file, std::int64_t position) {
  return _fseeki64(file, position, SEEK_SET) == 0;
}

void UseBinaryStandardStreams() {
  std::fflush(stdout);
  std::fflush(stderr);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// The installer and the uninstaller look for this mutex before they touch a file. Its handle
// stays open on purpose: the system closes it when the process ends, however it ends.
void AnnounceRunning() { CreateMutexW(nullptr, FALSE, kRunningMutex); }

}  // namespace numora::sys

namespace numora::sys {

// main()'s argv is in the ANSI code page, which cannot hold every file name: the wide command
// line can.
std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Utf8(wide[i]));
  if (wide != nullptr) LocalFree(wide);
  return arguments;
}

}  // namespace numora::sys
