#include "platform/common/bitmap.hpp"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

namespace platform {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;    // the old OS/2 header, with 16-bit sides
constexpr uint32_t kInfoSidesAndBits = 16;  // every later header holds sides and depth here

uint32_t ReadU16(std::span<const uint8_t> b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }

uint32_t ReadU32(std::span<const uint8_t> b, size_t at) { return ReadU16(b, at) | ReadU16(b, at + 2) << 16; }

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// The header alone decides whether SDL may allocate the pixels.
bool CheckHeader(std::span<const uint8_t> file, std::string& error) {
  if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
    error = "not a BMP file";
    return false;
  }
  const uint32_t infoSize = ReadU32(file, kFileHeaderSize);
  if (infoSize < kInfoSidesAndBits || file.size() < kFileHeaderSize + infoSize) {
    error = infoSize == kCoreHeaderSize ? "unsupported BMP header (OS/2 1.x)" : "truncated BMP header";
    return false;
  }
  const int64_t width = static_cast<int32_t>(ReadU32(file, 18));
  int64_t height = static_cast<int32_t>(ReadU32(file, 22));
  const uint32_t bits = ReadU16(file, 28);
  height = std::llabs(height);  // negative: rows stored top to bottom
  if (bits != 8) {
    error = "not an 8-bit BMP (" + std::to_string(bits) + " bits per pixel)";
    return false;
  }
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
    error = "BMP size " + std::to_string(width) + " x " + std::to_string(height) + " out of range (1.." +
            std::to_string(kMaxBitmapSide) + ")";
    return false;
  }
  return true;
}

}  // namespace

bool DecodeIndexedBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) {
  out = IndexedImage{};
  if (file.size() > static_cast<size_t>(INT_MAX)) {
    error = "BMP file too large";
    return false;
  }
  if (!CheckHeader(file, error)) return false;

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
