#include <gtest/gtest.h>

#include "gfx/display.hpp"
#include "data/sheet_geometry.hpp"
#include "gfx/surface.hpp"

namespace {

// A source whose pixel at (x, y) is 1 + (x + 7 * y) % 250, so every copied
// pixel tells where it came from; column 0 of each row is transparent.
uint8_t Expected(int x, int y) { return x == 0 ? 0 : static_cast<uint8_t>(1 + (x + 7 * y) % 250); }

Surface PatternSurface(int w, int h) {
  Surface s;
  s.Create(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) s.Row(y)[x] = Expected(x, y);
  }
  return s;
}

Surface Filled(int w, int h, uint8_t value) {
  Surface s;
  s.Create(w, h);
  std::fill(s.pixels.begin(), s.pixels.end(), value);
  return s;
}

TEST(Blit, KeyedSkipsZeroOpaqueCopiesItScaledIsNearestNeighbourClearZeroesAndOnlyInsideDraws) {
  const Surface src = PatternSurface(16, 16);
  Surface keyed = Filled(8, 8, 255), opaque = Filled(8, 8, 255);
  ASSERT_EQ(BltKeyed(keyed, src, {0, 0, 8, 8}, {0, 0, 8, 8}), 1);
  ASSERT_EQ(BltOpaque(opaque, src, {0, 0, 8, 8}, {0, 0, 8, 8}), 1);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(keyed.Row(y)[x], x == 0 ? 255 : Expected(x, y)) << "a transparent pixel shows what lies beneath";
      EXPECT_EQ(opaque.Row(y)[x], Expected(x, y)) << "an opaque blit copies black too";
    }
  }
  EXPECT_EQ(ClearSurface(keyed), 1);
  EXPECT_TRUE(std::all_of(keyed.pixels.begin(), keyed.pixels.end(), [](uint8_t p) { return p == 0; }));

  // Scaling is nearest neighbour. Doubled, each source pixel becomes a 2 x 2 block.
  Surface big = Filled(16, 16, 0);
  ASSERT_EQ(BltOpaque(big, src, {0, 0, 8, 8}, {4, 4, 8, 8}), 1);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(big.Row(y)[x], Expected(4 + x / 2, 4 + y / 2));
  }
  // The 9 x 12 shot shrunk to 8 x 8: column left + dx * 9 / 8, row top + dy * 12 / 8.
  Surface small = Filled(8, 8, 0);
  ASSERT_EQ(BltOpaque(small, src, {0, 0, 8, 8}, {3, 2, 12, 14}), 1);
  for (int dy = 0; dy < 8; ++dy) {
    for (int dx = 0; dx < 8; ++dx) EXPECT_EQ(small.Row(dy)[dx], Expected(3 + dx * 9 / 8, 2 + dy * 12 / 8));
  }

  // Rectangles not wholly inside, or empty, draw nothing.
  const RECT good = {0, 0, 4, 4};
  const struct {
    RECT dst, src;
  } cases[] = {
      {{-4, 0, 0, 4}, good},    {{-1, 0, 3, 4}, good},      {{13, 0, 17, 4}, good}, {{0, 13, 4, 17}, good},
      {{0, -2, 4, 2}, good},    {{4, 4, 4, 8}, good},       {{5, 5, 1, 1}, good},   {{0, 0, 4, 4}, {13, 0, 17, 4}},
      {{0, 0, 4, 4}, {-1, 0, 3, 4}}, {{0, 0, 4, 4}, {2, 2, 2, 6}}, {{0, 0, 4, 4}, {3, 3, 1, 1}},
      {{INT32_MIN, 0, INT32_MAX, 4}, good},
  };
  for (const auto& c : cases) {
    Surface dst = Filled(16, 16, 99);
    EXPECT_EQ(BltKeyed(dst, src, c.dst, c.src), 0);
    EXPECT_TRUE(std::all_of(dst.pixels.begin(), dst.pixels.end(), [](uint8_t p) { return p == 99; }))
        << "dst " << c.dst.left << "," << c.dst.top << "," << c.dst.right << "," << c.dst.bottom;
  }
}

