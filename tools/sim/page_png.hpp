// The simulator's screenshots: the only reason it links SDL and SDL_image.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "gfx/palette.hpp"

namespace sim {

// Writes an 8-bit page through its palette as a PNG; false with the reason.
bool WritePagePng(const std::string& path, std::span<const uint8_t> page, const Palette& palette,
                  std::string& error);

}  // namespace sim
