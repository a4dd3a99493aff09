#include "graphics/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <atomic>
#include <mutex>

#include "SystemServices.h"

namespace numora {

namespace {

constexpr HDC kScreenDC = 0x5C4EE7;

struct TScreenState {
  std::mutex lock;
  std::optional<TScreenCaps> override;
  int liveContexts = 0;
  std::function<std::uint32_t()> clock;
  // Lets GetTickCount skip the lock when no test replaced the clock: the codec's progress hook
  // asks for the time once per decoded row.
  std::atomic<bool> clockReplaced{false};
};

TScreenState& State() {
  static TScreenState state;
  return state;
}

TScreenCaps QueryScreen() {
  TScreenState& state = State();
  {
    std::lock_guard guard(state.lock);
    if (state.override) return *state.override;
  }
  if (qGuiApp) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) return {screen->depth(), 1};
  }
  return {24, 1};
}

}  // namespace

HDC GetDC(std::uintptr_t) {
  std::lock_guard guard(State().lock);
  ++State().liveContexts;
  return kScreenDC;
}

int ReleaseDC(std::uintptr_t, HDC dc) {
  std::lock_guard guard(State().lock);
  if (dc != kScreenDC || State().liveContexts == 0) return 0;
  --State().liveContexts;
  return 1;
}

int GetDeviceCaps(HDC dc, int index) {
  if (dc != kScreenDC) return 0;
  TScreenCaps caps = QueryScreen();
  if (index == BITSPIXEL) return caps.bitsPerPixel;
  if (index == PLANES) return caps.planes;
  return 0;
}

int ScreenColorBits() {
  const HDC dc = GetDC(0);
  const int colorBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(0, dc);
  return colorBits;
}

int LiveDeviceContexts() {
  std::lock_guard guard(State().lock);
  return State().liveContexts;
}

TScreenCapsOverride::TScreenCapsOverride(TScreenCaps caps) {
  std::lock_guard guard(State().lock);
  previous_ = State().override;
  State().override = caps;
}

TScreenCapsOverride::~TScreenCapsOverride() {
  std::lock_guard guard(State().lock);
  State().override = previous_;
}

std::uint32_t GetTickCount() {
  TScreenState& state = State();
  if (state.clockReplaced.load(std::memory_order_acquire)) {
    std::function<std::uint32_t()> clock;
    {
      std::lock_guard guard(state.lock);
      clock = state.clock;
    }
    if (clock) return clock();
  }
  // A tick count wraps after 49.7 days, as the system's own does.
  return static_cast<std::uint32_t>(sys::MonotonicMilliseconds());
}

TTickCountOverride::TTickCountOverride(std::function<std::uint32_t()> clock) {
  std::lock_guard guard(State().lock);
  previous_ = std::move(State().clock);
  State().clock = std::move(clock);
  State().clockReplaced.store(static_cast<bool>(State().clock), std::memory_order_release);
}

TTickCountOverride::~TTickCountOverride() {
  std::lock_guard guard(State().lock);
  State().clock = std::move(previous_);
  State().clockReplaced.store(static_cast<bool>(State().clock), std::memory_order_release);
}

}  // namespace numora