class ClippedBlit : public ::testing::Test {
 protected:
  // The pixels drawn on the page, and how many of them are not what (left,
  // top) shows of the source from (sx, sy), `scale` times enlarged.
  std::pair<int, int> Drawn(int left = 0, int top = 0, int sx = 0, int sy = 0, int scale = 1) const {
    std::pair<int, int> n;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const uint8_t p = page.Row(y)[x];
        n.first += p != 0;
        n.second += p != 0 && p != Expected(sx + (x - left) / scale, sy + (y - top) / scale);
      }
    }
    return n;
  }
  SpriteSheet sheet{PatternSurface(640, 480)};
  Surface page = Surface::Blank(640, 480), ring;
  CDisplay display{sheet, page, ring};
  Surface sprite = PatternSurface(64, 64);
};

// A 32 x 32 sprite from source (1, 1) trimmed at each edge of the playfield
// and the page: what stays is drawn where it was, from the source moved by the
// trim, unscaled.
TEST_F(ClippedBlit, EveryEdgeOfThePlayfieldAndPageMovesTheSourceEdgeAndGlyphsAreScaledCells) {
  const struct {
    int32_t left, top;
    int drawnW, drawnH;
  } cases[] = {
      {80, 10, 16, 32},    // left edge 96
      {530, 100, 14, 32},  // right edge 544
      {200, -20, 32, 12},  // top edge
      {200, 470, 32, 10},  // bottom edge
      {90, -5, 26, 27},    // a corner
      {0, 100, 0, 0},      // wholly left of the playfield
      {544, 100, 0, 0},    // starts at the right edge
      {200, 480, 0, 0},    // below the page
      {200, -32, 0, 0},    // just above the page
  };
  for (const auto& c : cases) {
    ClearSurface(page);
    display.BltClipped(sprite, c.left, c.top, c.left + 32, c.top + 32, {1, 1, 33, 33});
    EXPECT_EQ(Drawn(c.left, c.top, 1, 1), std::pair(c.drawnW * c.drawnH, 0)) << c.left << "," << c.top;
  }
  // Extreme coordinates draw nothing and read nothing out of bounds.
  const int32_t big = INT32_MAX - 10;
  display.BltClipped(sprite, -big, -big, big, big, {0, 0, 32, 32});
  display.BltClipped(sprite, big, big, big + 5, big + 5, {0, 0, 32, 32});
  EXPECT_EQ(Drawn().first, 0);

  // Glyphs come from the cells of the sheet's character grid, each pixel scaled
  // into a block.
  display.DrawBigGlyph(25, 200, 100, 2);  // Z at (384, 240)
  EXPECT_EQ(Drawn(200, 100, 384, 240, 2), std::pair(32 * 32, 0));
  ClearSurface(page);
  display.DrawSmallGlyph(45, 200, 100, 6);  // the selection box cell (536, 224), 48 x 48
  EXPECT_EQ(Drawn(200, 100, 536, 224, 6), std::pair(48 * 48, 0));
  ClearSurface(page);
  display.DrawSmallGlyph(3, 200, 100, 1);  // indices without a glyph draw nothing
  display.DrawSmallGlyph(46, 200, 100, 1);
  display.DrawBigGlyph(-1, 200, 100, 1);
  EXPECT_EQ(Drawn().first, 0);
  // +, 0, A, P, Z, / and ? by their corners on the sheet; an explosion's cell.
  const int small[][3] = {{6, 568, 224}, {7, 480, 232}, {17, 488, 240}, {32, 480, 248},
                          {42, 560, 248}, {43, 600, 224}, {44, 600, 232}};
  for (const auto& g : small) EXPECT_EQ(SmallGlyphSource(static_cast<int16_t>(g[0])), CellRect(g[1], g[2], 8, 8)) << g[0];
  EXPECT_EQ(BigGlyphSource(0), CellRect(320, 224, 16, 16));
  EXPECT_EQ(BigGlyphSource(6), CellRect(336, 224, 16, 16));  // G starts the second column
  EXPECT_EQ(g_rcExplosion[5], CellRect(352, 96, 32, 32));
}

}  // namespace
