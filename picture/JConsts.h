// Message texts of the JPEG picture class, kept as numbered string resources so that the
// numbers stay what the rest of the system and its tests refer to.
#pragma once

#include <string>
#include <string_view>

namespace numora {

constexpr int sChangeJPGSize = 65520;
constexpr int sJPEGError = 65521;
constexpr int sJPEGImageFile = 65522;
// Our own addition: a stored record that promises more bytes than it carries.
constexpr int sJPEGStoredLength = 65523;
// Our own addition: a handler that tries to change a picture while it is decoded or encoded.
constexpr int sJPEGBusy = 65524;

// The text of a resource id; an empty view for ids this unit does not know.
std::string_view LoadResString(int id);

// "JPEG error #<code>", the text every codec error carries.
std::string JPEGErrorText(int code);

}  // namespace numora
