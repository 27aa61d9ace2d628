// Decodes an uncompressed 8-bit BMP without any library, the same on every
// backend (the browser has no SDL). Every field is checked against the file's
// end and the sides are capped before anything is allocated: a lying header
// must not ask for gigabytes.
#pragma once

#include <span>
#include <string>

#include "platform/platform.hpp"

namespace platform {

inline constexpr int kMaxBitmapSide = 4096;

// On failure `out` is left empty and `error` says why.
bool ReadIndexedBmp(std::span<const uint8_t> file, IndexedImage& out, std::string& error);

}  // namespace platform
