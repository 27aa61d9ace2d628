// The one BMP reader every backend loads the sheet and the icon with.
#include "platform/common/bmp_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"

namespace {

using platform::IndexedImage;
using platform::ReadIndexedBmp;
using testing_support::MakeBmp;

// Pixel (x, y) is (x + 3y) mod 4: no row repeats its neighbour.
std::vector<uint8_t> Pixels(int32_t width, int32_t height) {
  std::vector<uint8_t> pixels;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) pixels.push_back(static_cast<uint8_t>((x + 3 * y) % 4));
  }
  return pixels;
}

TEST(BmpReader, ReadsRowsAndPaletteInEitherRowOrderAndAnyPadding) {
  struct Layout {
    int32_t width, height;
    bool topDown;
    uint32_t colors;  // 0: all 256
  };
  for (const Layout& l : {Layout{3, 2, false, 4}, Layout{3, 2, true, 4}, Layout{1, 1, false, 4},
                          Layout{5, 3, false, 0}, Layout{8, 4, true, 16}, Layout{6, 1, false, 256}}) {
    SCOPED_TRACE(std::to_string(l.width) + "x" + std::to_string(l.height) + (l.topDown ? " top-down" : ""));
    const std::vector<uint8_t> pixels = Pixels(l.width, l.height);
    IndexedImage image;
    std::string error;
    ASSERT_TRUE(ReadIndexedBmp(MakeBmp(l.width, l.height, pixels, l.topDown, l.colors), image, error)) << error;
    EXPECT_EQ(image.width, l.width);
    EXPECT_EQ(image.height, l.height);
    EXPECT_EQ(image.pixels, pixels);
    for (uint32_t i = 0; i < 256; ++i) {
      const uint32_t k = l.colors == 0 || i < l.colors ? i : 0;  // black past the file's palette
      const platform::Color c = image.palette[i];
      EXPECT_TRUE(c.r == uint8_t(10 * k) && c.g == uint8_t(20 * k) && c.b == uint8_t(30 * k)) << "colour " << i;
    }
  }
}

TEST(BmpReader, EveryTruncationFailsCleanly) {
  const std::vector<uint8_t> whole = MakeBmp(5, 3, Pixels(5, 3));  // 3 bytes of padding a row
  for (size_t size = 0; size < whole.size(); ++size) {
    // Its own allocation, so that ASan sees any read past its end.
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
    IndexedImage image;
    image.width = 99;
    std::string error;
    EXPECT_FALSE(ReadIndexedBmp(part, image, error)) << size << " bytes";
    EXPECT_FALSE(error.empty()) << size << " bytes";
    EXPECT_TRUE(image.width == 0 && image.pixels.empty()) << size << " bytes";
  }
}

// One field of a good file made false: the reason must be that field's rule,
// not whatever a later read happened to trip over.
TEST(BmpReader, RefusesFilesItCannotShowWithTheReason) {
  struct Case {
    size_t at;  // the 32-bit field overwritten
    uint32_t value;
    const char* says;
  };
  const char* range = "out of range";  // sides of 1 to 4096, the height of either sign
  const Case cases[] = {
      {0, 0x4142, "not a BMP"},    {14, 12, "unsupported BMP header"}, {14, 0xFFFFFFFF, "truncated BMP header"},
      {28, 4, "8-bit"},            {28, 24, "8-bit"},                  {30, 1, "compressed"},
      {46, 257, "palette of 257"}, {46, 200, "truncated BMP palette"}, {10, 0xFFFFFFF0, "truncated BMP pixels"},
      {18, 0, range},  {18, uint32_t(-3), range},    {18, 4097, range},    {18, 0x7FFFFFFF, range},
      {22, 0, range},  {22, uint32_t(-4097), range}, {22, 4097, range},    {22, 1u << 31, range},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = MakeBmp(3, 2, Pixels(3, 2));
    testing_support::Put32(file, c.at, c.value);
    IndexedImage image;
    std::string error;
    EXPECT_FALSE(ReadIndexedBmp(file, image, error)) << c.at << " = " << c.value;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.at << " = " << c.value << ": " << error;
  }
}

TEST(BmpReader, CorruptBytesNeverCrash) {
  const std::vector<uint8_t> good = MakeBmp(5, 3, Pixels(5, 3), false, 16);
  uint32_t seed = 12345;  // a fixed sequence: the same mutations every run
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = good;
    for (int n = 0; n < 3; ++n) {
      seed = seed * 1103515245u + 12345u;
      file[(seed >> 8) % file.size()] = static_cast<uint8_t>(seed >> 24);
    }
    IndexedImage image;
    std::string error;
    if (ReadIndexedBmp(file, image, error)) {
      EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

}  // namespace
