#include "graphics/PictureRegistry.h"

#include <algorithm>

#include "AsciiCase.h"

namespace numora {

namespace {

std::string NormalExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  return LowerAscii(extension);
}

}  // namespace

void TPictureRegistry::RegisterFileFormat(std::string_view extension, std::string_view description,
                                          const TGraphicClass& graphicClass) {
  std::string ext = NormalExtension(extension);
  TFileFormat format{ext, std::string(description), graphicClass};
  auto it = std::ranges::find(formats_, ext, &TFileFormat::Extension);
  if (it != formats_.end()) {
    *it = std::move(format);
  } else {
    formats_.push_back(std::move(format));
  }
}

void TPictureRegistry::UnregisterGraphicClass(const TGraphicClass& graphicClass) {
  std::erase_if(formats_, [&](const TFileFormat& f) { return f.Class == graphicClass; });
}

std::optional<TGraphicClass> TPictureRegistry::FindClass(std::string_view className) const {
  for (const TFileFormat& f : formats_) {
    if (f.Class.Name == className) return f.Class;
  }
  return std::nullopt;
}

std::optional<TGraphicClass> TPictureRegistry::FindExtension(std::string_view extension) const {
  std::string ext = NormalExtension(extension);
  for (const TFileFormat& f : formats_) {
    if (f.Extension == ext) return f.Class;
  }
  return std::nullopt;
}

TPictureRegistry& GlobalPictureRegistry() {
  static TPictureRegistry registry;
  return registry;
}

void RegisterFileFormat(std::string_view extension, std::string_view description,
                        const TGraphicClass& graphicClass) {
  GlobalPictureRegistry().RegisterFileFormat(extension, description, graphicClass);
}

void UnregisterGraphicClass(const TGraphicClass& graphicClass) {
  GlobalPictureRegistry().UnregisterGraphicClass(graphicClass);
}

std::optional<TGraphicClass> FindGraphicClass(std::string_view className) {
  return GlobalPictureRegistry().FindClass(className);
}

}  // namespace numora
