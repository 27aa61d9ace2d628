#include <algorithm>
#include <cstring>

#include "gfx/surface.hpp"

namespace {

bool InsideAndNotEmpty(const RECT& r, const Surface& s) {
  return r.left < r.right && r.top < r.bottom && r.left >= 0 && r.top >= 0 && r.right <= s.width &&
         r.bottom <= s.height;
}

// Source column for each destination column: left + dx * srcW / dstW.
// 64-bit products: rectangles are bounded by the surfaces, but the stride math
// must not overflow whatever the sizes.
template <bool Keyed>
int Blit(Surface& dst, const Surface& src, RECT d, RECT s) {
  if (!dst.Exists() || !src.Exists() || !InsideAndNotEmpty(d, dst) || !InsideAndNotEmpty(s, src)) {
    return 0;
  }
  const int32_t dw = d.right - d.left, dh = d.bottom - d.top;
  const int32_t sw = s.right - s.left, sh = s.bottom - s.top;
  const bool unscaled = dw == sw && dh == sh;
  thread_local std::vector<int32_t> column;  // reused: no allocation per blit once warm
  if (!unscaled) {
    column.resize(static_cast<size_t>(dw));
    for (int32_t dx = 0; dx < dw; ++dx) {
      column[static_cast<size_t>(dx)] = s.left + static_cast<int32_t>(int64_t{dx} * sw / dw);
    }
  }
  // Copying within one surface (the scroll ring) needs memmove semantics.
  for (int32_t dy = 0; dy < dh; ++dy) {
    const int32_t sy = s.top + static_cast<int32_t>(int64_t{dy} * sh / dh);
    const uint8_t* in = src.Row(sy);
    uint8_t* out = dst.Row(d.top + dy) + d.left;
    if (unscaled) {
      in += s.left;
      if constexpr (Keyed) {
        for (int32_t x = 0; x < dw; ++x) {
          const uint8_t p = in[x];
          out[x] = p ? p : out[x];
        }
      } else {
        std::memmove(out, in, static_cast<size_t>(dw));
      }
    } else {
      for (int32_t x = 0; x < dw; ++x) {
        const uint8_t p = in[column[static_cast<size_t>(x)]];
        if constexpr (Keyed) {
          out[x] = p ? p : out[x];
        } else {
          out[x] = p;
        }
      }
    }
  }
  return 1;
}

}  // namespace

int ClearSurface(Surface& surface) {
  std::fill(surface.pixels.begin(), surface.pixels.end(), uint8_t{0});
  return surface.Exists() ? 1 : 0;
}

int BltKeyed(Surface& dst, const Surface& src, RECT dstRect, RECT srcRect) {
  return Blit<true>(dst, src, dstRect, srcRect);
}

int BltOpaque(Surface& dst, const Surface& src, RECT dstRect, RECT srcRect) {
  return Blit<false>(dst, src, dstRect, srcRect);
}
