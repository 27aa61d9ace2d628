#include "sheetgen/palette.hpp"

#include <cstddef>

namespace sheetgen {
namespace {

// Each ramp runs dark -> mid over shades 0..8 and mid -> light over 8..15.
struct RampAnchors {
  Rgb dark, mid, light;
};

constexpr std::array<RampAnchors, 16> kRamps = {{
    {{0, 0, 0}, {118, 118, 126}, {255, 255, 255}},        // grey
    {{12, 16, 30}, {88, 106, 146}, {232, 240, 255}},      // steel
    {{8, 12, 52}, {44, 92, 224}, {206, 232, 255}},        // blue
    {{4, 30, 42}, {28, 168, 200}, {214, 255, 255}},       // cyan
    {{8, 30, 14}, {56, 150, 62}, {206, 255, 176}},        // green
    {{8, 24, 14}, {44, 96, 44}, {164, 202, 100}},         // forest
    {{62, 44, 22}, {198, 168, 100}, {255, 246, 210}},     // sand
    {{52, 18, 4}, {232, 122, 28}, {255, 234, 164}},       // orange
    {{42, 6, 12}, {204, 32, 42}, {255, 204, 192}},        // red
    {{24, 8, 42}, {132, 62, 194}, {242, 204, 255}},       // purple
    {{30, 18, 10}, {124, 82, 46}, {226, 186, 134}},       // brown
    {{32, 52, 84}, {142, 192, 222}, {248, 252, 255}},     // ice
    {{4, 14, 42}, {22, 74, 146}, {146, 214, 242}},        // water
    {{26, 24, 22}, {112, 102, 92}, {224, 214, 198}},      // rock
    {{42, 4, 32}, {222, 42, 162}, {255, 214, 242}},       // magenta
    {{46, 4, 2}, {236, 96, 12}, {255, 255, 214}},         // fire
}};

uint8_t Mix(uint8_t a, uint8_t b, int num, int den) {
  return static_cast<uint8_t>(a + ((b - a) * num + (b >= a ? den / 2 : -den / 2)) / den);
}

Rgb Lerp(Rgb a, Rgb b, int num, int den) {
  return {Mix(a.r, b.r, num, den), Mix(a.g, b.g, num, den), Mix(a.b, b.b, num, den)};
}

}  // namespace

std::array<Rgb, 256> MakePalette() {
  std::array<Rgb, 256> pal{};
  for (int r = 0; r < 16; ++r) {
    const RampAnchors& a = kRamps[static_cast<size_t>(r)];
    for (int s = 0; s < 16; ++s) {
      pal[C(r, s)] = s <= 8 ? Lerp(a.dark, a.mid, s, 8) : Lerp(a.mid, a.light, s - 8, 7);
    }
  }
  return pal;
}

}  // namespace sheetgen
