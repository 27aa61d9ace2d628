#include "platform/common/bmp_reader.hpp"

#include <algorithm>
#include <utility>

#include "platform/common/bmp_header.hpp"

namespace platform {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;  // the smallest header that has every field read here
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kMaxColors = 256;
constexpr size_t kPaletteEntrySize = 4;  // blue, green, red, reserved

bool Fail(std::string& error, std::string reason) {
  error = std::move(reason);
  return false;
}

}  // namespace

bool ReadIndexedBmp(std::span<const uint8_t> file, IndexedImage& out, std::string& error) {
  out = IndexedImage{};
  BmpHeader header;
  if (!ReadBmpHeader(file, kInfoHeaderSize, header, error)) return false;
  const uint32_t compression = BmpU32(file, 30);
  const uint32_t usedColors = BmpU32(file, 46);
  if (compression != kUncompressed) return Fail(error, "compressed BMP (method " + std::to_string(compression) + ")");
  if (usedColors > kMaxColors) return Fail(error, "BMP palette of " + std::to_string(usedColors) + " colours");
  const uint32_t colors = usedColors == 0 ? kMaxColors : usedColors;
  // 64-bit sums: no value read from the file can wrap them.
  const uint64_t paletteAt = kBmpFileHeaderSize + uint64_t{header.infoSize};
  if (file.size() < paletteAt + uint64_t{colors} * kPaletteEntrySize) return Fail(error, "truncated BMP palette");

  const int64_t width = header.width, height = header.height;
  const uint64_t pixelsAt = BmpU32(file, 10);
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
    const int64_t fileRow = header.signedHeight < 0 ? y : height - 1 - y;
    const auto* row = file.data() + pixelsAt + static_cast<uint64_t>(fileRow) * stride;
    std::copy(row, row + rowWidth, image.pixels.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y) * rowWidth));
  }
  out = std::move(image);
  return true;
}

}  // namespace platform
