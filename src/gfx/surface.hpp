// Plain 8-bit pixel buffers and rectangles: the pages everything draws into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/sheet_geometry.hpp"

// The page every frame is drawn on and presented.
inline constexpr int32_t PAGE_WIDTH = 640;
inline constexpr int32_t PAGE_HEIGHT = 480;

struct Surface {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // zero-filled at creation

  static Surface Blank(int32_t w, int32_t h) {
    Surface s;
    s.Create(w, h);
    return s;
  }

  void Create(int32_t w, int32_t h) {
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  }
  bool Exists() const { return !pixels.empty(); }
  uint8_t* Row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
  const uint8_t* Row(int32_t y) const {
    return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
  }
};

// Fills the whole surface with pixel value 0 (black, transparent as a keyed source).
int ClearSurface(Surface& surface);

// Scaled blits. Like the hardware blitter they stand for, they draw nothing at
// all (result 0) when either rectangle is empty or not wholly inside its
// surface; 1 when drawn. Scaling is nearest neighbour.
int BltKeyed(Surface& dst, const Surface& src, RECT dstRect, RECT srcRect);  // source 0 is transparent
int BltOpaque(Surface& dst, const Surface& src, RECT dstRect, RECT srcRect);
