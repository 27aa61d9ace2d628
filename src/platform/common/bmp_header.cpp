#include "platform/common/bmp_header.hpp"

#include <cstdlib>

namespace platform {

bool ReadBmpHeader(std::span<const uint8_t> file, uint32_t minInfoSize, BmpHeader& out, std::string& error) {
  if (file.size() < kBmpFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
    error = "not a BMP file";
    return false;
  }
  out.infoSize = BmpU32(file, kBmpFileHeaderSize);
  if (out.infoSize < minInfoSize) {
    error = "unsupported BMP header of " + std::to_string(out.infoSize) + " bytes";
    return false;
  }
  // A 64-bit sum: no size read from the file can wrap it.
  if (file.size() < kBmpFileHeaderSize + uint64_t{out.infoSize}) {
    error = "truncated BMP header";
    return false;
  }
  out.width = static_cast<int32_t>(BmpU32(file, 18));
  out.signedHeight = static_cast<int32_t>(BmpU32(file, 22));
  out.height = std::llabs(out.signedHeight);
  const uint32_t bits = BmpU16(file, 28);
  if (bits != 8) {
    error = "not an 8-bit BMP (" + std::to_string(bits) + " bits per pixel)";
    return false;
  }
  if (out.width < 1 || out.height < 1 || out.width > kMaxBitmapSide || out.height > kMaxBitmapSide) {
    error = "BMP size " + std::to_string(out.width) + " x " + std::to_string(out.height) + " out of range (1.." +
            std::to_string(kMaxBitmapSide) + ")";
    return false;
  }
  return true;
}

}  // namespace platform
