#include "sim/page_png.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <cstddef>

#include "gfx/surface.hpp"

namespace sim {

bool WritePagePng(const std::string& path, std::span<const uint8_t> page, const Palette& palette,
                  std::string& error) {
  constexpr int kPageHeight = PAGE_HEIGHT;
  constexpr int kPageWidth = PAGE_WIDTH;
  if (page.size() != static_cast<size_t>(kPageWidth) * kPageHeight) {
    error = "no page to write";
    return false;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kPageWidth, kPageHeight, 24, SDL_PIXELFORMAT_RGB24);
  if (surface == nullptr) {
    error = SDL_GetError();
    return false;
  }
  for (int y = 0; y < kPageHeight; ++y) {
    auto* row = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
    for (int x = 0; x < kPageWidth; ++x) {
      const Color c = palette[page[static_cast<size_t>(y) * kPageWidth + static_cast<size_t>(x)]];
      row[3 * x] = c.r;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.b;
    }
  }
  const bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
  if (!ok) error = SDL_GetError();
  SDL_FreeSurface(surface);
  return ok;
}

}  // namespace sim
