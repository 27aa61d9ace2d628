// The sprite sheet's geometry and the tile map's: where every image lies on
// the 640 x 480 sheet, and how the map addresses its tiles. The drawing code,
// the tile-map reader, the generators of both files and assets/SHEET.md share
// it; the data files name their pictures by the same corners.
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

// --- pictures the game's code names ----------------------------------------------

// 16 x 16 score digits 0..9, then the minus sign right of the 9.
inline constexpr std::array<RECT, 10> g_rcDigit = [] {
  std::array<RECT, 10> r{};
  for (int32_t d = 0; d < 10; ++d) r[static_cast<std::size_t>(d)] = CellRect(320 + 16 * d, 0, 16, 16);
  return r;
}();
inline constexpr RECT RC_BIG_MINUS = CellRect(480, 0, 16, 16);

// 8 x 8 digits 0..9 (the small font's cells) and its minus sign.
inline constexpr std::array<RECT, 10> g_rcSmallDigit = [] {
  std::array<RECT, 10> r{};
  for (int32_t d = 0; d < 10; ++d) r[static_cast<std::size_t>(d)] = CellRect(480 + 8 * d, 232, 8, 8);
  return r;
}();
inline constexpr RECT RC_SMALL_MINUS = CellRect(584, 224, 8, 8);

// Eight 32 x 32 explosion images, four per row.
inline constexpr std::array<RECT, 8> g_rcExplosion = [] {
  std::array<RECT, 8> r{};
  for (int32_t k = 0; k < 8; ++k)
    r[static_cast<std::size_t>(k)] = CellRect(320 + 32 * (k % 4), 64 + 32 * (k / 4), 32, 32);
  return r;
}();

inline constexpr RECT RC_SHIP = {192, 0, 224, 32};
inline constexpr RECT RC_BOMB_ICON = {320, 32, 336, 48};
inline constexpr int32_t GAUGE_LEFT = 320, GAUGE_TOP = 16, GAUGE_BOTTOM = 32;
inline constexpr RECT RC_GAUGE = {GAUGE_LEFT, GAUGE_TOP, GAUGE_LEFT + 60, GAUGE_BOTTOM};  // 4 pixels an energy point
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

// --- pictures only the data files name -------------------------------------------

// Enemy craft, nose down; the second picture (_B) of each lies right below it.
inline constexpr RECT RC_FIGHTER = CellRect(0, 160, 32, 32);
inline constexpr RECT RC_FIGHTER_B = CellRect(0, 192, 32, 32);
inline constexpr RECT RC_DART = CellRect(32, 160, 32, 32);
inline constexpr RECT RC_DART_B = CellRect(32, 192, 32, 32);
inline constexpr RECT RC_GUNSHIP = CellRect(64, 160, 32, 32);
inline constexpr RECT RC_GUNSHIP_B = CellRect(64, 192, 32, 32);
inline constexpr RECT RC_SPINNER = CellRect(96, 160, 32, 32);
inline constexpr RECT RC_SPINNER_B = CellRect(96, 192, 32, 32);
inline constexpr RECT RC_INTERCEPTOR = CellRect(128, 160, 32, 32);
inline constexpr RECT RC_INTERCEPTOR_B = CellRect(128, 192, 32, 32);
inline constexpr RECT RC_BOMBER = CellRect(160, 160, 32, 32);
inline constexpr RECT RC_BOMBER_B = CellRect(160, 192, 32, 32);
inline constexpr RECT RC_TURRET = CellRect(192, 160, 32, 32);
inline constexpr RECT RC_TURRET_B = CellRect(192, 192, 32, 32);
inline constexpr RECT RC_TANK = CellRect(224, 160, 32, 32);
inline constexpr RECT RC_TANK_B = CellRect(224, 192, 32, 32);

// Items the player picks up.
inline constexpr RECT RC_ITEM_LEVEL = CellRect(0, 144, 16, 16);
inline constexpr RECT RC_ITEM_BOMB = CellRect(16, 144, 16, 16);
inline constexpr RECT RC_ITEM_ENERGY = CellRect(32, 144, 16, 16);

// The carrier and the parts that ride on it.
inline constexpr RECT RC_CARRIER = CellRect(0, 224, 128, 96);
inline constexpr RECT RC_CARRIER_GUN = CellRect(128, 224, 32, 32);
inline constexpr RECT RC_CARRIER_POD = CellRect(160, 224, 32, 32);
inline constexpr RECT RC_CARRIER_CORE = CellRect(128, 256, 32, 32);

// --- background tiles --------------------------------------------------------------

inline constexpr RECT TileAt(int32_t x, int32_t y) { return CellRect(x, y, TILE_SIZE, TILE_SIZE); }

