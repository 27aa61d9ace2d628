// Decodes an uncompressed 8-bit BMP without any library, the same on every
// backend (the browser has no SDL). Every offset and length is checked
// against the file's end.
#pragma once

#include <span>
#include <string>

#include "platform/platform.hpp"

namespace platform {

// On failure `out` is left empty and `error` says why.
bool ReadIndexedBmp(std::span<const uint8_t> file, IndexedImage& out, std::string& error);

}  // namespace platform
