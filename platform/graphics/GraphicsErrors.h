// Exceptions of the picture framework. Each carries its text; callers turn them into messages
// at the edge that shows them.
#pragma once

#include <stdexcept>
#include <string>

namespace numora {

// A picture's content cannot be read or is not what its class expects.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The operation is not possible on this picture (changing a fixed size, an impossible Assign).
class EInvalidGraphicOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A silent stop: raised by a progress handler to end a long operation early. Operations that
// allow it catch it and keep what they have; it is never shown to the user.
class EAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Operation aborted"; }
};

// Stream failures: fewer bytes than demanded, a refused write, a file that cannot be opened.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

}  // namespace numora
