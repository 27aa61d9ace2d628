// Decodes an uncompressed 8-bit BMP without any library, the same on every
// backend (the browser has no SDL). Every field is checked against the file's
// end and the sides are capped before anything is allocated: a lying header
// must not ask for gigabytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx/palette.hpp"

inline constexpr int kMaxBitmapSide = 4096;

// An 8-bit picture with its palette.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height, rows top to bottom
  Palette palette{};
};

// On failure `out` is left empty and `error` says why.
bool ReadIndexedBmp(std::span<const uint8_t> file, IndexedImage& out, std::string& error);
