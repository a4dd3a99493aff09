// A test fixture that fails the test when it leaks a palette handle or deletes one twice.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/Palette.h"

namespace numora {

class PaletteLeakCheck : public ::testing::Test {
 protected:
  void SetUp() override { before_ = PaletteHandleStats(); }
  void TearDown() override {
    EXPECT_EQ(PaletteHandleStats().live, before_.live) << "palette handles leaked";
    EXPECT_EQ(PaletteHandleStats().badDeletes, before_.badDeletes) << "handles deleted twice";
  }
  TPaletteHandleStats before_;
};

inline HPALETTE MakePalette(std::initializer_list<PALETTEENTRY> entries) {
  TLogPalette log;
  log.palNumEntries = static_cast<std::uint16_t>(entries.size());
  std::copy(entries.begin(), entries.end(), log.palPalEntry);
  return CreatePalette(log);
}

}  // namespace numora
