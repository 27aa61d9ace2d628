// The 8-bit page through its palette into 32-bit ARGB pixels.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/platform.hpp"

namespace platform {

using PaletteLut = std::array<uint32_t, 256>;

PaletteLut BuildPaletteLut(const Palette& palette);
// `pixels` holds kPageHeight rows of `pitch` bytes.
void ConvertPage(std::span<const uint8_t> page, const PaletteLut& lut, void* pixels, int pitch);

}  // namespace platform
