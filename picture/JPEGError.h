// EJPEG: a codec error. It keeps the codec's message code; its text is "JPEG error #<code>".
#pragma once

#include "graphics/GraphicsErrors.h"

namespace numora {

class EJPEG : public EInvalidGraphic {
 public:
  explicit EJPEG(int code);
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace numora
