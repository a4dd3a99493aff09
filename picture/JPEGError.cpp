#include "JPEGError.h"

#include "JConsts.h"

namespace numora {

EJPEG::EJPEG(int code) : EInvalidGraphic(JPEGErrorText(code)), code_(code) {}

}  // namespace numora
