#include "platform/common/page_convert.hpp"

#include <cstddef>
#include <cstring>

namespace platform {
namespace {

bool SamePalette(const Palette& a, const Palette& b) {
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b) return false;
  }
  return true;
}

}  // namespace

void PageConverter::Build(const Palette& palette) {
  m_palette = palette;
  m_pairs.resize(256 * 256);
  for (size_t second = 0; second < 256; ++second) {
    const uint64_t high = uint64_t{Argb(palette[second])} << 32;
    for (size_t first = 0; first < 256; ++first) m_pairs[first | second << 8] = high | Argb(palette[first]);
  }
}

void PageConverter::Convert(std::span<const uint8_t> page, const Palette& palette, void* pixels, int pitch) {
  if (m_pairs.empty() || !SamePalette(palette, m_palette)) Build(palette);
  auto* rows = static_cast<uint8_t*>(pixels);
  for (int y = 0; y < kPageHeight; ++y) {
    const uint8_t* src = page.data() + static_cast<size_t>(y) * kPageWidth;
    uint8_t* dst = rows + static_cast<ptrdiff_t>(y) * pitch;
    for (int x = 0; x < kPageWidth; x += 8) {
      // Little-endian words: the first pixel of a pair is its low byte and its low word.
      uint64_t eight;
      std::memcpy(&eight, src + x, sizeof eight);
      const uint64_t out[4] = {m_pairs[eight & 0xFFFF], m_pairs[(eight >> 16) & 0xFFFF], m_pairs[(eight >> 32) & 0xFFFF],
                               m_pairs[eight >> 48]};
      std::memcpy(dst + 4 * x, out, sizeof out);
    }
  }
}

}  // namespace platform
