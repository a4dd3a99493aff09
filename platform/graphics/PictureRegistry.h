// The registry of picture classes: which class reads a file extension, and which class a stored
// picture record names. One registry serves the process (GlobalPictureRegistry); tests may build
// their own and hand it to a TPicture.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Graphic.h"

namespace numora {

struct TFileFormat {
  std::string Extension;  // lower case, without the dot
  std::string Description;
  TGraphicClass Class;
};

class TPictureRegistry {
 public:
  // Registers or replaces the entry for the extension (case-insensitive, leading dot ignored).
  void RegisterFileFormat(std::string_view extension, std::string_view description,
                          const TGraphicClass& graphicClass);
  // Removes every extension of the class; the class is no longer found by name either.
  void UnregisterGraphicClass(const TGraphicClass& graphicClass);

  // nullopt when no registered class has the name (compared exactly).
  std::optional<TGraphicClass> FindClass(std::string_view className) const;
  std::optional<TGraphicClass> FindExtension(std::string_view extension) const;
  const std::vector<TFileFormat>& Formats() const { return formats_; }

 private:
  std::vector<TFileFormat> formats_;
};

// The process-wide registry, empty until a picture class registers itself.
TPictureRegistry& GlobalPictureRegistry();

void RegisterFileFormat(std::string_view extension, std::string_view description,
                        const TGraphicClass& graphicClass);
void UnregisterGraphicClass(const TGraphicClass& graphicClass);
std::optional<TGraphicClass> FindGraphicClass(std::string_view className);

}  // namespace numora
