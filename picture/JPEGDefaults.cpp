// Process-wide defaults of the picture class and its registration at start-up.
#include "JConsts.h"
#include "graphics/PictureRegistry.h"
#include "graphics/Screen.h"
#include "jpeg.h"

namespace numora {

TJPEGDefaults PictureDefaults;

void ReadDisplayDefaults() {
  PictureDefaults.BitmapDepth =
      ScreenColorBits() <= 8 ? TJPEGPixelFormat::Depth8 : TJPEGPixelFormat::Depth24;
}

void RegisterJPEGImage() {
  ReadDisplayDefaults();
  const std::string_view description = LoadResString(sJPEGImageFile);
  RegisterFileFormat("jpeg", description, GraphicClassOf<TJPEGImage>());
  RegisterFileFormat("jpg", description, GraphicClassOf<TJPEGImage>());
}

void UnregisterJPEGImage() { UnregisterGraphicClass(GraphicClassOf<TJPEGImage>()); }

}  // namespace numora
