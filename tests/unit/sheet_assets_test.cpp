// The committed sprite sheet and icon: the properties the game relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/sheet_geometry.hpp"
#include "gfx/bmp_reader.hpp"
#include "test_support.hpp"

namespace {

IndexedImage LoadAsset(const char* name, int width, int height) {
  IndexedImage image;
  std::string error;
  EXPECT_TRUE(ReadIndexedBmp(testing_support::ReadAsset(name), image, error)) << name << ": " << error;
  EXPECT_TRUE(image.width == width && image.height == height) << name;
  return image;
}

struct Sheet {
  IndexedImage image = LoadAsset("sheet.bmp", SHEET_WIDTH, SHEET_HEIGHT);
  uint8_t At(int x, int y) const { return image.pixels[static_cast<size_t>(y * image.width + x)]; }
  int Painted(const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) != 0;
    return n;
  }
};

bool IsBlack(const Color& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

TEST(SheetAssets, BlackIsIndexZeroAlone) {
  for (const char* name : {"sheet.bmp", "icon.bmp"}) {
    SCOPED_TRACE(name);
    const IndexedImage image =
        std::string(name) == "icon.bmp" ? LoadAsset(name, 32, 32) : LoadAsset(name, SHEET_WIDTH, SHEET_HEIGHT);
    ASSERT_TRUE(IsBlack(image.palette[0]));
    for (size_t i = 1; i < 256; ++i) EXPECT_FALSE(IsBlack(image.palette[i])) << "entry " << i;
  }
}

TEST(SheetAssets, CellsTheCodeDrawsArePainted) {
  const Sheet sheet;
  ASSERT_EQ(sheet.image.width, SHEET_WIDTH);
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
}

}  // namespace
