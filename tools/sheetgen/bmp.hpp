// Uncompressed 8-bit Windows bitmaps.
#pragma once

#include <array>
#include <string>

#include "sheetgen/canvas.hpp"
#include "sheetgen/palette.hpp"

namespace sheetgen {

// BITMAPINFOHEADER, 256-entry palette, bottom-up rows padded to 4 bytes.
// False (and a message on standard error) when the file cannot be written.
bool WriteBmp8(const std::string& path, const Canvas& canvas, const std::array<Rgb, 256>& palette);

}  // namespace sheetgen
