// Process-wide defaults of the picture class and its registration at start-up.
#include "JConsts.h"
#include "graphics/PictureRegistry.h"
#include "graphics/Screen.h"
#include "jpeg.h"

namespace numora {

TJPEGDefaults PictureDefaults;

void ReadDisplayDefaults() {
  const HDC dc = GetDC(0);
  const int colorBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(0, dc);
  PictureDefaults.BitmapDepth =
      colorBits <= 8 ? TJPEGPixelFormat::Depth8 : TJPEGPixelFormat::Depth24;
}

void RegisterJPEGImage() {
  ReadDisplayDefaults();
  const std::string_view description = LoadResString(sJPEGImageFile);
  RegisterFileFormat("jpeg", description, GraphicClassOf<TJPEGImage>());
  RegisterFileFormat("jpg", description, GraphicClassOf<TJPEGImage>());
}

void UnregisterJPEGImage() { UnregisterGraphicClass(GraphicClassOf<TJPEGImage>()); }

}  // namespace numora
