#include "DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace numora {
namespace {

// QT_QPA_PLATFORM may list fallbacks ("wayland;xcb"); only the X platform is built in here.
bool UsesX(std::string_view platform) {
  if (platform.empty()) return true;
  while (!platform.empty()) {
    const std::size_t end = platform.find(';');
    if (platform.substr(0, end).rfind("xcb", 0) == 0) return true;
    if (end == std::string_view::npos) break;
    platform.remove_prefix(end + 1);
  }
  return false;
}

}  // namespace

TDisplayCheck CheckDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!UsesX(platform != nullptr ? platform : "")) return {};
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    // A Wayland session without X: Qt chooses its platform there, as it did before this check.
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (platform == nullptr && wayland != nullptr && *wayland != '\0') return {};
    return {TDisplayCheck::TResult::NotSet, {}};
  }
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);  // also frees a connection that failed
  if (failed) return {TDisplayCheck::TResult::CannotOpen, display};
  return {};
}

}  // namespace numora
