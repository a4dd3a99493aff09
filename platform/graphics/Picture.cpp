#include "graphics/Picture.h"

#include <string>
#include <string_view>

#include "graphics/Canvas.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/Streams.h"

namespace numora {
namespace {

// A class name read from a damaged record can hold any bytes, up to 255 of them; the message
// shows it escaped and shortened so that it never garbles a terminal or a message box.
std::string QuotedName(std::string_view name) {
  constexpr std::size_t kShown = 40;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (std::size_t i = 0; i < name.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      quoted += static_cast<char>(c);
    } else {
      quoted += "\\x";
      quoted += kHex[c >> 4];
      quoted += kHex[c & 15];
    }
  }
  quoted += '"';
  if (name.size() > kShown) quoted += "...";
  return quoted;
}

}  // namespace

TPicture::TPicture(const TPictureRegistry& registry) : registry_(registry) {}

TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  if (graphic_) graphic_->RefuseWhileBusy();
  graphic_ = std::move(graphic);
}

void TPicture::LoadFromStoredRecord(std::span<const std::uint8_t> record) {
  TBytesReader stream(record);
  std::uint8_t length = 0;
  if (stream.Read(&length, 1) != 1) {
    throw EInvalidGraphic("Stored picture record is truncated: no class name");
  }
  if (length == 0) {
    SetGraphic(nullptr);
    return;
  }
  std::string name(length, '\0');
  if (stream.Read(name.data(), length) != length) {
    throw EInvalidGraphic("Stored picture record is truncated inside its class name");
  }
  std::optional<TGraphicClass> cls = registry_.FindClass(name);
  if (!cls) {
    throw EInvalidGraphic("Stored picture record names the unknown picture class " +
                          QuotedName(name));
  }
  // A record that fails to load leaves the picture as it was.
  std::unique_ptr<TGraphic> graphic = cls->Create();
  graphic->ReadStored(stream);
  SetGraphic(std::move(graphic));
}

std::vector<std::uint8_t> TPicture::StoredRecord() {
  TMemoryStream stream;
  const std::string_view name = graphic_ ? graphic_->ClassName() : std::string_view();
  if (name.size() > 255) throw EInvalidGraphic("Picture class name is longer than 255 characters");
  const auto length = static_cast<std::uint8_t>(name.size());
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(name.data(), name.size());
  if (graphic_) graphic_->WriteStored(stream);
  return {stream.Bytes().begin(), stream.Bytes().end()};
}

int TPicture::Width() const { return graphic_ ? graphic_->PictureWidth() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->PictureHeight() : 0; }

void TPicture::StretchDraw(TCanvas& canvas, const TRect& rect) {
  if (graphic_) canvas.StretchDraw(rect, *graphic_);
}

}  // namespace numora
