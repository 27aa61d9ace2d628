// The committed sprite sheet and icon: the properties the game relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/sheet_geometry.hpp"
#include "platform/headless/headless_platform.hpp"
#include "test_support.hpp"

namespace {

platform::IndexedImage LoadAsset(const char* name, int width, int height) {
  const std::vector<uint8_t> file = testing_support::ReadAsset(name);
  // An uncompressed 8-bit BITMAPINFOHEADER bitmap, bottom-up, full palette.
  EXPECT_GE(file.size(), 1078u) << name;
  if (file.size() < 1078u) return {};
  const auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24);
  };
  EXPECT_EQ(u32(14), 40u) << name;
  EXPECT_EQ(u32(18), static_cast<uint32_t>(width)) << name;
  EXPECT_EQ(u32(22), static_cast<uint32_t>(height)) << name;  // positive: bottom-up
  EXPECT_EQ(file[28], 8) << name;
  EXPECT_EQ(u32(30), 0u) << name;  // no compression
  EXPECT_EQ(file.size(), 1078u + static_cast<size_t>(((width + 3) & ~3) * height)) << name;
  platform::HeadlessPlatform platform;
  platform::IndexedImage image;
  std::string error;
  EXPECT_TRUE(platform.DecodeBitmap(file, image, error)) << name << ": " << error;
  EXPECT_EQ(image.width, width) << name;
  EXPECT_EQ(image.height, height) << name;
  EXPECT_EQ(image.pixels.size(), static_cast<size_t>(width * height)) << name;
  return image;
}

struct Sheet {
  platform::IndexedImage image = LoadAsset("sheet.bmp", SHEET_WIDTH, SHEET_HEIGHT);
  uint8_t At(int x, int y) const { return image.pixels[static_cast<size_t>(y * image.width + x)]; }
  int Painted(const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) != 0;
    return n;
  }
};

bool IsBlack(const platform::Color& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

TEST(SheetAssets, BlackIsIndexZeroAlone) {
  for (const char* name : {"sheet.bmp", "icon.bmp"}) {
    SCOPED_TRACE(name);
    const platform::IndexedImage image =
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
}

TEST(SheetAssets, SelectionBoxIsTheCellBorder) {
  const Sheet sheet;
  const RECT box = CharCellRect('\'');
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const bool border = x == box.left || x == box.right - 1 || y == box.top || y == box.bottom - 1;
      EXPECT_EQ(sheet.At(x, y) != 0, border) << x << "," << y;
    }
  }
}

TEST(SheetAssets, LastExplosionImageIsTheSmallestPuff) {
  const Sheet sheet;
  const int last = sheet.Painted(g_rcExplosion[7]);
  for (size_t k = 1; k < 7; ++k) EXPECT_LT(last, sheet.Painted(g_rcExplosion[k])) << "image " << k;
}

}  // namespace
