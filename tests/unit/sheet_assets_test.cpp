// The committed sprite sheet and icon: the properties the game relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/sheet_geometry.hpp"
#include "data/tables.hpp"
#include "data/tile_map.hpp"
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

TEST(SheetAssets, BlackIsIndexZeroAlone) {
  for (const char* name : {"sheet.bmp", "icon.bmp"}) {
    SCOPED_TRACE(name);
    const IndexedImage image =
        std::string(name) == "icon.bmp" ? LoadAsset(name, 32, 32) : LoadAsset(name, SHEET_WIDTH, SHEET_HEIGHT);
    ASSERT_TRUE(IsBlack(image.palette[0]));
    for (size_t i = 1; i < 256; ++i) EXPECT_FALSE(IsBlack(image.palette[i])) << "entry " << i;
  }
}

// The cells the game's code draws whatever the stage, but for the font's
// and the tiles, which each test takes as it needs them.
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
  // The gauge is drawn 4 pixels per energy point: each step from the left must show.
  for (int e = 1; e <= 15; ++e)
    cells.push_back(
        {"energy " + std::to_string(e), {GAUGE_LEFT + 4 * e - 4, GAUGE_TOP, GAUGE_LEFT + 4 * e, GAUGE_BOTTOM}});
  return cells;
}

TEST(SheetAssets, CellsTheCodeDrawsArePainted) {
  const Sheet sheet;
  ASSERT_EQ(sheet.image.width, SHEET_WIDTH);
  std::vector<std::pair<std::string, RECT>> cells = CodeCells();
  for (char c : std::string("+-/?0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
    cells.push_back({std::string("small ") + c, CharCellRect(c)});
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

// A stage's own sheet replaces the whole sheet: whatever the code draws must
// look the same on it, in the same colours, and the ground its map lays must
// have no holes.
TEST(SheetAssets, StageTwosSheetKeepsEveryCellTheCodeDraws) {
  const Sheet first, second("../data/stage2/sheet.bmp");
  ASSERT_EQ(second.image.width, SHEET_WIDTH);
  for (size_t i = 0; i < 256; ++i) {
    const Color a = first.image.palette[i], b = second.image.palette[i];
    EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "entry " << i;
  }
  std::vector<std::pair<std::string, RECT>> cells = CodeCells();
  for (int c = 0x20; c < 0x60; ++c) cells.push_back({"small font " + std::to_string(c), CharCellRect(c)});
  cells.push_back({"title tile", RC_TITLE_TILE});
  cells.push_back({"clear tile", RC_CLEAR_TILE});
  for (const auto& [name, rect] : cells) {
    int differ = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x) differ += first.At(x, y) != second.At(x, y);
    EXPECT_EQ(differ, 0) << name;
  }
  TileMap map;
  DataError error;
  ASSERT_EQ(LoadTileMap(KESTROVA_SOURCE_DIR "/data/stage2/map.dat", map, &error), TileMapResult::kLoaded)
      << error.Message();
  for (const auto& row : map)
    for (const RECT& tile : row) ASSERT_EQ(second.Painted(tile), TILE_SIZE * TILE_SIZE) << tile.left << "," << tile.top;
}

}  // namespace
