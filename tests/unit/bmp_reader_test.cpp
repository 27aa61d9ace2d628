// The one BMP reader every backend loads the sheet and the icon with, and
// the committed sheet and icon: the properties the game relies on.
#include "gfx/bmp_reader.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "data/sheet_geometry.hpp"
#include "test_support.hpp"

namespace {

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
    std::vector<uint8_t> file = MakeBmp(l.width, l.height, pixels, l.topDown, l.colors);
    testing_support::Put32(file, 54, 0xFFFFFF);  // colour 0 white: not what an unread entry holds
    IndexedImage image;
    std::string error;
    ASSERT_TRUE(ReadIndexedBmp(file, image, error)) << error;
    EXPECT_EQ(std::tuple(image.width, image.height, image.pixels), std::tuple(l.width, l.height, pixels));
    for (uint32_t i = 0; i < 256; ++i) {
      const uint32_t k = l.colors == 0 || i < l.colors ? i : 0;  // black past the file's palette
      const auto want = i == 0 ? std::tuple(255u, 255u, 255u) : std::tuple(10 * k % 256, 20 * k % 256, 30 * k % 256);
      const Color c = image.palette[i];
      EXPECT_EQ(std::tuple(unsigned{c.r}, unsigned{c.g}, unsigned{c.b}), want) << "colour " << i;
    }
  }
}

// Every truncation is refused, says why and leaves no half-read image behind
// (fuzz_bitmap checks the same of bytes overwritten); one field of a good file
// made false is refused for that field's rule, not whatever a later read
// happened to trip over.
TEST(BmpReader, TruncatedOrFalseFilesAreRefusedWithTheReason) {
  const std::vector<uint8_t> good = MakeBmp(5, 3, Pixels(5, 3), false, 16);  // 3 bytes of padding a row
  for (size_t size = 0; size < good.size(); ++size) {
    // Its own allocation, so that ASan sees any read past its end.
    const std::vector<uint8_t> file(good.begin(), good.begin() + static_cast<ptrdiff_t>(size));
    IndexedImage image;
    image.width = 99;
    std::string error;
    EXPECT_FALSE(ReadIndexedBmp(file, image, error)) << "a file cut off after " << size << " bytes was read";
    EXPECT_TRUE(!error.empty() && image.width == 0 && image.pixels.empty()) << size;
  }
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

IndexedImage LoadAsset(const char* name, int width, int height) {
  IndexedImage image;
  std::string error;
  EXPECT_TRUE(ReadIndexedBmp(testing_support::ReadAsset(name), image, error)) << name << ": " << error;
  EXPECT_TRUE(image.width == width && image.height == height) << name;
  return image;
}

struct Sheet {
  explicit Sheet(const char* name = "sheet.bmp") : image(LoadAsset(name, SHEET_WIDTH, SHEET_HEIGHT)) {}
  IndexedImage image;
  uint8_t At(int x, int y) const { return image.pixels[static_cast<size_t>(y * image.width + x)]; }
  int Painted(const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) != 0;
    return n;
  }
};

bool IsBlack(const Color& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// Every cell the game's code draws, whatever the stage.
std::vector<std::pair<std::string, RECT>> CodeCells() {
  std::vector<std::pair<std::string, RECT>> cells = {
      {"ship", RC_SHIP},
      {"bomb icon", RC_BOMB_ICON},
      {"bullet", RC_BULLET},
      {"spread bullet", RC_SPREAD_BULLET},
      {"player shot", RC_PLAYER_SHOT},
      {"big minus", RC_BIG_MINUS},
      {"small minus", RC_SMALL_MINUS},
  };
  for (int d = 0; d < 10; ++d) cells.push_back({"digit " + std::to_string(d), g_rcDigit[static_cast<size_t>(d)]});
  for (int k = 0; k < 8; ++k) cells.push_back({"explosion " + std::to_string(k), g_rcExplosion[static_cast<size_t>(k)]});
  for (int i = 0; i < 26; ++i) cells.push_back({std::string("big ") + char('A' + i), BigGlyphRect(i)});
  for (char c : std::string("+-/?0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
    cells.push_back({std::string("small ") + c, CharCellRect(c)});
  // The gauge is drawn 4 pixels per energy point: each step from the left must show.
  for (int e = 1; e <= 15; ++e)
    cells.push_back(
        {"energy " + std::to_string(e), {GAUGE_LEFT + 4 * e - 4, GAUGE_TOP, GAUGE_LEFT + 4 * e, GAUGE_BOTTOM}});
  for (const RECT& t : {RC_TITLE_TILE, RC_CLEAR_TILE}) cells.push_back({"screen tile", t});
  return cells;
}

// Black is index 0 alone in both, the one colour keyed blits skip; every cell
// of the sheet that the code draws is painted. A stage's own sheet replaces the
// whole sheet: what the code draws must look the same on it, in the same colours.
TEST(SheetAssets, BlackIsIndexZeroAloneAndTheCellsTheCodeDrawsArePaintedAlikeOnStageTwos) {
  const Sheet sheet, second("../data/stage2/sheet.bmp");
  ASSERT_EQ(sheet.image.width, SHEET_WIDTH);
  ASSERT_EQ(second.image.width, SHEET_WIDTH);
  for (const IndexedImage& image : {sheet.image, LoadAsset("icon.bmp", 32, 32)}) {
    SCOPED_TRACE(image.width == 32 ? "icon.bmp" : "sheet.bmp");
    ASSERT_TRUE(IsBlack(image.palette[0]));
    for (size_t i = 1; i < 256; ++i) EXPECT_FALSE(IsBlack(image.palette[i])) << "entry " << i;
  }
  std::vector<std::pair<std::string, RECT>> cells = CodeCells();
  for (const auto& [name, rect] : cells) EXPECT_GT(sheet.Painted(rect), 0) << name;
  EXPECT_EQ(sheet.Painted(CharCellRect(' ')), 0);
  // Keyed over stale pages, a 0 pixel would show garbage (the map's tiles are
  // checked where the stage uses them).
  for (const RECT& t : {RC_TITLE_TILE, RC_CLEAR_TILE}) EXPECT_EQ(sheet.Painted(t), TILE_SIZE * TILE_SIZE) << t.top;
  // The selection box is the cell's border.
  const RECT box = CharCellRect('\'');
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const bool border = x == box.left || x == box.right - 1 || y == box.top || y == box.bottom - 1;
      EXPECT_EQ(sheet.At(x, y) != 0, border) << x << "," << y;
    }
  }
  // The last explosion image, the bomb's ring, is the smallest puff.
  for (size_t k = 1; k < 7; ++k) EXPECT_LT(sheet.Painted(g_rcExplosion[7]), sheet.Painted(g_rcExplosion[k])) << k;

  for (size_t i = 0; i < 256; ++i) {
    const Color a = sheet.image.palette[i], b = second.image.palette[i];
    EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "entry " << i;
  }
  for (int c = 0x20; c < 0x60; ++c) cells.push_back({"small font " + std::to_string(c), CharCellRect(c)});
  for (const auto& [name, rect] : cells) {
    int differ = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x) differ += sheet.At(x, y) != second.At(x, y);
    EXPECT_EQ(differ, 0) << name;
  }
}

}  // namespace
