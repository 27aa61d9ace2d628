// The 8-bit page through its palette into 32-bit ARGB pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/platform.hpp"

namespace platform {

// 0xAARRGGBB, opaque.
inline constexpr uint32_t Argb(Color c) {
  return 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | uint32_t{c.b};
}

// Looks up two pixels per table read (a 64K-entry table of pixel pairs, made
// again only when the palette changes): the table reads, not the page's, are
// what limits a conversion loop.
class PageConverter {
 public:
  // `pixels` holds kPageHeight rows of `pitch` bytes; `page` at least one page.
  void Convert(std::span<const uint8_t> page, const Palette& palette, void* pixels, int pitch);

 private:
  void Build(const Palette& palette);

  Palette m_palette{};
  std::vector<uint64_t> m_pairs;  // [first | second << 8]: first's word low, second's high
};

}  // namespace platform
