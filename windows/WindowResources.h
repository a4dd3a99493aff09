// The window descriptions and pictures are resources of this static library: every window
// registers them before it is built (registering again costs nothing).
#pragma once

namespace numora {
void InitWindowResources();
}
