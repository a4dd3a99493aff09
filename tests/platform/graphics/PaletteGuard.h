// A test fixture that fails the test when it leaks a palette handle or deletes one twice.
#pragma once

#include <gtest/gtest.h>

#include "graphics/Palette.h"

namespace numora {

class PaletteLeakCheck : public ::testing::Test {
 protected:
  void SetUp() override { before_ = PaletteHandleStats(); }
  void TearDown() override {
    TPaletteHandleStats after = PaletteHandleStats();
    EXPECT_EQ(after.live, before_.live) << "palette handles leaked";
    EXPECT_EQ(after.badDeletes, before_.badDeletes) << "palette handles deleted twice";
  }
  TPaletteHandleStats before_;
};

inline HPALETTE MakePalette(std::initializer_list<PALETTEENTRY> entries) {
  TLogPalette log;
  log.palNumEntries = static_cast<std::uint16_t>(entries.size());
  int i = 0;
  for (const PALETTEENTRY& e : entries) log.palPalEntry[i++] = e;
  return CreatePalette(log);
}

}  // namespace numora
