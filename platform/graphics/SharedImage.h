// Reference-counted content that several pictures hold at once. Reference adds a holder,
// Release removes one and destroys the object with the last holder. Create instances with new
// and hand them straight to a holder, which calls Reference.
#pragma once

namespace numora {

class TSharedImage {
 public:
  TSharedImage() = default;
  TSharedImage(const TSharedImage&) = delete;
  TSharedImage& operator=(const TSharedImage&) = delete;

  void Reference() { ++refCount_; }
  void Release() {
    if (--refCount_ == 0) delete this;
  }
  int RefCount() const { return refCount_; }

 protected:
  // Frees the platform handles the content holds, too.
  virtual ~TSharedImage() = default;

 private:
  int refCount_ = 0;
};

}  // namespace numora
