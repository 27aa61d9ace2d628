// Decodes an 8-bit BMP through SDL, with the header checked before SDL
// allocates anything (a lying header must not ask for gigabytes).
#pragma once

#include <span>
#include <string>

#include "platform/common/bmp_header.hpp"
#include "platform/platform.hpp"

namespace platform {

// On failure `out` is left empty and `error` says why.
bool DecodeIndexedBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error);

}  // namespace platform
