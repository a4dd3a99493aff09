// The screen's colour capabilities and the millisecond tick count, in the manner of the
// platform's device-context calls. Both can be replaced in tests (8-bit screens, a clock that
// moves only when told).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "graphics/Palette.h"

namespace numora {

constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;

// The screen's device context (window 0 is the whole screen). Every GetDC needs a ReleaseDC.
HDC GetDC(std::uintptr_t window = 0);
int ReleaseDC(std::uintptr_t window, HDC dc);
// BITSPIXEL and PLANES (the Qt primary screen's depth and 1, or 24 and 1 without a screen);
// 0 for other indices or an unknown context.
int GetDeviceCaps(HDC dc, int index);
int LiveDeviceContexts();

// Bits per pixel times planes of the screen, through its device context: the one place that
// asks how many colours the screen shows.
int ScreenColorBits();

struct TScreenCaps {
  int bitsPerPixel = 24;
  int planes = 1;
};
// Replaces what the screen reports while it lives; restores the previous state on destruction.
class TScreenCapsOverride {
 public:
  explicit TScreenCapsOverride(TScreenCaps caps);
  ~TScreenCapsOverride();
  TScreenCapsOverride(const TScreenCapsOverride&) = delete;
  TScreenCapsOverride& operator=(const TScreenCapsOverride&) = delete;

 private:
  std::optional<TScreenCaps> previous_;
};

// Milliseconds since an arbitrary start, 32 bits, wrapping.
std::uint32_t GetTickCount();
// Replaces the clock while it lives; restores the previous one on destruction.
class TTickCountOverride {
 public:
  explicit TTickCountOverride(std::function<std::uint32_t()> clock);
  ~TTickCountOverride();
  TTickCountOverride(const TTickCountOverride&) = delete;
  TTickCountOverride& operator=(const TTickCountOverride&) = delete;

 private:
  std::function<std::uint32_t()> previous_;
};

}  // namespace numora
