#include <gtest/gtest.h>

#include "graphics/SharedImage.h"

namespace numora {
namespace {

class TCountedImage : public TSharedImage {
 public:
  explicit TCountedImage(int& alive, int& freed) : alive_(alive), freed_(freed) { ++alive_; }

 protected:
  ~TCountedImage() override { --alive_; }
  void FreeHandle() override { ++freed_; }

 private:
  int& alive_;
  int& freed_;
};

TEST(SharedImage, TheLastReleaseFreesHandlesAndDestroys) {
  int alive = 0, freed = 0;
  auto* image = new TCountedImage(alive, freed);
  image->Reference();
  image->Reference();
  EXPECT_EQ(image->RefCount(), 2);
  image->Release();
  EXPECT_EQ(alive, 1);
  EXPECT_EQ(freed, 0);
  image->Release();
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(freed, 1);
}

TEST(SharedImage, SharedRefsCountTheirCopies) {
  int alive = 0, freed = 0;
  {
    TSharedRef<TCountedImage> a(new TCountedImage(alive, freed));
    EXPECT_TRUE(a.Unique());
    TSharedRef<TCountedImage> b = a;
    EXPECT_FALSE(a.Unique());
    EXPECT_EQ(b.get(), a.get());
    TSharedRef<TCountedImage> c = std::move(b);
    EXPECT_FALSE(b);
    EXPECT_EQ(a->RefCount(), 2);
    a = TSharedRef<TCountedImage>();
    EXPECT_TRUE(c.Unique());
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(freed, 1);
}

}  // namespace
}  // namespace numora
