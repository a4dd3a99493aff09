// Pictures through the system clipboard, as images.
#pragma once

#include "graphics/Graphic.h"

namespace numora {

// Puts the picture on the clipboard (SaveClipboard); needs a QGuiApplication.
void CopyPictureToClipboard(TGraphic& graphic);
// True when the clipboard holds an image.
bool ClipboardHasPicture();
// Loads the clipboard's image into the picture (LoadClipboard); EInvalidGraphic when there is
// none.
void PastePictureFromClipboard(TGraphic& graphic);

}  // namespace numora
