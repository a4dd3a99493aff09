// The faces that travel with the program: on Windows, the stand-ins for the window faces a
// clean system lacks sit in the "fonts" folder beside numora.exe and are known to this
// process alone (nothing is installed into the system's fonts).
#pragma once

#include <QStringList>

namespace numora {

// Makes every font file in FOLDER known to the program and returns the families they hold
// (none when the folder is missing). Needs the application object.
QStringList RegisterFacesIn(const QString& folder);

// RegisterFacesIn the "fonts" folder beside the program.
QStringList RegisterShippedFaces();

}  // namespace numora
