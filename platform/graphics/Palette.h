// Logical palettes behind opaque handles, in the manner of the platform's palette calls.
//
// A handle has exactly one owner, who must DeleteObject it once. Handles are never reused, so a
// stale or repeated delete is recognised: DeleteObject returns false and the fault is counted.
// Tests read PaletteHandleStats() to prove that nothing leaked and nothing was deleted twice.
#pragma once

#include <cstddef>
#include <cstdint>

namespace numora {

using HPALETTE = std::uint32_t;  // 0 is no palette
using HDC = std::uintptr_t;      // device context, see Screen.h

struct PALETTEENTRY {
  std::uint8_t peRed = 0;
  std::uint8_t peGreen = 0;
  std::uint8_t peBlue = 0;
  std::uint8_t peFlags = 0;
};

constexpr std::uint16_t kLogPaletteVersion = 0x300;
constexpr std::size_t kMaxPaletteEntries = 256;

struct TLogPalette {
  std::uint16_t palVersion = kLogPaletteVersion;
  std::uint16_t palNumEntries = 0;
  PALETTEENTRY palPalEntry[kMaxPaletteEntries] = {};
};

// 0 when the version is not 0x300 or there are more than 256 entries. A palette of 0 entries is
// valid (it yields no colours).
HPALETTE CreatePalette(const TLogPalette& logPalette);
// A fixed palette spread over the colour space, for drawing 24-bit pictures on 8-bit screens.
HPALETTE CreateHalftonePalette(HDC dc);
// Copies up to `count` entries from `start` into `entries`; returns how many were copied (0 for an
// unknown handle). With entries == nullptr returns the palette's number of entries.
unsigned GetPaletteEntries(HPALETTE palette, unsigned start, unsigned count, PALETTEENTRY* entries);
// A new handle with the same entries (0 for an unknown handle); the caller owns it.
HPALETTE CopyPalette(HPALETTE palette);
// Frees the handle. False for 0 (harmless), and false plus a counted fault for an unknown,
// already deleted handle.
bool DeleteObject(HPALETTE palette);

struct TPaletteHandleStats {
  std::size_t live = 0;        // created and not yet deleted
  std::size_t created = 0;     // ever created
  std::size_t badDeletes = 0;  // DeleteObject of an unknown or already deleted handle
};
TPaletteHandleStats PaletteHandleStats();

// Owns one handle and deletes it on destruction; Release gives it up.
class TPaletteHandle {
 public:
  TPaletteHandle() = default;
  explicit TPaletteHandle(HPALETTE handle) : handle_(handle) {}
  ~TPaletteHandle() { Reset(); }
  TPaletteHandle(TPaletteHandle&& other) noexcept : handle_(other.Release()) {}
  TPaletteHandle& operator=(TPaletteHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TPaletteHandle(const TPaletteHandle&) = delete;
  TPaletteHandle& operator=(const TPaletteHandle&) = delete;

  HPALETTE Get() const { return handle_; }
  HPALETTE Release() {
    HPALETTE h = handle_;
    handle_ = 0;
    return h;
  }
  void Reset(HPALETTE handle = 0) {
    if (handle_ != 0 && handle_ != handle) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  HPALETTE handle_ = 0;
};

}  // namespace numora