// Plain ground.
inline constexpr RECT TILE_DEEP_WATER = TileAt(0, 320);
inline constexpr RECT TILE_WATER = TileAt(32, 320);
inline constexpr RECT TILE_WAVES = TileAt(64, 320);
inline constexpr RECT TILE_REEF = TileAt(96, 384);
inline constexpr RECT TILE_SAND = TileAt(160, 320);
inline constexpr RECT TILE_GRASS = TileAt(192, 320);
inline constexpr RECT TILE_FLOWERS = TileAt(256, 352);
inline constexpr RECT TILE_FOREST = TileAt(224, 320);
inline constexpr RECT TILE_CRATER = TileAt(224, 352);
inline constexpr RECT TILE_SCORCHED = TileAt(224, 384);
inline constexpr RECT TILE_ROCK = TileAt(256, 320);
inline constexpr RECT TILE_ICE = TileAt(288, 352);

// Roads: up the screen, across it, and where they meet.
inline constexpr RECT TILE_ROAD = TileAt(288, 320);
inline constexpr RECT TILE_ROAD_ACROSS = TileAt(256, 384);
inline constexpr RECT TILE_ROAD_CROSS = TileAt(64, 384);
inline constexpr RECT TILE_ROAD_IN_FOREST = TileAt(480, 352);
inline constexpr RECT TILE_ROAD_TEE_AHEAD = TileAt(512, 320);   // the branch leaves through the bottom edge
inline constexpr RECT TILE_ROAD_TEE_BEHIND = TileAt(544, 320);  // the branch leaves through the top edge

// The base.
inline constexpr RECT TILE_FLOOR = TileAt(64, 352);
inline constexpr RECT TILE_FLOOR_LANE = TileAt(96, 352);
inline constexpr RECT TILE_WALL = TileAt(128, 352);
inline constexpr RECT TILE_WALL_GATE = TileAt(512, 352);
inline constexpr RECT TILE_HANGAR_ROOF = TileAt(160, 352);
inline constexpr RECT TILE_HELIPAD = TileAt(128, 384);
inline constexpr RECT TILE_RUNWAY = TileAt(192, 352);
inline constexpr RECT TILE_RUNWAY_END = TileAt(160, 384);

// Joins across the whole width, named from the tile's top to its bottom. The
// game shows each map row mirrored, later rows above earlier ones, so that is
// the way the journey crosses them.
inline constexpr RECT TILE_DEEP_TO_WATER = TileAt(448, 320);
inline constexpr RECT TILE_WATER_TO_DEEP = TileAt(480, 320);
inline constexpr RECT TILE_SAND_TO_GRASS = TileAt(0, 384);
inline constexpr RECT TILE_GRASS_TO_SAND = TileAt(32, 384);
inline constexpr RECT TILE_GRASS_TO_FOREST = TileAt(192, 384);
inline constexpr RECT TILE_FOREST_TO_GRASS = TileAt(448, 352);

// Shores, named for where the land lies: straight coasts, capes (land in a
// quarter circle about one corner) and bays (water in one).
inline constexpr RECT TILE_COAST_LAND_TOP = TileAt(128, 320);
inline constexpr RECT TILE_COAST_LAND_BOTTOM = TileAt(96, 320);
inline constexpr RECT TILE_COAST_LAND_LEFT = TileAt(32, 352);
inline constexpr RECT TILE_COAST_LAND_RIGHT = TileAt(0, 352);
inline constexpr RECT TILE_CAPE_BOTTOM_RIGHT = TileAt(320, 320);
inline constexpr RECT TILE_CAPE_BOTTOM_LEFT = TileAt(352, 320);
inline constexpr RECT TILE_CAPE_TOP_RIGHT = TileAt(384, 320);
inline constexpr RECT TILE_CAPE_TOP_LEFT = TileAt(416, 320);
inline constexpr RECT TILE_BAY_TOP_LEFT = TileAt(320, 352);
inline constexpr RECT TILE_BAY_TOP_RIGHT = TileAt(352, 352);
inline constexpr RECT TILE_BAY_BOTTOM_LEFT = TileAt(384, 352);
inline constexpr RECT TILE_BAY_BOTTOM_RIGHT = TileAt(416, 352);

// The shore piece by which of its corners are land: bit 0 top left, 1 top
// right, 2 bottom left, 3 bottom right. 0 is open water, 15 dry land; the two
// diagonal pairs (6 and 9) have no piece and must not occur.
inline constexpr std::array<RECT, 16> SHORE_TILES = {{
    TILE_WATER, TILE_CAPE_TOP_LEFT, TILE_CAPE_TOP_RIGHT, TILE_COAST_LAND_TOP,
    TILE_CAPE_BOTTOM_LEFT, TILE_COAST_LAND_LEFT, {}, TILE_BAY_BOTTOM_RIGHT,
    TILE_CAPE_BOTTOM_RIGHT, {}, TILE_COAST_LAND_RIGHT, TILE_BAY_BOTTOM_LEFT,
    TILE_COAST_LAND_BOTTOM, TILE_BAY_TOP_RIGHT, TILE_BAY_TOP_LEFT, TILE_SAND,
}};
