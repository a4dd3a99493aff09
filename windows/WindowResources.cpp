#include "WindowResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitWindowsQrc() { Q_INIT_RESOURCE(windows); }

void numora::InitWindowResources() { InitWindowsQrc(); }
