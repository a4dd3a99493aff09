#include "graphics/Palette.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace numora {

namespace {

// The handle table. Handles start high and only grow, so small integers, stale handles and
// repeated deletes are never mistaken for live palettes.
struct TPaletteTable {
  std::mutex lock;
  std::unordered_map<HPALETTE, std::vector<PALETTEENTRY>> palettes;
  HPALETTE next = 0x10000;
  TPaletteHandleStats stats;

  HPALETTE Add(std::vector<PALETTEENTRY> entries) {
    std::lock_guard guard(lock);
    HPALETTE handle = next++;
    palettes.emplace(handle, std::move(entries));
    ++stats.created;
    ++stats.live;
    return handle;
  }
};

TPaletteTable& Table() {
  static TPaletteTable table;
  return table;
}

std::vector<PALETTEENTRY> HalftoneEntries() {
  static const std::uint8_t kVga[16][3] = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<PALETTEENTRY> entries;
  entries.reserve(kMaxPaletteEntries);
  for (const auto& c : kVga) entries.push_back({c[0], c[1], c[2], 0});
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        entries.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                           static_cast<std::uint8_t>(b * 51), 0});
  // Grays between the cube's levels, so gradients of gray stay smooth.
  for (int i = 0; entries.size() < kMaxPaletteEntries; ++i) {
    auto v = static_cast<std::uint8_t>(8 + i * 10);
    entries.push_back({v, v, v, 0});
  }
  return entries;
}

}  // namespace

HPALETTE CreatePalette(const TLogPalette& logPalette) {
  if (logPalette.palVersion != kLogPaletteVersion ||
      logPalette.palNumEntries > kMaxPaletteEntries) {
    return 0;
  }
  return Table().Add(std::vector<PALETTEENTRY>(logPalette.palPalEntry,
                                               logPalette.palPalEntry + logPalette.palNumEntries));
}

HPALETTE CreateHalftonePalette(HDC) { return Table().Add(HalftoneEntries()); }

unsigned GetPaletteEntries(HPALETTE palette, unsigned start, unsigned count,
                           PALETTEENTRY* entries) {
  TPaletteTable& table = Table();
  std::lock_guard guard(table.lock);
  auto it = table.palettes.find(palette);
  if (it == table.palettes.end()) return 0;
  const auto& all = it->second;
  if (!entries) return static_cast<unsigned>(all.size());
  if (start >= all.size()) return 0;
  unsigned n = std::min<unsigned>(count, static_cast<unsigned>(all.size()) - start);
  std::copy_n(all.begin() + start, n, entries);
  return n;
}

HPALETTE CopyPalette(HPALETTE palette) {
  TPaletteTable& table = Table();
  std::vector<PALETTEENTRY> entries;
  {
    std::lock_guard guard(table.lock);
    auto it = table.palettes.find(palette);
    if (it == table.palettes.end()) return 0;
    entries = it->second;
  }
  return table.Add(std::move(entries));
}

bool DeleteObject(HPALETTE palette) {
  if (palette == 0) return false;
  TPaletteTable& table = Table();
  std::lock_guard guard(table.lock);
  if (table.palettes.erase(palette) == 0) {
    ++table.stats.badDeletes;
    return false;
  }
  --table.stats.live;
  return true;
}

TPaletteHandleStats PaletteHandleStats() {
  TPaletteTable& table = Table();
  std::lock_guard guard(table.lock);
  return table.stats;
}

}  // namespace numora
