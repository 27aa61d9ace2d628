#include "platform/common/bitmap.hpp"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "platform/common/bmp_header.hpp"

namespace platform {
namespace {

// Every header after the old OS/2 one holds the sides and the depth in its first 16 bytes.
constexpr uint32_t kInfoSidesAndBits = 16;

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

}  // namespace

bool DecodeIndexedBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) {
  out = IndexedImage{};
  if (file.size() > static_cast<size_t>(INT_MAX)) {
    error = "BMP file too large";
    return false;
  }
  BmpHeader header;
  if (!ReadBmpHeader(file, kInfoSidesAndBits, header, error)) return false;

  SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (rw == nullptr) {
    error = SDL_GetError();
    return false;
  }
  const std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(SDL_LoadBMP_RW(rw, 1));
  if (!surface) {
    error = std::string("bad BMP: ") + SDL_GetError();
    return false;
  }
  const SDL_PixelFormat* format = surface->format;
  if (format->format != SDL_PIXELFORMAT_INDEX8 || format->palette == nullptr) {
    error = "not an 8-bit BMP";
    return false;
  }

  IndexedImage image;
  image.width = surface->w;
  image.height = surface->h;
  image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  const auto* rows = static_cast<const uint8_t*>(surface->pixels);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = rows + static_cast<ptrdiff_t>(y) * surface->pitch;
    std::copy(row, row + image.width, image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width);
  }
  const SDL_Palette& palette = *format->palette;
  for (int i = 0; i < palette.ncolors && i < 256; ++i) {
    const SDL_Color& c = palette.colors[i];
    image.palette[static_cast<size_t>(i)] = Color{c.r, c.g, c.b};
  }
  out = std::move(image);
  return true;
}

}  // namespace platform
