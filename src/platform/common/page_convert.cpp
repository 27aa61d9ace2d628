#include "platform/common/page_convert.hpp"

#include <cstddef>
#include <cstring>

namespace platform {

PaletteLut BuildPaletteLut(const Palette& palette) {
  PaletteLut lut{};
  for (size_t i = 0; i < lut.size(); ++i) {
    const Color c = palette[i];
    lut[i] = 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | uint32_t{c.b};
  }
  return lut;
}

void ConvertPage(std::span<const uint8_t> page, const PaletteLut& lut, void* pixels, int pitch) {
  auto* rows = static_cast<uint8_t*>(pixels);
  for (int y = 0; y < kPageHeight; ++y) {
    const uint8_t* src = page.data() + static_cast<size_t>(y) * kPageWidth;
    uint8_t* dst = rows + static_cast<ptrdiff_t>(y) * pitch;
    // Four pixels per step, one 16-byte store: the loop the compiler vectorises.
    for (int x = 0; x < kPageWidth; x += 4) {
      const uint32_t quad[4] = {lut[src[x]], lut[src[x + 1]], lut[src[x + 2]], lut[src[x + 3]]};
      std::memcpy(dst + 4 * x, quad, sizeof quad);
    }
  }
}

}  // namespace platform
