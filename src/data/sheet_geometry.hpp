// The sprite sheet's geometry and the tile map's: where the images the code
// names lie on the 640 x 480 sheet, and how the map addresses its tiles. The
// drawing code, the tile-map reader and the generators of both files share it.
#pragma once

#include <array>
#include <cstdint>

// left, top, right, bottom; right and bottom exclusive.
struct RECT {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

inline constexpr int32_t SHEET_WIDTH = 640;
inline constexpr int32_t SHEET_HEIGHT = 480;

// The background map: rows of 32 x 32 tiles, each named by its sheet corner.
inline constexpr int32_t MAP_ROWS = 500;
inline constexpr int32_t MAP_COLUMNS = 20;
inline constexpr int32_t TILE_SIZE = 32;

inline constexpr RECT CellRect(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

// 16 x 16 score digits 0..9, then the minus sign right of the 9.
inline constexpr std::array<RECT, 10> g_rcDigit = [] {
  std::array<RECT, 10> r{};
  for (int32_t d = 0; d < 10; ++d) r[static_cast<size_t>(d)] = CellRect(320 + 16 * d, 0, 16, 16);
  return r;
}();
inline constexpr RECT RC_BIG_MINUS = CellRect(480, 0, 16, 16);

// 8 x 8 digits 0..9 (the small font's cells) and its minus sign.
inline constexpr std::array<RECT, 10> g_rcSmallDigit = [] {
  std::array<RECT, 10> r{};
  for (int32_t d = 0; d < 10; ++d) r[static_cast<size_t>(d)] = CellRect(480 + 8 * d, 232, 8, 8);
  return r;
}();
inline constexpr RECT RC_SMALL_MINUS = CellRect(584, 224, 8, 8);

// Eight 32 x 32 explosion images, four per row.
inline constexpr std::array<RECT, 8> g_rcExplosion = [] {
  std::array<RECT, 8> r{};
  for (int32_t k = 0; k < 8; ++k) r[static_cast<size_t>(k)] = CellRect(320 + 32 * (k % 4), 64 + 32 * (k / 4), 32, 32);
  return r;
}();

inline constexpr RECT RC_SHIP = {192, 0, 224, 32};
inline constexpr RECT RC_BOMB_ICON = {320, 32, 336, 48};
inline constexpr int32_t GAUGE_LEFT = 320, GAUGE_TOP = 16, GAUGE_BOTTOM = 32;
inline constexpr RECT RC_BULLET = {0, 128, 16, 144};
inline constexpr RECT RC_SPREAD_BULLET = {16, 128, 32, 144};
inline constexpr RECT RC_PLAYER_SHOT = {23, 96, 32, 108};
inline constexpr RECT RC_TITLE_TILE = {256, 416, 288, 448};
inline constexpr RECT RC_CLEAR_TILE = {192, 288, 224, 320};

// Letter glyph i (A..Z): six letters per column from (320, 224).
inline constexpr RECT BigGlyphRect(int32_t i) { return CellRect(320 + 16 * (i / 6), 224 + 16 * (i % 6), 16, 16); }
// Character code c (0x20..0x5F): 16 per row from (480, 224).
inline constexpr RECT CharCellRect(int32_t c) {
  return CellRect(480 + 8 * (c % 16), 224 + 8 * ((c - 0x20) / 16), 8, 8);
}
