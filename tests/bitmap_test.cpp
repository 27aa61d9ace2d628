#include "platform/common/bitmap.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using platform::IndexedImage;
using testing_support::MakeBmp;
using testing_support::Put16;
using testing_support::Put32;

const std::vector<uint8_t> kPixels = {0, 1, 2, 3, 3, 2};  // 3 x 2, top row first

TEST(Bitmap, DecodesRowsAndPaletteInEitherRowOrder) {
  for (const bool topDown : {false, true}) {
    IndexedImage image;
    std::string error;
    ASSERT_TRUE(platform::DecodeIndexedBitmap(MakeBmp(3, 2, 8, kPixels, topDown), image, error)) << error;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, kPixels);
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(image.palette[i].r, 10 * i);
      EXPECT_EQ(image.palette[i].g, 20 * i);
      EXPECT_EQ(image.palette[i].b, 30 * i);
    }
    EXPECT_EQ(image.palette[4].r + image.palette[255].b, 0);  // entries past the file's palette
  }
}

TEST(Bitmap, EveryTruncationFailsCleanly) {
  const std::vector<uint8_t> good = MakeBmp(3, 2, 8, kPixels);
  for (size_t size = 0; size < good.size(); ++size) {
    IndexedImage image;
    image.width = 99;
    std::string error;
    EXPECT_FALSE(platform::DecodeIndexedBitmap(std::span(good).first(size), image, error)) << size;
    EXPECT_FALSE(error.empty()) << size;
    EXPECT_EQ(image.width, 0) << size;
    EXPECT_TRUE(image.pixels.empty()) << size;
  }
}

// Sides beyond the limit are refused from the header alone: SDL would try to
// allocate them first (the file is tiny, so any allocation would be a fault).
TEST(Bitmap, RefusesBadHeadersBeforeDecoding) {
  struct Case {
    int32_t width, height;
    uint16_t bits;
    std::string says;
  };
  const Case cases[] = {
      {4097, 2, 8, "out of range"},       {2, 4097, 8, "out of range"},
      {2, -4097, 8, "out of range"},      {0x7FFFFFFF, 1, 8, "out of range"},
      {1, INT32_MIN + 1, 8, "out of range"}, {0, 2, 8, "out of range"},
      {-3, 2, 8, "out of range"},         {3, 2, 24, "8-bit"},
      {3, 2, 4, "8-bit"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = MakeBmp(3, 2, 8, kPixels);
    Put32(file, 18, static_cast<uint32_t>(c.width));
    Put32(file, 22, static_cast<uint32_t>(c.height));
    Put16(file, 28, c.bits);
    IndexedImage image;
    std::string error;
    EXPECT_FALSE(platform::DecodeIndexedBitmap(file, image, error)) << c.width << "x" << c.height;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
  std::vector<uint8_t> core = MakeBmp(3, 2, 8, kPixels);
  Put32(core, 14, 12);  // a header this program does not read
  IndexedImage coreImage;
  std::string coreError;
  EXPECT_FALSE(platform::DecodeIndexedBitmap(core, coreImage, coreError));
  EXPECT_NE(coreError.find("unsupported"), std::string::npos) << coreError;

  std::vector<uint8_t> notBmp = MakeBmp(3, 2, 8, kPixels);
  notBmp[0] = 'X';
  IndexedImage image;
  std::string error;
  EXPECT_FALSE(platform::DecodeIndexedBitmap(notBmp, image, error));
  EXPECT_NE(error.find("not a BMP"), std::string::npos);
}

TEST(Bitmap, CorruptBytesNeverCrash) {
  const std::vector<uint8_t> good = MakeBmp(5, 3, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, false, 16);
  uint32_t seed = 12345;  // a fixed sequence: the same mutations every run
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = good;
    for (int n = 0; n < 3; ++n) {
      seed = seed * 1103515245u + 12345u;
      file[(seed >> 8) % file.size()] = static_cast<uint8_t>(seed >> 24);
    }
    IndexedImage image;
    std::string error;
    if (platform::DecodeIndexedBitmap(file, image, error)) {
      EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

}  // namespace
