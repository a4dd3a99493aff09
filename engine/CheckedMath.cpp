#include "CheckedMath.h"

#include <string>

#include "Engine.h"

namespace numora::detail {

void ThrowForFlags(int raised, std::string_view operation) {
  using TKind = EEngineFault::TKind;
  const std::string where = " in " + std::string(operation);
  if (raised & FE_INVALID)
    throw EEngineFault(TKind::InvalidOperation, "Invalid floating point operation" + where);
  if (raised & FE_DIVBYZERO)
    throw EEngineFault(TKind::DivisionByZero, "Floating point division by zero" + where);
  if (raised & FE_OVERFLOW) throw EEngineFault(TKind::Overflow, "Floating point overflow" + where);
}

}  // namespace numora::detail
