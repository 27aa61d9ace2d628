// The sheet's 256 colours: sixteen ramps of sixteen shades, dark to light.
#pragma once

#include <array>
#include <cstdint>

namespace sheetgen {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// Ramp numbers. Index 0 (shade 0 of R_GREY) is the sheet's only pure black,
// the transparent colour of every keyed blit.
enum Ramp : int {
  R_GREY, R_STEEL, R_BLUE, R_CYAN, R_GREEN, R_FOREST, R_SAND, R_ORANGE,
  R_RED, R_PURPLE, R_BROWN, R_ICE, R_WATER, R_ROCK, R_MAGENTA, R_FIRE,
};

inline constexpr uint8_t kTransparent = 0;

// Palette index of a shade (0..15, clamped) of a ramp.
constexpr uint8_t C(int ramp, int shade) {
  return static_cast<uint8_t>(ramp * 16 + (shade < 0 ? 0 : shade > 15 ? 15 : shade));
}

std::array<Rgb, 256> MakePalette();

}  // namespace sheetgen
