// Whether the windows can be shown at all, asked before the application object exists: Qt
// aborts the process when its platform cannot reach a display, with a message about plugins.
#pragma once

#include <string>

namespace numora {

struct TDisplayCheck {
  enum class TResult { Reachable, NotSet, CannotOpen };
  TResult Result = TResult::Reachable;
  std::string Name;  // the X display that was tried (DISPLAY), for CannotOpen
};

// Opens and closes a connection to the X display Qt would use. Platforms that need no
// display server (offscreen, vnc) count as reachable without a try.
TDisplayCheck CheckDisplay();

}  // namespace numora
