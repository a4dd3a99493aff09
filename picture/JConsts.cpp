#include "JConsts.h"

namespace numora {

std::string_view LoadResString(int id) {
  switch (id) {
    case sChangeJPGSize:
      return "Cannot change the size of a JPEG image";
    case sJPEGError:
      return "JPEG error #%d";
    case sJPEGImageFile:
      return "JPEG Image File";
    case sJPEGStoredLength:
      return "Stored JPEG picture is damaged: it announces %lld bytes, %lld follow";
    case sJPEGBusy:
      return "Cannot change a JPEG image while it is being decoded or encoded";
    default:
      return {};
  }
}

std::string JPEGErrorText(int code) {
  // The resource is a printf format with exactly one %d.
  const std::string_view format = LoadResString(sJPEGError);
  const std::size_t at = format.find("%d");
  return std::string(format.substr(0, at)) + std::to_string(code) +
         std::string(format.substr(at + 2));
}

}  // namespace numora
