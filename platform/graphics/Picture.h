// TPicture: a holder of at most one picture of any registered class, and the reader and writer
// of stored picture records:
//   1 byte n, n bytes class name, then the class's own stored data (TGraphic::ReadStored).
// A record with n = 0 is an empty picture. Reading fails with EInvalidGraphic for an unknown
// class name or a record that ends inside the name, and passes on the class's own errors; a
// failed read leaves the picture as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "graphics/Graphic.h"
#include "graphics/PictureRegistry.h"

namespace numora {

class TPicture {
 public:
  explicit TPicture(const TPictureRegistry& registry = GlobalPictureRegistry());
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return graphic_.get(); }
  template <class T>
  T* GraphicAs() const {
    return dynamic_cast<T*>(graphic_.get());
  }
  // Both refuse, with the picture's own error, to replace a picture that is busy (from a progress
  // handler of its decode): the running codec would go on in freed memory.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);

  void LoadFromStoredRecord(std::span<const std::uint8_t> record);
  std::vector<std::uint8_t> StoredRecord();

  int Width() const;
  int Height() const;
  // Stretches the picture into rect; nothing happens without a picture.
  void StretchDraw(TCanvas& canvas, const TRect& rect);

 private:
  const TPictureRegistry& registry_;
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace numora
