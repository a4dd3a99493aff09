#include "DisplayCheck.h"

namespace numora {

// Windows always has its desktop: nothing to connect to before the application object.
TDisplayCheck CheckDisplay() { return {}; }

}  // namespace numora
