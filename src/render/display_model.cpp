#include "render/display_model.h"

#include <algorithm>
#include <array>

#include "guide/syntax.h"

namespace folioteer {
namespace {

constexpr std::array<uint32_t, 8> kWorkbenchPalette = {0xAAAAAA, 0x000000, 0xFFFFFF, 0x6688BB,
                                                       0xEE4444, 0x55DD55, 0x0044DD, 0xEE9900};

// The bitmap fonts of the Workbench disks and of common Amiga installs.
constexpr std::array<std::string_view, 13> kAmigaBitmapFonts = {
    "topaz", "courier",  "diamond", "emerald", "garnet",   "helvetica", "opal",
    "ruby",  "sapphire", "times",   "xen",     "xcourier", "xhelvetica"};

}  // namespace

int NextTabStop(const TabStops& tabs, int column) {
  auto next = std::upper_bound(tabs.stops.begin(), tabs.stops.end(), column);
  if (next != tabs.stops.end()) return *next;
  int base = tabs.stops.empty() ? 0 : tabs.stops.back();
  int every = std::max(tabs.every, 1);
  return base + ((column - base) / every + 1) * every;
}

FontRequest MapAmigaFont(std::string_view name, int size) {
  FontRequest font;
  font.name = name;
  std::string_view family = name;
  if (family.size() > 5 && EqualsIgnoreCase(family.substr(family.size() - 5), ".font"))
    family.remove_suffix(5);
  font.family = family;
  font.pixelHeight = std::clamp(size, 0, 255);
  for (std::string_view bitmap : kAmigaBitmapFonts)
    if (EqualsIgnoreCase(family, bitmap)) font.hint = FontHint::Monospace;
  return font;
}

uint32_t PenColor(uint8_t pen) { return kWorkbenchPalette[pen % kWorkbenchPalette.size()]; }

}  // namespace folioteer
