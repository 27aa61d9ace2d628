// The fields of an 8-bit BMP's headers that decide whether its pixels may be
// allocated at all, checked before anything is (a lying header must not ask
// for gigabytes). Shared by the SDL decoder and the browser's own reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform {

inline constexpr int kMaxBitmapSide = 4096;
inline constexpr size_t kBmpFileHeaderSize = 14;

inline uint32_t BmpU16(std::span<const uint8_t> b, size_t at) { return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8; }
inline uint32_t BmpU32(std::span<const uint8_t> b, size_t at) { return BmpU16(b, at) | BmpU16(b, at + 2) << 16; }

struct BmpHeader {
  uint32_t infoSize = 0;
  int64_t width = 0;
  int64_t signedHeight = 0;  // negative: rows stored top to bottom
  int64_t height = 0;
};

// The "BM" mark, an info header of at least `minInfoSize` bytes inside the
// file, 8 bits a pixel and sides of 1 to kMaxBitmapSide; false with the reason.
bool ReadBmpHeader(std::span<const uint8_t> file, uint32_t minInfoSize, BmpHeader& out, std::string& error);

}  // namespace platform
