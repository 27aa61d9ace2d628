// The colours of the 8-bit pages: every page is shown through a palette.
#pragma once

#include <array>
#include <cstdint>

struct Color {
  uint8_t r = 0, g = 0, b = 0;
};
using Palette = std::array<Color, 256>;
