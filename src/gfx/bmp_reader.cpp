#include "gfx/bmp_reader.hpp"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;  // the smallest header that has every field read here
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kMaxColors = 256;
constexpr size_t kPaletteEntrySize = 4;  // blue, green, red, reserved

uint32_t U16(std::span<const uint8_t> b, size_t at) { return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8; }
uint32_t U32(std::span<const uint8_t> b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

bool Fail(std::string& error, std::string reason) {
  error = std::move(reason);
  return false;
}

}  // namespace

bool ReadIndexedBmp(std::span<const uint8_t> file, IndexedImage& out, std::string& error) {
  out = IndexedImage{};
  if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return Fail(error, "not a BMP file");
  const uint32_t infoSize = U32(file, kFileHeaderSize);
  if (infoSize < kInfoHeaderSize) return Fail(error, "unsupported BMP header of " + std::to_string(infoSize) + " bytes");
  // 64-bit sums: no value read from the file can wrap them.
  const uint64_t paletteAt = kFileHeaderSize + uint64_t{infoSize};
  if (file.size() < paletteAt) return Fail(error, "truncated BMP header");

  // Every field from here on lies inside the info header just checked.
  const int64_t width = static_cast<int32_t>(U32(file, 18));
  const int64_t signedHeight = static_cast<int32_t>(U32(file, 22));  // negative: rows stored top to bottom
  const int64_t height = std::llabs(signedHeight);
  const uint32_t bits = U16(file, 28);
  const uint32_t compression = U32(file, 30);
  const uint32_t usedColors = U32(file, 46);
  if (bits != 8) return Fail(error, "not an 8-bit BMP (" + std::to_string(bits) + " bits per pixel)");
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
    return Fail(error, "BMP size " + std::to_string(width) + " x " + std::to_string(height) + " out of range (1.." +
                           std::to_string(kMaxBitmapSide) + ")");
  }
  if (compression != kUncompressed) return Fail(error, "compressed BMP (method " + std::to_string(compression) + ")");
  if (usedColors > kMaxColors) return Fail(error, "BMP palette of " + std::to_string(usedColors) + " colours");
  const uint32_t colors = usedColors == 0 ? kMaxColors : usedColors;
  if (file.size() < paletteAt + uint64_t{colors} * kPaletteEntrySize) return Fail(error, "truncated BMP palette");

  const uint64_t pixelsAt = U32(file, 10);
  const uint64_t stride = (static_cast<uint64_t>(width) + 3) / 4 * 4;
  if (file.size() < pixelsAt + stride * static_cast<uint64_t>(height)) return Fail(error, "truncated BMP pixels");

  IndexedImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  for (uint32_t i = 0; i < colors; ++i) {
    const size_t at = static_cast<size_t>(paletteAt) + i * kPaletteEntrySize;
    image.palette[i] = Color{file[at + 2], file[at + 1], file[at]};
  }
  const auto rowWidth = static_cast<size_t>(width);
  image.pixels.resize(rowWidth * static_cast<size_t>(height));
  for (int64_t y = 0; y < height; ++y) {
    const int64_t fileRow = signedHeight < 0 ? y : height - 1 - y;
    const auto* row = file.data() + pixelsAt + static_cast<uint64_t>(fileRow) * stride;
    std::copy(row, row + rowWidth, image.pixels.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y) * rowWidth));
  }
  out = std::move(image);
  return true;
}
