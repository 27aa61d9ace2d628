// The sheet's and the icon's load path over any file: a reason, or an image
// whose sides are in range and whose pixels fill it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_check.hpp"
#include "gfx/bmp_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IndexedImage image;
  std::string error;
  if (!ReadIndexedBmp(std::span<const uint8_t>(data, size), image, error)) {
    FUZZ_CHECK(!error.empty() && image.width == 0 && image.height == 0 && image.pixels.empty());
    return 0;
  }
  FUZZ_CHECK(image.width >= 1 && image.width <= kMaxBitmapSide);
  FUZZ_CHECK(image.height >= 1 && image.height <= kMaxBitmapSide);
  FUZZ_CHECK(image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  return 0;
}
