// Reference-counted content that several pictures hold at once. Reference adds a holder,
// Release removes one and destroys the object with the last holder. Create instances with new
// and hand them straight to a holder (TSharedRef does the bookkeeping).
#pragma once

#include <utility>

namespace numora {

class TSharedImage {
 public:
  TSharedImage() = default;
  TSharedImage(const TSharedImage&) = delete;
  TSharedImage& operator=(const TSharedImage&) = delete;

  void Reference() { ++refCount_; }
  void Release() {
    if (--refCount_ == 0) {
      FreeHandle();
      delete this;
    }
  }
  int RefCount() const { return refCount_; }

 protected:
  virtual ~TSharedImage() = default;
  // Frees platform handles the content holds, just before destruction.
  virtual void FreeHandle() {}

 private:
  int refCount_ = 0;
};

// Holds one reference to a TSharedImage subclass.
template <class T>
class TSharedRef {
 public:
  TSharedRef() = default;
  explicit TSharedRef(T* image) : image_(image) {
    if (image_) image_->Reference();
  }
  TSharedRef(const TSharedRef& other) : TSharedRef(other.image_) {}
  TSharedRef(TSharedRef&& other) noexcept : image_(std::exchange(other.image_, nullptr)) {}
  TSharedRef& operator=(TSharedRef other) noexcept {
    std::swap(image_, other.image_);
    return *this;
  }
  ~TSharedRef() {
    if (image_) image_->Release();
  }

  T* get() const { return image_; }
  T* operator->() const { return image_; }
  T& operator*() const { return *image_; }
  explicit operator bool() const { return image_ != nullptr; }
  bool Unique() const { return image_ && image_->RefCount() == 1; }

 private:
  T* image_ = nullptr;
};

}  // namespace numora
